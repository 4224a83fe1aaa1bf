// A real window watching the demo server in the mode of today's servers, over real Winsock sockets
// on 127.0.0.1: binary queries with challenges, 'I' and 'm' replies, and rules split in pieces.
#include <gtest/gtest.h>

#include <set>

#include "engine/byte_reader.h"
#include "resources/resource.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using demo::DemoRule;
using demo::DemoServer;
using demo::ModernInfoReply;
using testing::BoxRecorder;
using testing::PumpUntil;
using testing::SendCommand;
using testing::WindowUnderTest;

DemoConfig ModernConfig(ModernInfoReply reply) {
  DemoConfig config;
  config.modern = true;
  config.modern_options.info_reply = reply;
  config.modern_options.challenge_info = true;
  config.rate_limit.enabled = true;
  // Enough rules for a reply of about 3400 bytes: three pieces of at most 1400.
  config.rules.clear();
  for (int i = 0; i < 120; ++i) {
    config.rules.push_back({"sv_rule_" + std::to_string(i), "value of rule " + std::to_string(i)});
  }
  return config;
}

// The rules of a stored rules body (count first, then name and value pairs).
std::vector<DemoRule> ReadRules(const std::vector<uint8_t>& body) {
  std::vector<DemoRule> rules;
  ByteReader reader(body.data(), body.size());
  reader.Skip(2);
  DemoRule rule;
  while (reader.ReadString(rule.name) && reader.ReadString(rule.value)) rules.push_back(rule);
  return rules;
}

bool IsBinaryQuery(const demo::ReceivedRequest& request) {
  return request.bytes.size() > 4 &&
         (request.bytes[4] == 'T' || request.bytes[4] == 'U' || request.bytes[4] == 'V');
}

class ModernServerTest : public ::testing::Test {
 protected:
  void StartServer(const DemoConfig& config) {
    server_ = std::make_unique<DemoServer>(config);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
    window->Monitor().Connect("127.0.0.1:" + std::to_string(server_->Port()), false);
  }
  bool ShowsPlayers(size_t count) {
    return static_cast<size_t>(window->Players().RowCount()) == count;
  }
  std::string Caption() {
    char caption[256] = {};
    GetWindowTextA(window.hwnd(), caption, sizeof(caption));
    return caption;
  }
  std::set<std::string> Names() {
    std::set<std::string> names;
    for (const auto& row : window->Players().VisibleRows()) names.insert(row[1]);
    return names;
  }
  ServerState State() {
    std::lock_guard<std::recursive_mutex> lock(window->Monitor().StateLock());
    return window->Monitor().State();
  }

  BoxRecorder boxes;
  std::unique_ptr<DemoServer> server_;
  WindowUnderTest window;
};

TEST_F(ModernServerTest, ShowsNameMapPlayersAndEverySplitRule) {
  struct Case {
    const char* what;
    ModernInfoReply reply;
    uint8_t protocol;  // 48 from 'I', 47 from 'm'
  } cases[] = {
      {"information replies", ModernInfoReply::kInfo, 48},
      {"details replies instead", ModernInfoReply::kDetails, 47},
      {"both: the details win", ModernInfoReply::kBoth, 47},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DemoConfig config = ModernConfig(c.reply);
    StartServer(config);
    ASSERT_TRUE(PumpUntil([&] {
      return ShowsPlayers(3) && Caption() == "crossfire [3/16] on Tarnwick Demo Server - Tarnwick";
    })) << Caption();
    // Today's servers send index 0 for every player, so the rows' order among themselves is open.
    EXPECT_EQ(Names(), (std::set<std::string>{"Freeman", "Barney", "[TW] Alyx"}));
    EXPECT_EQ(window->Monitor().Kind(), ServerKind::Modern);
    EXPECT_TRUE(window->Commands().IsEnabled(ID_FILE_JOIN));
    ServerState state = State();
    EXPECT_EQ(state.hostName, "Tarnwick Demo Server");
    EXPECT_EQ(state.map, "crossfire");
    EXPECT_EQ(state.gameDir, "valve");
    EXPECT_EQ(state.isMod, 0);
    EXPECT_TRUE(state.dedicated);
    EXPECT_EQ(state.os, 'l');
    EXPECT_EQ(state.protocol, c.protocol);

    // What the Server Info sheet asks for when it opens.
    window->Monitor().SendQuery("details");
    window->Monitor().SendQuery("rules");
    auto storedRules = [&] { return ReadRules(window->Monitor().Rules().Copy()); };
    ASSERT_TRUE(PumpUntil([&] { return storedRules() == config.rules; }))
        << storedRules().size() << " rules";
    state = State();
    EXPECT_EQ(state.protocol, c.protocol) << "a later reply does not switch versions";

    // Refresh follows a change on the server.
    server_->SetPlayers({{"Gordon", 1, 5.0f}});
    SendCommand(window.hwnd(), ID_VIEW_REFRESH);
    ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(1); }));
    EXPECT_TRUE(boxes.Boxes().empty());

    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
    EXPECT_EQ(window->Monitor().Kind(), ServerKind::Unknown);
    server_->Stop();
  }
}

TEST_F(ModernServerTest, QueriesStayFewAndTextQueriesStopOnceTheServerIsKnown) {
  StartServer(ModernConfig(ModernInfoReply::kInfo));
  ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(3); }));
  // details, ping, then T, T with the challenge, U with it: no more for the first screen.
  const auto first = server_->ReceivedRequests();
  EXPECT_LE(first.size(), 5u);
  const size_t before = first.size();
  SendCommand(window.hwnd(), ID_VIEW_REFRESH);
  ASSERT_TRUE(server_->WaitForRequests(before + 2, std::chrono::milliseconds(2000)));
  // Let the answers come in; none of them may ask for more.
  PumpUntil([] { return false; }, 300);
  const auto requests = server_->ReceivedRequests();
  ASSERT_EQ(requests.size(), before + 2) << "Refresh: one info and one players query";
  EXPECT_TRUE(IsBinaryQuery(requests[before]));
  EXPECT_TRUE(IsBinaryQuery(requests[before + 1]));

  // A challenge the server no longer takes: each query is asked once more with the new number.
  server_->ExpireChallenges();
  server_->SetPlayers({{"Gordon", 1, 5.0f}, {"Eli", 2, 6.0f}, {"Kleiner", 3, 7.0f}});
  SendCommand(window.hwnd(), ID_VIEW_REFRESH);
  const std::set<std::string> renamed = {"Gordon", "Eli", "Kleiner"};
  ASSERT_TRUE(PumpUntil([&] { return Names() == renamed; }));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(server_->ReceivedRequests().size(), before + 2 + 4);
}

TEST_F(ModernServerTest, AClassicServerNeverSeesABinaryQuery) {
  StartServer(DemoConfig());
  ASSERT_TRUE(PumpUntil([&] { return ShowsPlayers(3); }));
  SendCommand(window.hwnd(), ID_VIEW_REFRESH);
  window->Monitor().SendQuery("details");
  window->Monitor().SendQuery("rules");
  ASSERT_TRUE(PumpUntil([&] { return !window->Monitor().Rules().Copy().empty(); }));
  EXPECT_EQ(window->Monitor().Kind(), ServerKind::Old);
  for (const auto& request : server_->ReceivedRequests()) {
    EXPECT_FALSE(IsBinaryQuery(request)) << request.Text();
  }
}

}  // namespace
}  // namespace tarnwick
