// The monitor against servers of today, with a recording host: which queries go out in which form,
// the challenge bookkeeping, 'I' and 'm' replies, split replies and the rcon challenge.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/engine/monitor_fixture.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;
using testing::MonitorRig;
using testing::PingReply;
using Texts = std::vector<std::string>;
using Datagrams = std::vector<std::vector<uint8_t>>;

constexpr uint32_t kChallenge = 0x12345678;  // 305419896

std::vector<uint8_t> SourceInfo(const std::string& name, uint8_t players) {
  ByteBuilder b;
  b.Prefix().Text("I").Byte(48).Str(name).Str("crossfire").Str("valve").Str("Half-Life");
  b.I16(70).Byte(players).Byte(16).Byte(0).Byte('d').Byte('l').Byte(0).Byte(1).Str("1.1.2.7");
  return b.Bytes();
}

std::vector<uint8_t> Details(const std::string& name, uint8_t players) {
  ByteBuilder b;
  b.Prefix().Text("m").Str("127.0.0.2:27016").Str(name).Str("crossfire").Str("valve");
  b.Str("Half-Life").Byte(players).Byte(16).Byte(47).Byte('d').Byte('w').Byte(0).Byte(0);
  return b.Bytes();
}

std::vector<uint8_t> Challenge(uint32_t value) {
  return ByteBuilder().Prefix().Text("A").I32(static_cast<int32_t>(value)).Bytes();
}

class ModernMonitorTest : public ::testing::Test, public MonitorRig {
 protected:
  // Connects to a server of today that wants a challenge for everything, up to Modern.
  void ConnectToModernServer() {
    ConnectTo();
    Receive(PingReply());
    Receive(Challenge(kChallenge));
    Sent();
  }
};

TEST_F(ModernMonitorTest, AServerThatAnswersTextGetsNothingElse) {
  ConnectTo();
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  Receive(Details("Classic", 2));
  EXPECT_EQ(Sent(), (Texts{"players"})) << "the count changed while shown";
  Receive(PingReply());
  EXPECT_EQ(monitor.Kind(), ServerKind::Old);
  monitor.Refresh();
  monitor.SendQuery("rules");
  Tick(TimerId::Info);
  EXPECT_EQ(Sent(), (Texts{"info", "players", "rules", "info"}));
  Receive(Challenge(kChallenge));
  EXPECT_EQ(Sent(), Texts{}) << "a challenge asked for by nobody is not answered";
}

TEST_F(ModernMonitorTest, APingWithoutTextAnswerStartsTheBinaryQueries) {
  ConnectTo();
  monitor.SendQuery("rules");
  EXPECT_EQ(Sent(), (Texts{"details", "ping", "rules"}));
  EXPECT_EQ(monitor.Kind(), ServerKind::Unknown);
  Receive(PingReply());
  EXPECT_EQ(Sent(), (Texts{"T", "V:-1"})) << "every text query still unanswered, in binary";
  EXPECT_EQ(monitor.Kind(), ServerKind::TextSilent);
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "T", "players", "U:-1"})) << "both forms while unsure";
  Receive(PingReply());
  EXPECT_EQ(Sent(), Texts{}) << "the probe happens once";

  Receive(Challenge(kChallenge));
  EXPECT_EQ(monitor.Kind(), ServerKind::Modern);
  EXPECT_EQ(monitor.QueryChallenge(), kChallenge);
  EXPECT_EQ(Sent(), (Texts{"T:305419896", "U:305419896", "V:305419896"}));

  Receive(SourceInfo("Today", 3));
  EXPECT_EQ(Sent(), (Texts{"U:305419896"})) << "the count changed on screen: players, binary";
  EXPECT_EQ(monitor.State().hostName, "Today");
  EXPECT_TRUE(host.enabled[ID_FILE_JOIN]);
  EXPECT_EQ(host.autojoinChecks, 1);
  EXPECT_EQ(host.infoChanges, 1);

  monitor.Refresh();
  monitor.SendQuery("rules");
  Tick(TimerId::Ping);
  EXPECT_EQ(Sent(), (Texts{"T:305419896", "U:305419896", "V:305419896", "ping"}));
}

TEST(ModernMonitor, ARequestIsRepeatedOnceAndOnlyWithANewChallenge) {
  struct Case {
    const char* what;
    uint32_t known;                    // the challenge the server gave before, 0 for none
    std::vector<uint32_t> challenges;  // 'A' replies in a row after one "players"
    Texts sent;
  } cases[] = {
      {"asked for one: one repeat", 0, {7}, {"U:-1", "U:7"}},
      {"a second challenge does not repeat again", 0, {7, 8}, {"U:-1", "U:7"}},
      {"sent with the number the server repeats: not again", 5, {5}, {"U:5"}},
      {"then a new number: one repeat", 5, {5, 99, 100}, {"U:5", "U:99"}},
  };
  for (const Case& c : cases) {
    MonitorRig rig;
    rig.ConnectTo();
    rig.Receive(PingReply());
    if (c.known != 0) rig.Receive(Challenge(c.known));
    rig.Receive(SourceInfo("Today", 0));  // Modern, the count unchanged
    rig.Sent();
    rig.monitor.SendQuery("players");
    for (uint32_t challenge : c.challenges) rig.Receive(Challenge(challenge));
    EXPECT_EQ(rig.Sent(), c.sent) << c.what;
    EXPECT_EQ(rig.monitor.QueryChallenge(), c.challenges.back()) << c.what;
  }
}

TEST_F(ModernMonitorTest, MalformedChallengesAreIgnored) {
  ConnectTo();
  Receive(PingReply());
  Sent();
  Receive(ByteBuilder().Prefix().Text("A").Byte(1).Byte(2).Byte(3).Bytes());
  Receive(ByteBuilder().Prefix().Text("A").Bytes());
  EXPECT_EQ(Sent(), Texts{});
  EXPECT_FALSE(monitor.QueryChallenge().has_value());
  EXPECT_EQ(monitor.Kind(), ServerKind::TextSilent);
}

TEST_F(ModernMonitorTest, EveryConnectionStartsWithoutKindOrChallenge) {
  ConnectToModernServer();
  monitor.Disconnect();
  EXPECT_EQ(monitor.Kind(), ServerKind::Unknown);
  EXPECT_FALSE(monitor.QueryChallenge().has_value());
  ConnectTo();
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  Receive(PingReply());
  EXPECT_EQ(Sent(), (Texts{"T"})) << "no challenge of the last connection";
}

TEST_F(ModernMonitorTest, AnInformationReplyWhileUnsureMakesTheServerOld) {
  ConnectTo();
  Receive(PingReply());
  Sent();
  Receive(ByteBuilder().Prefix().Text("C").Str("").Str("Late").Str("crossfire").Str("valve")
              .Str("Half-Life").Byte(0).Byte(16).Byte(47).Bytes());
  EXPECT_EQ(monitor.Kind(), ServerKind::Old);
  EXPECT_EQ(monitor.State().hostName, "Late");
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "players"}));
}

TEST(ModernMonitor, AfterADetailsReplyInformationRepliesChangeNothing) {
  struct Case {
    const char* what;
    Datagrams replies;
    const char* name;
    uint8_t protocol;
    int infoChanges;
  } cases[] = {
      {"details, then information", {Details("Details", 3), SourceInfo("Info", 4)}, "Details", 47,
       1},
      {"information, details, information",
       {SourceInfo("Info", 4), Details("Details", 3), SourceInfo("Info", 5)}, "Details", 47, 2},
      {"information only", {SourceInfo("Info", 4), SourceInfo("Info 2", 5)}, "Info 2", 48, 2},
  };
  for (const Case& c : cases) {
    MonitorRig rig;
    rig.ConnectTo();
    rig.Receive(PingReply());
    for (const auto& reply : c.replies) rig.Receive(reply);
    EXPECT_EQ(rig.monitor.State().hostName, c.name) << c.what;
    EXPECT_EQ(rig.monitor.State().protocol, c.protocol) << c.what;
    EXPECT_EQ(rig.host.infoChanges, c.infoChanges) << c.what;
  }
}

TEST_F(ModernMonitorTest, SplitRepliesAreJoinedFromTheServersAddressOnly) {
  ConnectToModernServer();
  const auto piece = [](int32_t sequence, uint8_t indexAndCount, const std::vector<uint8_t>& whole,
                        size_t begin, size_t end) {
    return ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(sequence).Byte(indexAndCount)
        .Raw(whole.data() + begin, end - begin).Bytes();
  };
  const auto rules = ByteBuilder().Prefix().Text("E").I16(1).Str("mp_timelimit").Str("30").Bytes();
  Receive(piece(42, 0x12, rules, 10, rules.size()));
  Receive(piece(42, 0x02, rules, 0, 10), Ipv4Endpoint{{127, 0, 0, 3}, 27016});
  Receive(piece(42, 0x02, rules, 0, 10), Ipv4Endpoint{testing::kServer, 27017});
  EXPECT_EQ(host.rulesChanges, 0) << "pieces from elsewhere are not the server's";
  Receive(piece(42, 0x02, rules, 0, 10));
  EXPECT_EQ(host.rulesChanges, 1);
  EXPECT_EQ(monitor.Rules().Copy(), std::vector<uint8_t>(rules.begin() + 5, rules.end()));

  // Any reply type may come split; one that is not a reply once joined is dropped.
  const std::vector<uint8_t> info = SourceInfo("Split info", 3);
  Receive(piece(43, 0x02, info, 0, 10));
  Receive(piece(43, 0x12, info, 10, info.size()));
  EXPECT_EQ(monitor.State().hostName, "Split info");
  const auto nested = piece(1, 0x01, ByteBuilder().Prefix().Str("lnested").Bytes(), 0, 12);
  Receive(piece(44, 0x01, nested, 0, nested.size()));
  const auto noPrefix = ByteBuilder().Str("lno prefix").Bytes();
  Receive(piece(45, 0x01, noPrefix, 0, noPrefix.size()));
  EXPECT_EQ(host.console, "");
}

TEST_F(ModernMonitorTest, RconChallengeRepliesGoToTheHost) {
  ConnectTo();
  struct Case {
    const char* text;
    std::vector<uint32_t> challenges;
  } cases[] = {
      {"challenge rcon 2471038475\n", {2471038475u}},
      {"challenge rcon 0 \r\n", {0}},
      {"challenge rcon abc\n", {}},
      {"challenge rcon 4294967296\n", {}},
      {"challenge rcon 5 6\n", {}},
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
