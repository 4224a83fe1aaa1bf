// The monitor against servers of today, with a recording host: which queries go out in which form,
// the challenge bookkeeping, 'I' and 'm' replies, split replies and the rcon challenge.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/server_monitor.h"
#include "resources/resource.h"
#include "tests/support/byte_builder.h"
#include "tests/support/fake_monitor_host.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;
using testing::FakeMonitorHost;
using Texts = std::vector<std::string>;

const Ipv4Address kServer = {{127, 0, 0, 2}};
constexpr uint32_t kChallenge = 0x12345678;  // 305419896
constexpr char kSourceQuery[] = "Source Engine Query";

// A request as a short text: the text query itself, "T" or "T:<challenge>", "U:<challenge>" and
// "V:<challenge>" (the challenge as a signed number, so asking for one reads -1).
std::string Describe(const std::vector<uint8_t>& d) {
  if (d.size() < 5) return "?";
  auto number = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(d[at + i]) << (8 * i);
    return std::to_string(static_cast<int32_t>(v));
  };
  const size_t queryEnd = 5 + sizeof(kSourceQuery);
  if (d[4] == 'T' && d.size() >= queryEnd &&
      std::memcmp(&d[5], kSourceQuery, sizeof(kSourceQuery)) == 0) {
    if (d.size() == queryEnd) return "T";
    if (d.size() == queryEnd + 4) return "T:" + number(queryEnd);
    return "T?";
  }
  if ((d[4] == 'U' || d[4] == 'V') && d.size() == 9) {
    return std::string(1, static_cast<char>(d[4])) + ":" + number(5);
  }
  return std::string(d.begin() + 4, d.end() - 1);
}

ByteBuilder SourceInfo(const std::string& name, uint8_t players, uint8_t protocol = 48) {
  ByteBuilder b;
  b.Prefix().Text("I").Byte(protocol).Str(name).Str("crossfire").Str("valve").Str("Half-Life");
  b.I16(70).Byte(players).Byte(16).Byte(0).Byte('d').Byte('l').Byte(0).Byte(1).Str("1.1.2.7");
  return b;
}

ByteBuilder Details(const std::string& name, uint8_t players) {
  ByteBuilder b;
  b.Prefix().Text("m").Str("127.0.0.2:27016").Str(name).Str("crossfire").Str("valve");
  b.Str("Half-Life").Byte(players).Byte(16).Byte(47).Byte('d').Byte('w').Byte(0).Byte(0);
  return b;
}

std::vector<uint8_t> Challenge(uint32_t value) {
  return ByteBuilder().Prefix().Text("A").I32(static_cast<int32_t>(value)).Bytes();
}

std::vector<uint8_t> Ping() { return ByteBuilder().Prefix().Str("j").Bytes(); }

class ModernMonitorTest : public ::testing::Test {
 protected:
  Settings settings;
  FakeMonitorHost host;
  ServerMonitor monitor{host, settings};
  size_t mark = 0;

  void ConnectTo() {
    monitor.Connect("alpha.example:27016", false);
    monitor.OnLookupDone(host.nextTask - 1, 0, kServer);
  }
  void Receive(const std::vector<uint8_t>& datagram, Ipv4Endpoint from = {}) {
    if (from.port == 0) from = monitor.ServerAddress();
    ReceiveResult result;
    result.from = from;
    result.data = datagram.data();
    result.length = datagram.size();
    monitor.OnReceive(result);
  }
  // The requests sent since the last call.
  Texts Sent() {
    Texts texts;
    for (size_t i = mark; i < host.sent.size(); ++i) texts.push_back(Describe(host.sent[i]));
    mark = host.sent.size();
    return texts;
  }
  // Connects to a server of today that wants a challenge for everything, up to Modern.
  void ConnectToModernServer() {
    ConnectTo();
    Sent();
    Receive(Ping());
    Receive(Challenge(kChallenge));
    Sent();
  }
};

TEST_F(ModernMonitorTest, AServerThatAnswersTextGetsNothingElse) {
  ConnectTo();
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  Receive(Details("Classic", 2).Bytes());
  EXPECT_EQ(Sent(), (Texts{"players"})) << "the count changed while shown";
  Receive(Ping());
  EXPECT_EQ(monitor.Kind(), ServerKind::Old);
  monitor.Refresh();
  monitor.SendQuery("rules");
  monitor.SendQuery("details");
  monitor.OnTimer(static_cast<uint32_t>(TimerId::Info));
  EXPECT_EQ(Sent(), (Texts{"info", "players", "rules", "details", "info"}));
  Receive(Challenge(kChallenge));
  EXPECT_EQ(Sent(), Texts{}) << "a challenge asked for by nobody is not answered";
}

TEST_F(ModernMonitorTest, APingWithoutTextAnswerStartsTheBinaryQueries) {
  ConnectTo();
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  EXPECT_EQ(monitor.Kind(), ServerKind::Unknown);
  Receive(Ping());
  EXPECT_EQ(Sent(), (Texts{"T"}));
  EXPECT_EQ(monitor.Kind(), ServerKind::TextSilent);
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "T", "players", "U:-1"})) << "both forms while unsure";
  Receive(Ping());
  EXPECT_EQ(Sent(), Texts{}) << "the probe happens once";

  Receive(Challenge(kChallenge));
  EXPECT_EQ(monitor.Kind(), ServerKind::Modern);
  EXPECT_EQ(monitor.QueryChallenge(), kChallenge);
  EXPECT_EQ(Sent(), (Texts{"T:305419896", "U:305419896"}));

  Receive(SourceInfo("Today", 3).Bytes());
  EXPECT_EQ(Sent(), (Texts{"U:305419896"})) << "the count changed on screen: players, binary";
  EXPECT_EQ(monitor.State().hostName, "Today");
  EXPECT_EQ(monitor.State().map, "crossfire");
  EXPECT_EQ(monitor.State().protocol, 48);
  EXPECT_EQ(monitor.State().address, "127.0.0.2:27016");
  EXPECT_TRUE(host.enabled[ID_FILE_JOIN]);
  EXPECT_EQ(host.autojoinChecks, 1);
  EXPECT_EQ(host.infoChanges, 1);
  EXPECT_GE(host.captions, 1);

  Receive(ByteBuilder().Prefix().Text("D").Byte(2).Byte(0).Str("Ann").I32(4).F32(60).Byte(0)
              .Str("Bob").I32(1).F32(5).Bytes());
  ASSERT_EQ(host.players.size(), 2u);
  EXPECT_EQ(host.players[1].name, "Bob");
  EXPECT_EQ(host.players[1].index, "0");

  monitor.Refresh();
  monitor.SendQuery("rules");
  monitor.OnTimer(static_cast<uint32_t>(TimerId::Ping));
  EXPECT_EQ(Sent(), (Texts{"T:305419896", "U:305419896", "V:305419896", "ping"}));
}

TEST_F(ModernMonitorTest, PendingTextQueriesGetTheirBinaryFormAtTheProbe) {
  ConnectTo();
  monitor.SendQuery("players");
  monitor.SendQuery("rules");
  Sent();
  Receive(Ping());
  EXPECT_EQ(Sent(), (Texts{"T", "U:-1", "V:-1"}));
}

TEST_F(ModernMonitorTest, ARequestIsRepeatedOnceAndOnlyWithANewChallenge) {
  struct Case {
    const char* what;
    std::vector<uint32_t> challenges;  // 'A' replies in a row after one "players"
    Texts sent;
  } cases[] = {
      {"one challenge, one repeat", {7}, {"U:-1", "U:7"}},
      {"a second challenge does not repeat again", {7, 8}, {"U:-1", "U:7"}},
      {"the same challenge twice", {7, 7}, {"U:-1", "U:7"}},
  };
  for (const Case& c : cases) {
    FakeMonitorHost h;
    Settings s;
    ServerMonitor m(h, s);
    m.Connect("alpha.example:27016", false);
    m.OnLookupDone(h.nextTask - 1, 0, kServer);
    auto receive = [&](const std::vector<uint8_t>& d) {
      ReceiveResult r;
      r.from = m.ServerAddress();
      r.data = d.data();
      r.length = d.size();
      m.OnReceive(r);
    };
    receive(Ping());  // -> T
    receive(SourceInfo("Today", 0).Bytes());  // Modern, no count change
    h.sent.clear();
    m.SendQuery("players");
    for (uint32_t challenge : c.challenges) receive(Challenge(challenge));
    Texts sent;
    for (const auto& d : h.sent) sent.push_back(Describe(d));
    EXPECT_EQ(sent, c.sent) << c.what;
    EXPECT_EQ(m.QueryChallenge(), c.challenges.back()) << c.what;
  }
}

TEST_F(ModernMonitorTest, AQuerySentWithTheChallengeTheServerRepeatsIsNotSentAgain) {
  ConnectToModernServer();
  monitor.SendQuery("rules");
  EXPECT_EQ(Sent(), (Texts{"V:305419896"}));
  Receive(Challenge(kChallenge));
  EXPECT_EQ(Sent(), Texts{});
  Receive(Challenge(99));
  EXPECT_EQ(Sent(), (Texts{"V:99"})) << "a new number: one repeat";
  Receive(Challenge(100));
  EXPECT_EQ(Sent(), Texts{});
}

TEST_F(ModernMonitorTest, MalformedChallengesAreIgnored) {
  ConnectTo();
  Receive(Ping());
  Sent();
  Receive(ByteBuilder().Prefix().Text("A").Byte(1).Byte(2).Byte(3).Bytes());
  Receive(ByteBuilder().Prefix().Text("A").Bytes());
  EXPECT_EQ(Sent(), Texts{});
  EXPECT_FALSE(monitor.QueryChallenge().has_value());
  EXPECT_EQ(monitor.Kind(), ServerKind::TextSilent);
}

TEST_F(ModernMonitorTest, EveryConnectionStartsWithoutKindOrChallenge) {
  ConnectToModernServer();
  EXPECT_EQ(monitor.Kind(), ServerKind::Modern);
  monitor.Disconnect();
  EXPECT_EQ(monitor.Kind(), ServerKind::Unknown);
  EXPECT_FALSE(monitor.QueryChallenge().has_value());
  mark = host.sent.size();
  ConnectTo();
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  Receive(Ping());
  EXPECT_EQ(Sent(), (Texts{"T"})) << "no challenge of the last connection";
}

TEST_F(ModernMonitorTest, AnInformationReplyWhileUnsureMakesTheServerOld) {
  ConnectTo();
  Receive(Ping());
  Sent();
  Receive(ByteBuilder().Prefix().Text("C").Str("").Str("Late").Str("crossfire").Str("valve")
              .Str("Half-Life").Byte(0).Byte(16).Byte(47).Bytes());
  EXPECT_EQ(monitor.Kind(), ServerKind::Old);
  EXPECT_EQ(monitor.State().hostName, "Late");
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "players"}));
}

TEST_F(ModernMonitorTest, AfterADetailsReplyInformationRepliesChangeNothing) {
  struct Case {
    const char* what;
    std::vector<std::vector<uint8_t>> replies;
    const char* name;
    uint8_t protocol;
    int infoChanges;
  } cases[] = {
      {"details, then information", {Details("Details", 3).Bytes(), SourceInfo("Info", 4).Bytes()},
       "Details", 47, 1},
      {"information, details, information",
       {SourceInfo("Info", 4).Bytes(), Details("Details", 3).Bytes(),
        SourceInfo("Info", 5).Bytes()},
       "Details", 47, 2},
      {"information only", {SourceInfo("Info", 4).Bytes(), SourceInfo("Info 2", 5).Bytes()},
       "Info 2", 48, 2},
  };
  for (const Case& c : cases) {
    FakeMonitorHost h;
    Settings s;
    ServerMonitor m(h, s);
    m.Connect("alpha.example:27016", false);
    m.OnLookupDone(h.nextTask - 1, 0, kServer);
    std::vector<std::vector<uint8_t>> replies = {Ping()};
    replies.insert(replies.end(), c.replies.begin(), c.replies.end());
    for (const auto& d : replies) {
      ReceiveResult r;
      r.from = m.ServerAddress();
      r.data = d.data();
      r.length = d.size();
      m.OnReceive(r);
    }
    EXPECT_EQ(m.State().hostName, c.name) << c.what;
    EXPECT_EQ(m.State().protocol, c.protocol) << c.what;
    EXPECT_EQ(h.infoChanges, c.infoChanges) << c.what;
  }
}

TEST_F(ModernMonitorTest, SplitRepliesAreJoinedFromTheServersAddressOnly) {
  ConnectToModernServer();
  ByteBuilder rules;
  rules.Prefix().Text("E").I16(60);
  for (int i = 0; i < 60; ++i) {
    rules.Str("sv_rule_" + std::to_string(i)).Str("value of rule number " + std::to_string(i));
  }
  const std::vector<uint8_t>& whole = rules.Bytes();
  ASSERT_GT(whole.size(), 1400u);
  const size_t pieceSize = (whole.size() + 2) / 3;
  auto piece = [&](int index) {
    const size_t begin = static_cast<size_t>(index) * pieceSize;
    const size_t end = std::min(whole.size(), begin + pieceSize);
    return ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(42).Byte(static_cast<uint8_t>(index << 4 | 3))
        .Raw(whole.data() + begin, end - begin).Bytes();
  };
  Receive(piece(2));
  Receive(piece(0));
  Receive(piece(1), Ipv4Endpoint{{127, 0, 0, 3}, 27016});
  Receive(piece(1), Ipv4Endpoint{kServer, 27017});
  EXPECT_EQ(host.rulesChanges, 0) << "pieces from elsewhere are not the server's";
  Receive(piece(0));
  EXPECT_EQ(host.rulesChanges, 0) << "a duplicate finishes nothing";
  Receive(piece(1));
  EXPECT_EQ(host.rulesChanges, 1);
  EXPECT_EQ(monitor.Rules().Copy(), std::vector<uint8_t>(whole.begin() + 5, whole.end()));

  // Any reply type may come split; one that is not a reply once joined is dropped.
  const std::vector<uint8_t> info = SourceInfo("Split info", 3).Bytes();
  Receive(ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(43).Byte(0x02).Raw(info.data(), 10).Bytes());
  Receive(ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(43).Byte(0x12)
              .Raw(info.data() + 10, info.size() - 10).Bytes());
  EXPECT_EQ(monitor.State().hostName, "Split info");
  Receive(ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(44).Byte(0x01).Text("\xFE\xFF\xFF\xFF").I32(1)
              .Byte(0x01).Str("lnested").Bytes());
  Receive(ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(45).Byte(0x01).Str("no prefix").Bytes());
  EXPECT_EQ(host.console, "");
}

TEST_F(ModernMonitorTest, RconChallengeRepliesGoToTheHost) {
  ConnectTo();
  struct Case {
    const char* text;
    std::vector<uint32_t> challenges;
  } cases[] = {
      {"challenge rcon 2471038475\n", {2471038475u}},
      {"challenge rcon 12", {12}},
      {"challenge rcon 0 \r\n", {0}},
      {"challenge rcon \n", {}},
      {"challenge rcon abc\n", {}},
      {"challenge rcon 4294967296\n", {}},
      {"challenge rcon 5 6\n", {}},
      {"challenge  rcon 5\n", {}},
      {"challenges rcon 5\n", {}},
  };
  for (const Case& c : cases) {
    host.rconChallenges.clear();
    Receive(ByteBuilder().Prefix().Str(c.text).Bytes());
    EXPECT_EQ(host.rconChallenges, c.challenges) << c.text;
  }
  EXPECT_EQ(host.console, "") << "the challenge is no console output";
}

}  // namespace
}  // namespace tarnwick
