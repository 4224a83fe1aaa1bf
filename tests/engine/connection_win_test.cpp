// A real window watching the demo server over real Winsock sockets on 127.0.0.1, as a server of
// 2001 and in the mode of today's servers (binary queries with challenges, 'I' replies, rules split
// in pieces); and the reading of a lookup's result.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <regex>
#include <set>
#include <tuple>

#include "engine/server_socket_win.h"
#include "resources/resource.h"
#include "tests/support/connected_window_win.h"
#include "tools/demo_server/command_line.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using demo::DemoServer;
using testing::PumpUntil;
using testing::SendCommand;

// The window of the dialog tests, connected to the demo server; its Server Info sheet shows rules.
class ConnectionTest : public testing::ConnectedWindow {
 protected:
  bool ShowsPlayers(size_t count) {
    return static_cast<size_t>(window->Players().RowCount()) == count;
  }
  std::string Caption() { return testing::WindowText(window.hwnd()); }
  const ServerState& State() { return window->Monitor().State(); }
};

TEST_F(ConnectionTest, ConnectingShowsStatePlayersAndPing) {
  ASSERT_TRUE(Connect());
  ASSERT_TRUE(
      PumpUntil([&] { return ShowsPlayers(3) && window->Status().PaneText(1) != " ping "; }));
  EXPECT_EQ(window->Status().StateTip(), "Connected to " + ServerText());
  EXPECT_TRUE(std::regex_match(window->Status().PaneText(1), std::regex("[0-9]+")));
  EXPECT_EQ(Caption(), "crossfire [3/16] on Tarnwick Demo Server - Tarnwick");
  for (int command : {ID_FILE_JOIN, ID_VIEW_SERVER_INFO, ID_FILE_DISCONNECT}) {
    EXPECT_TRUE(window->Commands().IsEnabled(command)) << command;
  }
  EXPECT_EQ(window->Monitor().Kind(), ServerKind::Old);

  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  EXPECT_EQ(window->Players().RowCount(), 0);
  EXPECT_EQ(window->Status().StateTip(), "Not connected");
  EXPECT_EQ(window->Status().PaneText(1), " ping ");
  EXPECT_EQ(Caption(), "Tarnwick");
  EXPECT_FALSE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ConnectionTest, APortWhereNothingListensEndsInTheErrorPath) {
  // A port where the demo server listened a moment ago.
  DemoServer gone{DemoConfig()};
  ASSERT_TRUE(gone.Start());
  gone.Stop();
  window->Monitor().Connect("127.0.0.1:" + std::to_string(gone.Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  // Where the socket layer signals the error with a read notification the box comes at once;
  // otherwise the next timer tick finds it.
  PumpUntil([&] { return !boxes.Boxes().empty(); }, 300);
  if (boxes.Boxes().empty()) {
    SendMessageA(window.hwnd(), WM_TIMER, static_cast<WPARAM>(TimerId::Ping), 0);
  }
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
  EXPECT_EQ(boxes.Boxes()[0].text, "Connection to 127.0.0.1 lost");
  EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_FALSE(window->Monitor().IsConnected());
  EXPECT_EQ(window->Status().StateTip(), "Not connected");

  EXPECT_TRUE(Connect()) << "the window stays usable";
}

TEST(LookupResultTest, OnlyAFourByteIpv4AddressInsideTheBufferIsRead) {
  static const char kElsewhere[4] = {10, 0, 0, 1};
  struct Case {
    const char* what;
    short type;
    short length;
    bool listInside;
    bool addressInside;
    bool read;
  } cases[] = {
      {"one IPv4 address", AF_INET, 4, true, true, true},
      {"a 16-byte address", AF_INET, 16, true, true, false},
      {"another family", AF_INET6, 4, true, true, false},
      {"an address list outside the buffer", AF_INET, 4, false, true, false},
      {"an address outside the buffer", AF_INET, 4, true, false, false},
  };
  for (const Case& c : cases) {
    // Laid out as the lookup writes it: the entry, the address list, the address.
    alignas(8) char buffer[MAXGETHOSTSTRUCT] = {};
    auto* list = reinterpret_cast<char**>(buffer + sizeof(hostent));
    char* address = buffer + sizeof(hostent) + 2 * sizeof(char*);
    const char octets[4] = {127, 0, 0, 7};
    std::memcpy(address, octets, 4);
    list[0] = c.addressInside ? address : const_cast<char*>(kElsewhere);
    static char* elsewhereList[2] = {const_cast<char*>(kElsewhere), nullptr};
    hostent entry = {};
    entry.h_addrtype = c.type;
    entry.h_length = c.length;
    entry.h_addr_list = c.listInside ? list : elsewhereList;
    std::memcpy(buffer, &entry, sizeof(entry));
    EXPECT_EQ(ReadHostEntryAddress(buffer, sizeof(buffer)),
              c.read ? std::optional(Ipv4Address{{127, 0, 0, 7}}) : std::nullopt) << c.what;
  }
}

// Binary queries with challenges, 'I' replies and rules split in three pieces, over real sockets.
// (Which reply wins when a server sends both 'I' and 'm' the monitor's tests check on a fake port.)
TEST_F(ConnectionTest, TodaysServersShowNameMapPlayersAndEverySplitRule) {
  DemoConfig config;
  config.modern = true;
  config.modern_options.challenge_info = true;
  config.rate_limit.enabled = true;
  config.rules = demo::ManyRules(64);  // about 3400 bytes: three pieces of at most 1400
  ASSERT_TRUE(Connect(config));
  ASSERT_TRUE(PumpUntil([&] {
    return ShowsPlayers(3) && Caption() == "crossfire [3/16] on Tarnwick Demo Server - Tarnwick";
  })) << Caption();
  // Today's servers send index 0 for every player, so the rows' order among themselves is open.
  std::set<std::string> names;
  for (const auto& row : window->Players().VisibleRows()) names.insert(row[1]);
  EXPECT_EQ(names, (std::set<std::string>{"Freeman", "Barney", "[TW] Alyx"}));
  EXPECT_EQ(window->Monitor().Kind(), ServerKind::Modern);
  EXPECT_TRUE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_EQ(std::tie(State().dedicated, State().protocol), std::make_tuple(true, 48));

  // What the Server Info sheet asks for when it opens.
  window->Monitor().SendQuery("details");
  window->Monitor().SendQuery("rules");
  std::vector<RuleRow> rules;
  for (const demo::DemoRule& rule : config.rules) rules.push_back({rule.name, rule.value});
  ASSERT_TRUE(PumpUntil([&] { return window->InfoSheet().RulesPage().Rows() == rules; }));
  EXPECT_TRUE(boxes.Boxes().empty());

  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  EXPECT_EQ(window->Monitor().Kind(), ServerKind::Unknown);
}

}  // namespace
}  // namespace tarnwick
