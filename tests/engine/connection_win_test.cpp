// A real window watching the demo server over real Winsock sockets on 127.0.0.1.
#include <gtest/gtest.h>

#include <regex>

#include "resources/resource.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using demo::DemoServer;
using testing::BoxRecorder;
using testing::PumpUntil;
using testing::SendCommand;
using testing::WindowUnderTest;

std::string ServerText(uint16_t port) { return "127.0.0.1:" + std::to_string(port); }

class ConnectionTest : public ::testing::Test {
 protected:
  void StartServer(DemoConfig config = DemoConfig()) {
    server_ = std::make_unique<DemoServer>(config);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
  }
  bool ShowsPlayers(size_t count) {
    return static_cast<size_t>(window->Players().RowCount()) == count;
  }

  BoxRecorder boxes;
  std::unique_ptr<DemoServer> server_;
  WindowUnderTest window;
};

TEST_F(ConnectionTest, ConnectingShowsStatePlayersAndPing) {
  StartServer();
  window->Monitor().Connect(ServerText(server_->Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(3) && window->Status().PaneText(1) != " ping "; }));

  EXPECT_EQ(window->Status().StateTip(), "Connected to 127.0.0.1:" + std::to_string(server_->Port()));
  const auto rows = window->Players().VisibleRows();
  EXPECT_EQ(rows[0][1], "Freeman");
  EXPECT_EQ(rows[0][2], "23");
  EXPECT_TRUE(std::regex_match(rows[0][3], std::regex("00:25:[0-9][0-9]"))) << rows[0][3];
  EXPECT_EQ(rows[2][1], "[TW] Alyx");
  EXPECT_EQ(rows[2][2], "-2");
  EXPECT_TRUE(std::regex_match(window->Status().PaneText(1), std::regex("[0-9]+")));

  char caption[256] = {};
  GetWindowTextA(window.hwnd(), caption, sizeof(caption));
  EXPECT_STREQ(caption, "crossfire [3/16] on Tarnwick Demo Server - Tarnwick");
  EXPECT_TRUE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_TRUE(window->Commands().IsEnabled(ID_VIEW_SERVER_INFO));
  EXPECT_TRUE(window->Commands().IsEnabled(ID_FILE_DISCONNECT));

  // The first requests: details, one ping, then players because the count changed on screen.
  ASSERT_TRUE(server_->WaitForRequests(3, std::chrono::milliseconds(2000)));
  const auto requests = server_->ReceivedRequests();
  EXPECT_EQ(requests[0].Text(), "details");
  EXPECT_EQ(requests[1].Text(), "ping");
  EXPECT_EQ(requests[2].Text(), "players");

  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  EXPECT_EQ(window->Players().RowCount(), 0);
  EXPECT_EQ(window->Status().StateTip(), "Not connected");
  EXPECT_EQ(window->Status().PaneText(1), " ping ");
  GetWindowTextA(window.hwnd(), caption, sizeof(caption));
  EXPECT_STREQ(caption, "Tarnwick");
  EXPECT_FALSE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ConnectionTest, RefreshAsksForInfoAndPlayers) {
  StartServer();
  window->Monitor().Connect(ServerText(server_->Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(3); }));
  const size_t before = server_->ReceivedRequests().size();
  server_->SetPlayers({{"Gordon", 1, 5.0f}});
  SendCommand(window.hwnd(), ID_VIEW_REFRESH);
  ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(1); }));
  const auto requests = server_->ReceivedRequests();
  EXPECT_EQ(requests[before].Text(), "info");
  EXPECT_EQ(requests[before + 1].Text(), "players");
}

TEST_F(ConnectionTest, RepliesFromAnotherPortChangeNothing) {
  DemoConfig config;
  config.faults.alternate = demo::AlternateSource::kOnly;
  StartServer(config);
  window->Monitor().Connect(ServerText(server_->Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  // Wait until the server has answered details, ping and players from its other port.
  ASSERT_TRUE(server_->WaitForRequests(2, std::chrono::milliseconds(2000)));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(window->Players().RowCount(), 0);
  EXPECT_EQ(window->Status().PaneText(1), " ping ");
  EXPECT_EQ(window->Monitor().State().hostName, "");
}

TEST_F(ConnectionTest, ForgedRepliesBeforeTheRealOnesNeverShow) {
  DemoConfig config;
  config.faults.alternate = demo::AlternateSource::kAlso;
  StartServer(config);
  window->Monitor().Connect(ServerText(server_->Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().State().hostName == "Tarnwick Demo Server"; }));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(window->Monitor().State().hostName, "Tarnwick Demo Server");
}

TEST_F(ConnectionTest, HostileRepliesLeaveTheWindowWorking) {
  DemoConfig config;
  config.faults.garbage_per_reply = 3;
  config.faults.cut_at = 60;
  StartServer(config);
  window->Monitor().Connect(ServerText(server_->Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().State().map == "crossfire"; }));
  EXPECT_EQ(window->Monitor().State().maxPlayers, 0) << "the cut reply ended before the counts";
  EXPECT_TRUE(window->Monitor().IsConnected());
}

TEST_F(ConnectionTest, APortWhereNothingListensEndsInTheErrorPath) {
  // A port that was free a moment ago.
  SOCKET probe = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  int size = sizeof(address);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  const uint16_t port = ntohs(address.sin_port);
  closesocket(probe);

  window->Monitor().Connect(ServerText(port), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  // Where the socket layer signals the error with a read notification the box comes at once;
  // otherwise the next timer tick finds it.
  PumpUntil([&] { return !boxes.Boxes().empty(); }, 300);
  if (boxes.Boxes().empty()) SendMessageA(window.hwnd(), WM_TIMER, static_cast<WPARAM>(TimerId::Ping), 0);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
  EXPECT_EQ(boxes.Boxes()[0].text, "Connection to 127.0.0.1 lost");
  EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_FALSE(window->Monitor().IsConnected());
  EXPECT_EQ(window->Status().StateTip(), "Not connected");

  // The window stays usable: the next connection works.
  StartServer();
  window->Monitor().Connect(ServerText(server_->Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(3); }));
}

TEST_F(ConnectionTest, AnUnknownHostReportsCantConnect) {
  window->Monitor().Connect("no-such-host.invalid:27015", false);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }, 15000));
  EXPECT_EQ(boxes.Boxes()[0].text, "Can't connect to no-such-host.invalid");
  EXPECT_FALSE(window->Monitor().IsConnected());
  EXPECT_FALSE(window->Monitor().IsResolving());
}

}  // namespace
}  // namespace tarnwick
