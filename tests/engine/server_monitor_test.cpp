// The connection's life with a recording host: connecting, replies, timers, errors and the
// decisions that keep forged or stale input out.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/engine/monitor_fixture.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;
using testing::kServer;
using testing::MonitorRig;
using testing::MonitorTest;
using testing::PingReply;
using Texts = std::vector<std::string>;

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

TEST_F(MonitorTest, EmptyTextAsksForAServer) {
  monitor.Connect("", false);
  EXPECT_EQ(host.information, std::vector<int>{IDS_NO_SERVER_GIVEN});
  EXPECT_TRUE(host.lookups.empty());
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

}  // namespace
}  // namespace tarnwick
