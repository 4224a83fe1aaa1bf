// The server monitor on a fake port, with its events recorded: connecting, replies, timers,
// errors and the decisions that keep forged or stale input out; against servers of today, which
// queries go out in which form, the challenge bookkeeping, 'I' and 'm' replies and split replies.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/server_monitor.h"
#include "tests/support/byte_builder.h"
#include "tests/support/fake_monitor_port.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;
using State = ConnectionState;
using States = std::vector<ConnectionState>;
using Messages = std::vector<std::pair<MonitorMessage, std::string>>;
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

// The shared rig, which lists the requests it sent as short texts.
struct MonitorRig : testing::MonitorRig {
  size_t mark = 0;

  void Tick(TimerId id) { monitor.OnTimer(static_cast<uint32_t>(id)); }
  // The requests sent since the last call.
  std::vector<std::string> Sent() {
    std::vector<std::string> texts;
    for (; mark < port.sent.size(); ++mark) texts.push_back(Describe(port.sent[mark]));
    return texts;
  }
};

class MonitorTest : public ::testing::Test, public MonitorRig {};

constexpr uint32_t kChallenge = 0x12345678;  // 305419896

TEST_F(MonitorTest, ConnectingSendsDetailsAndOnePingAndSetsEverythingUp) {
  monitor.Connect("alpha.example:27016", false);
  EXPECT_EQ(port.lookups, Texts{"alpha.example"});
  EXPECT_EQ(events.states, States{State::Connecting});
  EXPECT_TRUE(monitor.IsResolving());
  monitor.OnLookupDone(port.nextTask - 1, 0);
  EXPECT_EQ(events.states, (States{State::Connecting, State::Connected}));
  EXPECT_EQ(events.report,
            (ConnectionReport{State::Connected, "alpha.example", 27016, 50000, false}));
  EXPECT_EQ(Sent(), (Texts{"details", "ping"}));
  EXPECT_EQ(port.socket, (Ipv4Endpoint{kServer, 27016}));
  EXPECT_EQ(monitor.State().address, "127.0.0.2:27016");
  EXPECT_EQ(monitor.State().pingsSent, 1u);
  EXPECT_EQ(port.timers,
            (std::map<TimerId, uint32_t>{{TimerId::Ping, 15000}, {TimerId::Info, 90000}}));
  EXPECT_EQ(monitor.ConnectedPort(), 27016);
}

TEST_F(MonitorTest, ASecondConnectCancelsTheFirstLookupAndIgnoresItsCompletion) {
  monitor.Connect("first.example", false);
  const LookupTask first = port.nextTask - 1;
  monitor.Connect("second.example:27020", false);
  EXPECT_EQ(port.cancelled, std::vector<LookupTask>{first});
  monitor.OnLookupDone(first, 0);
  EXPECT_FALSE(monitor.IsConnected()) << "a replaced lookup's answer is not taken";
  EXPECT_EQ(port.lookupReads, 0) << "nor even read";
  monitor.OnLookupDone(port.nextTask - 1, 0);
  EXPECT_TRUE(monitor.IsConnected());
  EXPECT_EQ(monitor.ServerAddress(), (Ipv4Endpoint{kServer, 27020}));
}

TEST(MonitorFailures, EndInAnIdleWindowWithAMessageNamingTheHost) {
  struct Case {
    const char* what;
    bool lookupStarts = true;
    int lookupError = 0;
    bool addressRecordFits = true;
    bool socketOpens = true;
    int receiveError = 0;  // after a read that would have blocked, which changes nothing
    MonitorMessage message = MonitorMessage::CantConnect;
  } cases[] = {
      {.what = "the lookup cannot start", .lookupStarts = false},
      {.what = "the lookup fails", .lookupError = 11001},
      {.what = "the address record is not 4 bytes", .addressRecordFits = false},
      {.what = "the socket cannot be opened", .socketOpens = false},
      {.what = "reset", .receiveError = kSocketConnectionReset,
       .message = MonitorMessage::ConnectionLost},
      {.what = "refused", .receiveError = kSocketConnectionRefused,
       .message = MonitorMessage::ConnectionLost},
      {.what = "another receive error", .receiveError = 10050},
  };
  for (const Case& c : cases) {
    MonitorRig rig;
    rig.port.lookupStarts = c.lookupStarts;
    if (!c.addressRecordFits) rig.port.lookupAnswer.reset();
    rig.port.socketOpens = c.socketOpens;
    rig.monitor.Connect("alpha.example:27016", false);
    if (c.lookupStarts) rig.monitor.OnLookupDone(rig.port.nextTask - 1, c.lookupError);
    if (c.receiveError != 0) {
      rig.Receive({}, {}, kSocketWouldBlock);
      rig.Receive({}, {}, c.receiveError);
    }
    EXPECT_EQ(rig.events.messages, (Messages{{c.message, "alpha.example"}})) << c.what;
    EXPECT_FALSE(rig.monitor.IsConnected() || rig.monitor.IsResolving() || rig.port.socket)
        << c.what;
    EXPECT_EQ(std::tie(rig.events.report.state, rig.monitor.HostText()),
              std::make_tuple(State::NotConnected, "")) << c.what;
  }
}

// A server that goes quiet is told once, after three unanswered queries over at least 30 s, and
// again when any datagram of it comes; pings count only once the server has answered one. A
// refusal keeps the connection when the window asks for it.
TEST_F(MonitorTest, AServerThatStopsAnsweringIsToldOnceAndAgainWhenItAnswers) {
  ConnectTo();
  for (int i = 0; i < 6; ++i, port.now += 20000) Tick(TimerId::Ping);
  EXPECT_TRUE(events.answering.empty()) << "a server may ignore pings";
  for (int i = 0; i < 3; ++i) Tick(TimerId::Info);
  port.now += 1000;
  Receive(PingReply());  // every datagram is an answer
  for (int i = 0; i < 4; ++i, port.now += 5000) Tick(TimerId::Ping);
  EXPECT_TRUE(events.answering.empty()) << "not 30 s since the answer yet";
  port.now += 10000;
  Tick(TimerId::Info);
  Tick(TimerId::Info);
  EXPECT_EQ(events.answering, std::vector<bool>{false}) << "told once";
  EXPECT_FALSE(monitor.IsAnswering());
  Receive(ByteBuilder().Prefix().Str("lsome log line").Bytes());
  EXPECT_EQ(events.answering, (std::vector<bool>{false, true}));

  events.keepsRefusedServer = true;
  Receive({}, {}, kSocketConnectionRefused);
  Receive({}, {}, kSocketConnectionReset);
  EXPECT_TRUE(monitor.IsConnected() && events.messages.empty());
  EXPECT_EQ(events.answering, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(port.opens, 3) << "a fresh socket after each refusal";
  const size_t sent = port.sent.size();
  Tick(TimerId::Info);
  EXPECT_GT(port.sent.size(), sent) << "the queries go on";
  Receive(PingReply());
  EXPECT_TRUE(monitor.IsAnswering());
}

TEST_F(MonitorTest, NewWindowWhileConnectedAsksForOneAndAnEmptyTextForAServer) {
  monitor.Connect("other:1", true);
  EXPECT_TRUE(events.newWindows.empty()) << "Clone while idle connects here";
  monitor.OnLookupDone(port.nextTask - 1, 0);
  monitor.Connect("third:2", true);
  EXPECT_EQ(events.newWindows, Texts{"third:2"});
  EXPECT_TRUE(monitor.IsConnected());
  monitor.Connect("fifth:4", false);
  EXPECT_FALSE(monitor.IsConnected()) << "Connect in this window disconnects first";
  EXPECT_EQ(port.lookups.back(), "fifth");
  monitor.Connect("", false);
  EXPECT_EQ(events.messages, (Messages{{MonitorMessage::NoServerGiven, ""}}));
}

TEST_F(MonitorTest, DispatchesEveryReplyType) {
  ConnectTo();
  port.now = 5000;
  Tick(TimerId::Ping);
  port.now = 5040;
  Receive(PingReply());
  EXPECT_EQ(events.pings, std::vector<uint32_t>{40}) << "timed against the newest ping";

  Receive(ByteBuilder().Prefix().Text("C").Str("").Str("Alpha").Str("de_dust").Str("valve")
              .Str("Half-Life").Byte(15).Byte(16).Byte(47).Bytes());
  EXPECT_EQ(monitor.State().hostName, "Alpha");
  EXPECT_EQ(monitor.State().address, "127.0.0.2:27016") << "an empty address changes nothing";
  EXPECT_EQ(events.infoChanges, 1);

  Receive(ByteBuilder().Prefix().Text("D").Byte(1).Byte(1).Str("Ann").I32(2).F32(61).Bytes());
  EXPECT_EQ(events.players.size(), 1u);

  Receive(ByteBuilder().Prefix().Text("E").I16(1).Str("mp_timelimit").Str("30").Bytes());
  EXPECT_EQ(events.rules, (std::vector<RuleRow>{{"mp_timelimit", "30"}}));
  Receive(ByteBuilder().Prefix().Text("E").Bytes());
  EXPECT_EQ(events.rulesChanges, 2);
  EXPECT_FALSE(events.rules.has_value()) << "an empty body: the list keeps what it shows";

  Receive(ByteBuilder().Prefix().Str("challenge rcon 2471038475\n").Bytes());
  EXPECT_EQ(events.rconChallenges, std::vector<uint32_t>{2471038475u});
  Receive(ByteBuilder().Prefix().Str("log L 01/01/2001 - 00:00:00: hi\n").Bytes());
  EXPECT_EQ(events.console, "L 01/01/2001 - 00:00:00: hi\n") << "the challenge is no output";
  EXPECT_EQ(events.consoleLogLines, 1) << "told apart from command answers";

  Sent();
  Receive(ByteBuilder().Prefix().Str("A").Bytes());
  Receive(ByteBuilder().Prefix().Str("B").Bytes());
  Receive(ByteBuilder().Text("\xFF\xFF\xFF").Str("j").Bytes());
  Receive(ByteBuilder().Prefix().Bytes());
  EXPECT_EQ(Sent(), Texts{});
  EXPECT_EQ(monitor.State().pingsReceived, 1u);
  EXPECT_EQ(events.kinds, (std::vector<ServerKind>{ServerKind::TextSilent, ServerKind::Old}));
}

TEST_F(MonitorTest, CountChangesAskForPlayersOnlyWhileShown) {
  ConnectTo();
  auto info = [](int players, int maxPlayers) {
    return ByteBuilder().Prefix().Text("C").Str("").Str("A").Str("m").Str("valve").Str("HL")
        .Byte(static_cast<uint8_t>(players)).Byte(static_cast<uint8_t>(maxPlayers)).Byte(47)
        .Bytes();
  };
  Sent();
  Receive(info(16, 16));
  EXPECT_EQ(Sent(), Texts{"players"});
  Receive(info(16, 16));
  EXPECT_EQ(Sent(), Texts{}) << "same count, no request";
  events.shown = false;
  Receive(info(15, 16));
  EXPECT_EQ(Sent(), Texts{}) << "hidden in the tray, no request";
}

TEST_F(MonitorTest, ADatagramCutByTheSocketIsReadAsFarAsItCame) {
  ConnectTo();
  std::vector<uint8_t> datagram = ByteBuilder().Prefix().Text("l").Bytes();
  datagram.resize(8192, 'x');
  Receive(datagram, {}, kSocketMessageTooLong);
  EXPECT_TRUE(monitor.IsConnected());
  EXPECT_EQ(events.console.size(), 8192u - 5);
}

TEST_F(MonitorTest, DisconnectResetsEverything) {
  ConnectTo();
  Receive(PingReply());
  monitor.Disconnect();
  EXPECT_TRUE(port.timers.empty() && !port.socket);
  EXPECT_EQ(events.report, (ConnectionReport{State::NotConnected, "", 27016}));
  EXPECT_EQ(std::make_tuple(monitor.State().address, monitor.State().pingMin, monitor.Kind()),
            std::make_tuple("", 0xFFFFFFFFu, ServerKind::Unknown));
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

  events.shown = false;
  monitor.ResetTimers();
  EXPECT_EQ(port.timers, (std::map<TimerId, uint32_t>{{TimerId::Ping, 60000},
                                                      {TimerId::Info, 300000},
                                                      {TimerId::Flash, 500}}));
  Tick(TimerId::Flash);
  EXPECT_EQ(events.flashSteps, 1);
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "players"}));

  // While the game runs with auto-disconnect on, any tick ends the connection.
  settings.autoDisconnect = true;
  events.gameRunning = true;
  Tick(TimerId::Ping);
  EXPECT_FALSE(monitor.IsConnected());
  EXPECT_EQ(Sent(), Texts{});
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
  Receive(PingReply());
  EXPECT_EQ(Sent(), (Texts{"T", "V:-1"})) << "every text query still unanswered, in binary";
  monitor.Refresh();
  EXPECT_EQ(Sent(), (Texts{"info", "T", "players", "U:-1"})) << "both forms while unsure";
  Receive(PingReply());
  Receive(ByteBuilder().Prefix().Text("A").Byte(1).Byte(2).Byte(3).Bytes());
  Receive(ByteBuilder().Prefix().Text("A").Bytes());
  EXPECT_EQ(Sent(), Texts{}) << "the probe happens once; malformed challenges are ignored";
  EXPECT_EQ(events.kinds, std::vector<ServerKind>{ServerKind::TextSilent});

  Receive(Challenge(kChallenge));
  EXPECT_EQ(monitor.QueryChallenge(), kChallenge);
  EXPECT_EQ(Sent(), (Texts{"T:305419896", "U:305419896", "V:305419896"}));

  Receive(SourceInfo("Today", 3));
  EXPECT_EQ(Sent(), (Texts{"U:305419896"})) << "the count changed on screen: players, binary";
  EXPECT_EQ(monitor.State().hostName, "Today");
  EXPECT_EQ(events.infoChanges, 1);
  EXPECT_EQ(events.kinds, (std::vector<ServerKind>{ServerKind::TextSilent, ServerKind::Modern}));

  monitor.Refresh();
  monitor.SendQuery("rules");
  Tick(TimerId::Ping);
  EXPECT_EQ(Sent(), (Texts{"T:305419896", "U:305419896", "V:305419896", "ping"}));

  // Every connection starts without kind or challenge.
  monitor.Disconnect();
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
      {"details, then information", {Details("D", 3), SourceInfo("I", 4)}, "D", 47, 1},
      {"information, details, information",
       {SourceInfo("I", 4), Details("D", 3), SourceInfo("I", 5)}, "D", 47, 2},
      {"information only", {SourceInfo("I", 4), SourceInfo("I 2", 5)}, "I 2", 48, 2},
  };
  for (const Case& c : cases) {
    MonitorRig rig;
    rig.ConnectTo();
    rig.Receive(PingReply());
    for (const auto& reply : c.replies) rig.Receive(reply);
    EXPECT_EQ(rig.monitor.State().hostName, c.name) << c.what;
    EXPECT_EQ(rig.monitor.State().protocol, c.protocol) << c.what;
    EXPECT_EQ(rig.events.infoChanges, c.infoChanges) << c.what;
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
  EXPECT_EQ(events.rulesChanges, 0) << "pieces from elsewhere are not the server's";
  Receive(piece(42, 0x02, rules, 0, 10));
  EXPECT_EQ(events.rules, (std::vector<RuleRow>{{"mp_timelimit", "30"}}));

  // Any reply type may come split; one that is not a reply once joined is dropped.
  const std::vector<uint8_t> info = SourceInfo("Split info", 3);
  Receive(piece(43, 0x02, info, 0, 10));
  Receive(piece(43, 0x12, info, 10, info.size()));
  EXPECT_EQ(monitor.State().hostName, "Split info");
  const auto nested = piece(1, 0x01, ByteBuilder().Prefix().Str("lnested").Bytes(), 0, 12);
  Receive(piece(44, 0x01, nested, 0, nested.size()));
  const auto noPrefix = ByteBuilder().Str("lno prefix").Bytes();
  Receive(piece(45, 0x01, noPrefix, 0, noPrefix.size()));
  EXPECT_EQ(events.console, "");
}

}  // namespace
}  // namespace tarnwick
