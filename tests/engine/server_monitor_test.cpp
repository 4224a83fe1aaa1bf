// The server monitor with a recording host: connecting, replies, timers, errors and the decisions
// that keep forged or stale input out; against servers of today, which queries go out in which
// form, the challenge bookkeeping, 'I' and 'm' replies, split replies and the rcon challenge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/server_monitor.h"
#include "resources/resource.h"
#include "tests/support/byte_builder.h"
#include "tests/support/fake_monitor_host.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;
using testing::FakeMonitorHost;
using Texts = std::vector<std::string>;
using Datagrams = std::vector<std::vector<uint8_t>>;

const Ipv4Address kServer = {{127, 0, 0, 2}};

// A request as a short text: a text query as itself, "T" or "T:<challenge>", "U:<challenge>" and
// "V:<challenge>" (the challenge signed, so asking for one reads -1). The wire format tests check
// the bytes of the binary queries.
std::string Describe(const std::vector<uint8_t>& d) {
  const auto number = [&](size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4 && at + i < d.size(); ++i) value |= uint32_t{d[at + i]} << (8 * i);
    return std::to_string(static_cast<int32_t>(value));
  };
  constexpr size_t kInfoQuerySize = 5 + sizeof("Source Engine Query");
  switch (d[4]) {
    case 'T': return d.size() == kInfoQuerySize ? "T" : "T:" + number(kInfoQuerySize);
    case 'U':
    case 'V': return std::string(1, static_cast<char>(d[4])) + ":" + number(5);
    default: return std::string(d.begin() + 4, d.end() - 1);
  }
}

std::vector<uint8_t> PingReply() { return ByteBuilder().Prefix().Str("j").Bytes(); }

// A monitor on a recording host: it connects to kServer, hands the monitor datagrams as the
// socket would, and lists the requests it sent as short texts.
struct MonitorRig {
  Settings settings;
  FakeMonitorHost host;
  ServerMonitor monitor{host, settings};
  size_t mark = 0;

  // Connects; the lookup answers kServer.
  void ConnectTo(const std::string& text = "alpha.example:27016") {
    monitor.Connect(text, false);
    monitor.OnLookupDone(host.nextTask - 1, 0);
  }
  // A read of `datagram` from `from` (the server when its port is 0) that gave `error`.
  void Receive(const std::vector<uint8_t>& datagram, Ipv4Endpoint from = {}, int error = 0) {
    ReceiveResult result;
    result.error = error;
    result.from = from.port != 0 ? from : monitor.ServerAddress();
    result.data = datagram.data();
    result.length = datagram.size();
    monitor.OnReceive(result);
  }
  void Tick(TimerId id) { monitor.OnTimer(static_cast<uint32_t>(id)); }
  // The requests sent since the last call.
  std::vector<std::string> Sent() {
    std::vector<std::string> texts;
    for (; mark < host.sent.size(); ++mark) texts.push_back(Describe(host.sent[mark]));
    return texts;
  }
};

class MonitorTest : public ::testing::Test, public MonitorRig {};

constexpr uint32_t kChallenge = 0x12345678;  // 305419896

TEST_F(MonitorTest, ConnectingSendsDetailsAndOnePingAndSetsEverythingUp) {
  monitor.Connect("alpha.example:27016", false);
  EXPECT_EQ(host.lookups, Texts{"alpha.example"});
  EXPECT_EQ(host.states.back(), IDS_STATE_CONNECTING);
  EXPECT_TRUE(monitor.IsResolving());
  monitor.OnLookupDone(host.nextTask - 1, 0);

  EXPECT_TRUE(monitor.IsConnected());
  EXPECT_EQ(host.states.back(), IDS_STATE_CONNECTED);
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  EXPECT_EQ(host.sentTo.front(), (Ipv4Endpoint{kServer, 27016}));
  EXPECT_EQ(monitor.State().address, "127.0.0.2:27016");
  EXPECT_EQ(monitor.State().pingsSent, 1u);
  EXPECT_EQ(host.recent, Texts{"alpha.example:27016"});
  for (int command : {ID_VIEW_REFRESH, ID_FILE_DISCONNECT, ID_TOOLS_REMOTE_CONSOLE}) {
    EXPECT_TRUE(host.enabled[command]) << command;
  }
  EXPECT_FALSE(host.enabled[ID_VIEW_SERVER_INFO]) << "only a ping reply enables the sheet";
  EXPECT_EQ(host.timers,
            (std::map<TimerId, uint32_t>{{TimerId::Ping, 15000}, {TimerId::Info, 90000}}));
  EXPECT_EQ(host.consoleConnects, (std::vector<std::pair<uint16_t, bool>>{{50000, false}}));
  EXPECT_EQ(host.readNotifications, 1);
  EXPECT_EQ(monitor.ConnectedPort(), 27016);
}

TEST_F(MonitorTest, ASecondConnectCancelsTheFirstLookupAndIgnoresItsCompletion) {
  monitor.Connect("first.example", false);
  const LookupTask first = host.nextTask - 1;
  monitor.Connect("second.example:27020", false);
  EXPECT_EQ(host.cancelled, std::vector<LookupTask>{first});
  monitor.OnLookupDone(first, 0);
  EXPECT_FALSE(monitor.IsConnected()) << "a replaced lookup's answer is not taken";
  EXPECT_EQ(host.lookupReads, 0) << "nor even read";
  monitor.OnLookupDone(host.nextTask - 1, 0);
  EXPECT_TRUE(monitor.IsConnected());
  EXPECT_EQ(monitor.ServerAddress(), (Ipv4Endpoint{kServer, 27020}));
}

TEST_F(MonitorTest, FailuresReportCantConnectAndLeaveTheWindowIdle) {
  struct Case {
    const char* what;
    bool lookupStarts;
    int lookupError;
    bool addressRecordFits;
    bool socketOpens;
    bool readNotificationsWork;
  } cases[] = {
      {"the lookup cannot start", false, 0, true, true, true},
      {"the lookup fails", true, 11001, true, true, true},
      {"the address record is not 4 bytes", true, 0, false, true, true},
      {"the socket cannot be bound", true, 0, true, false, true},
      {"read notifications cannot be set up", true, 0, true, true, false},
  };
  for (const Case& c : cases) {
    MonitorRig rig;
    rig.host.lookupStarts = c.lookupStarts;
    if (!c.addressRecordFits) rig.host.lookupAnswer.reset();
    rig.host.socketOpens = c.socketOpens;
    rig.host.readNotificationsWork = c.readNotificationsWork;
    rig.monitor.Connect("nowhere.example", false);
    if (c.lookupStarts) rig.monitor.OnLookupDone(rig.host.nextTask - 1, c.lookupError);
    EXPECT_EQ(rig.host.errors,
              (std::vector<std::pair<int, std::string>>{{IDS_CANT_CONNECT, "nowhere.example"}}))
        << c.what;
    EXPECT_FALSE(rig.monitor.IsConnected() || rig.monitor.IsResolving()) << c.what;
    EXPECT_EQ(rig.host.states.back(), IDS_STATE_NOT_CONNECTED) << c.what;
    EXPECT_TRUE(rig.host.sent.empty()) << c.what;
    EXPECT_EQ(rig.host.socketsOpened, rig.host.socketsClosed) << c.what;
  }
}

TEST_F(MonitorTest, CloneWhileConnectedAsksForANewWindow) {
  monitor.Connect("other:1", true);
  EXPECT_TRUE(host.newWindows.empty()) << "Clone while idle connects here";
  monitor.OnLookupDone(host.nextTask - 1, 0);
  monitor.Connect("third:2", true);
  EXPECT_EQ(host.newWindows, Texts{"third:2"});
  EXPECT_TRUE(monitor.IsConnected());
  host.shiftHeld = true;
  monitor.Connect("fourth:3", false);
  EXPECT_EQ(host.newWindows.size(), 2u);
  host.shiftHeld = false;
  monitor.Connect("fifth:4", false);
  EXPECT_FALSE(monitor.IsConnected()) << "Connect in this window disconnects first";
  EXPECT_EQ(host.lookups.back(), "fifth");
}

TEST_F(MonitorTest, RepliesFromAnyOtherSourceAreDropped) {
  ConnectTo();
  const auto reply = ByteBuilder().Prefix().Text("l").Str("forged").Bytes();
  Receive(reply, Ipv4Endpoint{kServer, 27017});
  Receive(reply, Ipv4Endpoint{{127, 0, 0, 3}, 27016});
  EXPECT_EQ(host.console, "");
  Receive(reply);
  EXPECT_EQ(host.console, "forged");
  EXPECT_EQ(host.consoleLogLines, 0);
}

TEST_F(MonitorTest, DispatchesEveryReplyType) {
  ConnectTo();
  host.now = 5000;
  Tick(TimerId::Ping);
  host.now = 5040;
  Receive(PingReply());
  EXPECT_EQ(host.pingText, "40") << "timed against the newest ping";
  EXPECT_EQ(monitor.State().pingMin, 40u);
  EXPECT_TRUE(host.enabled[ID_VIEW_SERVER_INFO]);
  EXPECT_EQ(host.pingChanges, 1);

  Receive(ByteBuilder().Prefix().Text("C").Str("").Str("Alpha").Str("de_dust").Str("valve")
              .Str("Half-Life").Byte(15).Byte(16).Byte(47).Bytes());
  EXPECT_EQ(monitor.State().hostName, "Alpha");
  EXPECT_EQ(monitor.State().address, "127.0.0.2:27016") << "an empty address changes nothing";
  EXPECT_TRUE(host.enabled[ID_FILE_JOIN]);
  EXPECT_EQ(host.autojoinChecks, 1);
  EXPECT_EQ(host.infoChanges, 1);

  Receive(ByteBuilder().Prefix().Text("D").Byte(1).Byte(1).Str("Ann").I32(2).F32(61).Bytes());
  ASSERT_EQ(host.players.size(), 1u);
  EXPECT_EQ(host.players[0].time, "00:01:01");

  Receive(ByteBuilder().Prefix().Text("E").I16(1).Str("mp_timelimit").Str("30").Bytes());
  EXPECT_EQ(host.rulesChanges, 1);
  EXPECT_EQ(monitor.Rules().Copy().size(), 2u + 13 + 3);

  Receive(ByteBuilder().Prefix().Str("log L 01/01/2001 - 00:00:00: hi\n").Bytes());
  EXPECT_EQ(host.console, "L 01/01/2001 - 00:00:00: hi\n");
  EXPECT_EQ(host.consoleLogLines, 1) << "told apart from command answers";

  Sent();
  Receive(ByteBuilder().Prefix().Str("A").Bytes());
  Receive(ByteBuilder().Prefix().Str("B").Bytes());
  Receive(ByteBuilder().Text("\xFF\xFF\xFF").Str("j").Bytes());
  Receive(ByteBuilder().Prefix().Bytes());
  EXPECT_EQ(Sent(), Texts{});
  EXPECT_EQ(monitor.State().pingsReceived, 1u);
}

TEST_F(MonitorTest, AFullServerDisablesJoinAndCountChangesAskForPlayersOnlyWhileShown) {
  ConnectTo();
  auto info = [](int players, int maxPlayers) {
    return ByteBuilder().Prefix().Text("C").Str("").Str("A").Str("m").Str("valve").Str("HL")
        .Byte(static_cast<uint8_t>(players)).Byte(static_cast<uint8_t>(maxPlayers)).Byte(47)
        .Bytes();
  };
  Sent();
  Receive(info(16, 16));
  EXPECT_FALSE(host.enabled[ID_FILE_JOIN]);
  EXPECT_EQ(host.autojoinChecks, 0);
  EXPECT_EQ(Sent(), Texts{"players"});
  Receive(info(16, 16));
  EXPECT_EQ(Sent(), Texts{}) << "same count, no request";
  host.shown = false;
  Receive(info(15, 16));
  EXPECT_EQ(Sent(), Texts{}) << "hidden in the tray, no request";
  EXPECT_TRUE(host.enabled[ID_FILE_JOIN]);
}

TEST_F(MonitorTest, ReceiveErrorsCloseTheConnectionAndNameTheHost) {
  struct Case {
    int error;
    int message;
  } cases[] = {{kSocketConnectionReset, IDS_CONNECTION_LOST},
               {kSocketConnectionRefused, IDS_CONNECTION_LOST},
               {10050, IDS_CANT_CONNECT}};
  for (const Case& c : cases) {
    host.errors.clear();
    ConnectTo();
    Receive({}, {}, kSocketWouldBlock);
    EXPECT_TRUE(monitor.IsConnected());
    Receive({}, {}, c.error);
    EXPECT_FALSE(monitor.IsConnected());
    EXPECT_EQ(host.errors,
              (std::vector<std::pair<int, std::string>>{{c.message, "alpha.example"}}));
    EXPECT_EQ(monitor.HostText(), "");
  }
  // A datagram longer than the buffer arrives cut, with WSAEMSGSIZE: its first 8192 bytes count.
  ConnectTo();
  std::vector<uint8_t> datagram = ByteBuilder().Prefix().Text("l").Bytes();
  datagram.resize(8192, 'x');
  Receive(datagram, {}, kSocketMessageTooLong);
  EXPECT_TRUE(monitor.IsConnected());
  EXPECT_EQ(host.console.size(), 8192u - 5);
}

TEST_F(MonitorTest, DisconnectResetsEverything) {
  ConnectTo();
  Receive(ByteBuilder().Prefix().Text("D").Byte(1).Byte(1).Str("Ann").I32(2).F32(61).Bytes());
  monitor.Disconnect();
  EXPECT_FALSE(monitor.IsConnected());
  EXPECT_TRUE(host.timers.empty());
  EXPECT_TRUE(host.players.empty());
  EXPECT_EQ(host.socketsClosed, 1);
  EXPECT_EQ(host.states.back(), IDS_STATE_NOT_CONNECTED);
  EXPECT_EQ(host.pingText, " ping ");
  EXPECT_EQ(monitor.State().address, "");
  EXPECT_EQ(monitor.State().pingMin, 0xFFFFFFFFu);
  EXPECT_EQ(host.consoleDisconnects, 1);
  for (int command : {ID_VIEW_PING_STATISTICS, ID_VIEW_REFRESH, ID_VIEW_SERVER_INFO, ID_FILE_JOIN,
                      ID_FILE_DISCONNECT, ID_TOOLS_REMOTE_CONSOLE}) {
    EXPECT_FALSE(host.enabled[command]) << command;
  }
  Sent();
  monitor.SendQuery("ping");
  monitor.Refresh();
  EXPECT_EQ(Sent(), Texts{}) << "nothing goes out without a connection";
}

TEST_F(MonitorTest, TimerTicksSendTheirQueriesAndStaleTicksDoNothing) {
  ConnectTo();
  Sent();
  Tick(TimerId::Ping);
  Tick(TimerId::Info);
  Tick(TimerId::Players);  // not set with the defaults
  monitor.OnTimer(77);
  EXPECT_EQ(Sent(), (Texts{"ping", "info"}));
  EXPECT_EQ(monitor.State().pingsSent, 2u);

  host.shown = false;
  monitor.ResetTimers();
  EXPECT_EQ(host.timers, (std::map<TimerId, uint32_t>{{TimerId::Ping, 60000},
                                                      {TimerId::Info, 300000},
                                                      {TimerId::Flash, 500}}));
  Tick(TimerId::Flash);
  EXPECT_EQ(host.flashSteps, 1);
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "players"}));
}

// ---- Servers of today

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

TEST_F(MonitorTest, APingWithoutTextAnswerStartsTheBinaryQueries) {
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
  Receive(ByteBuilder().Prefix().Text("A").Byte(1).Byte(2).Byte(3).Bytes());
  Receive(ByteBuilder().Prefix().Text("A").Bytes());
  EXPECT_EQ(Sent(), Texts{}) << "the probe happens once; malformed challenges are ignored";
  EXPECT_FALSE(monitor.QueryChallenge().has_value());
  EXPECT_EQ(monitor.Kind(), ServerKind::TextSilent);

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

  // Every connection starts without kind or challenge.
  monitor.Disconnect();
  EXPECT_EQ(monitor.Kind(), ServerKind::Unknown);
  EXPECT_FALSE(monitor.QueryChallenge().has_value());
  ConnectTo();
  Receive(PingReply());
  EXPECT_EQ(Sent(), (Texts{"details", "ping", "T"})) << "no challenge of the last connection";
}

TEST(MonitorOfToday, ARequestIsRepeatedOnceAndOnlyWithANewChallenge) {
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

TEST_F(MonitorTest, AnInformationReplyWhileUnsureMakesTheServerOld) {
  ConnectTo();
  Receive(PingReply());
  Sent();
  Receive(ByteBuilder().Prefix().Text("C").Str("").Str("Late").Str("crossfire").Str("valve")
              .Str("Half-Life").Byte(0).Byte(16).Byte(47).Bytes());
  EXPECT_EQ(monitor.Kind(), ServerKind::Old);
  EXPECT_EQ(monitor.State().hostName, "Late");
  monitor.Refresh();
  monitor.SendQuery("rules");
  Tick(TimerId::Info);
  EXPECT_EQ(Sent(), (Texts{"info", "players", "rules", "info"})) << "text only from now on";
  Receive(Challenge(kChallenge));
  EXPECT_EQ(Sent(), Texts{}) << "a challenge asked for by nobody is not answered";
}

TEST(MonitorOfToday, AfterADetailsReplyInformationRepliesChangeNothing) {
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

TEST_F(MonitorTest, SplitRepliesAreJoinedFromTheServersAddressOnly) {
  ConnectTo();
  Receive(PingReply());
  Receive(Challenge(kChallenge));
  const auto piece = [](int32_t sequence, uint8_t indexAndCount, const std::vector<uint8_t>& whole,
                        size_t begin, size_t end) {
    return ByteBuilder().Text("\xFE\xFF\xFF\xFF").I32(sequence).Byte(indexAndCount)
        .Raw(whole.data() + begin, end - begin).Bytes();
  };
  const auto rules = ByteBuilder().Prefix().Text("E").I16(1).Str("mp_timelimit").Str("30").Bytes();
  Receive(piece(42, 0x12, rules, 10, rules.size()));
  Receive(piece(42, 0x02, rules, 0, 10), Ipv4Endpoint{{127, 0, 0, 3}, 27016});
  Receive(piece(42, 0x02, rules, 0, 10), Ipv4Endpoint{kServer, 27017});
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

TEST_F(MonitorTest, RconChallengeRepliesGoToTheHost) {
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
