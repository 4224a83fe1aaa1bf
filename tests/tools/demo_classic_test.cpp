// The classic (2001) demo server, byte for byte against hand-written datagrams: the text queries,
// the remote console and the log stream. (The mod tail of each protocol, the "status" table and
// the kick and ban answers the Wine tests of the Server Info sheet and the player list's admin
// actions read through the program's own readers.)
#include <gtest/gtest.h>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;

DemoConfig TwoPlayerServer() {
  DemoConfig config;
  config.host_name = "Test Server";
  config.map = "stalkyard";
  config.players = {{"Freeman", 23, 1520.0f}, {"Shephard", -4, 632.5f}};
  config.max_players = 12;
  config.rules = {{"mp_timelimit", "30"}, {"sv_gravity", "800"}};
  config.rcon_password = "s3cret";
  return config;
}

const Bytes kIdentity =
    Cat({Z("127.0.0.1:27015"), Z("Test Server"), Z("stalkyard"), Z("valve"), Z("Half-Life")});

Bytes Print(std::string_view text) { return Cat({kPrefix, B({'l'}), Z(text)}); }
Bytes LogDatagram(std::string_view line) { return Cat({kPrefix, Z(line)}); }

TEST(DemoClassic, AnswersTheTextQueries) {
  struct Case {
    const char* request;
    Bytes reply;
  } cases[] = {
      {"ping", B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0x00})},
      {"info", Cat({kPrefix, B({'C'}), kIdentity, B({2, 12, 47})})},
      // asked 10 s after the start: 1530 s and 642.5 s on the server
      {"players",
       Cat({kPrefix, B({'D', 2, 1}), Z("Freeman"), B({23, 0, 0, 0, 0x00, 0x40, 0xBF, 0x44}), B({2}),
            Z("Shephard"), B({0xFC, 0xFF, 0xFF, 0xFF, 0x00, 0xA0, 0x20, 0x44})})},
      // protocol 47 without a mod: the VAC and bots bytes follow the is-mod byte directly
      {"details", Cat({kPrefix, B({'m'}), kIdentity, B({2, 12, 47, 'd', 'l', 0, 0, 1, 0})})},
  };
  for (const Case& c : cases) {
    Responder responder(TwoPlayerServer(), kServer);
    EXPECT_EQ(Only(Ask(responder, Request(c.request), 10000)), c.reply) << c.request;
  }
}

TEST(DemoClassic, GivesNoAnswerToWhatOldServersIgnore) {
  Responder responder(TwoPlayerServer(), kServer);
  for (const Bytes& datagram : {
           B({'p', 'i', 'n', 'g', 0}),                          // no prefix
           B({0xFF, 0xFF, 0xFF, 0xFE, 'p', 'i', 'n', 'g', 0}),  // a split header
           B({0xFF, 0xFF, 0xFF, 0xFF}),                         // prefix only
           Request("status"),                                   // not a query
           Request("challenge rcon"),                           // old servers have no challenges
           Cat({kPrefix, B({'T'}), Z("Source Engine Query")}),  // today's binary queries
           Cat({kPrefix, B({'U', 0xFF, 0xFF, 0xFF, 0xFF})}),
       }) {
    EXPECT_TRUE(Ask(responder, datagram).empty()) << ::testing::PrintToString(datagram);
  }
}

// Refusals, and the answers the program reads. (Texts that only report a success the console shows
// unread; the player list's kick and banid go through the program in its Wine test.)
TEST(DemoClassicRcon, AnswersCommandsAndRefusesWrongPasswords) {
  struct Case {
    const char* request;
    const char* answer;
  } cases[] = {
      {"rcon s3cret ECHO loud\n", "loud\n"},
      {"rcon s3cret frobnicate now", "Unknown command \"frobnicate\"\n"},
      {"rcon S3CRET echo x", "Bad rcon_password.\n"},
      {"rcon 123 s3cret echo x", "Bad rcon_password.\n"},  // no challenges: 123 is the password
      {"rcon s3cret logaddress 127.0.0.1 70000", "usage:  logaddress ip port\n"},
      {"rcon s3cret logaddress 192.168.1.5 27500",
       "logaddress:  192.168.1.5 refused: not a loopback address\n"},
      {"rcon s3cret kick #3", "kick:  no player #3\n"},
      {"rcon s3cret kick Shephard", "Usage:  kick < # userid >\n"},
      {"rcon s3cret banid 5 Freeman kick", "Usage:  banid <minutes> <uniqueid or #userid> { kick }\n"},
      {"rcon s3cret addip 1440 192.0.2.7", "Filter added: 192.0.2.7 for 1440 minutes\n"},
      {"rcon s3cret addip 5 192.0.2", "Usage:  addip <minutes> <ipaddress>\n"},
  };
  for (const Case& c : cases) {
    Responder responder(TwoPlayerServer(), kServer);
    EXPECT_EQ(Only(Ask(responder, Request(c.request))), Print(c.answer)) << c.request;
    EXPECT_TRUE(responder.LogTargets().empty()) << c.request;
  }
}

TEST(DemoClassicRcon, AKickedPlayerLeavesAndTheOthersKeepTheirIds) {
  Responder responder(TwoPlayerServer(), kServer);
  Ask(responder, Request("rcon s3cret kick #1"));
  EXPECT_EQ(Only(Ask(responder, Request("rcon s3cret kick #1"))), Print("kick:  no player #1\n"));
  const Bytes status = Only(Ask(responder, Request("rcon s3cret status")));
  EXPECT_NE(std::string(status.begin(), status.end())
                .find("#1 \"Shephard\" 2 STEAM_0:0:1002 -4 10:32 27 0 127.0.0.1:27006\n1 users\n"),
            std::string::npos);
}

TEST(DemoClassicRcon, CountsWrongPasswordsButNeverBans) {
  DemoConfig config = TwoPlayerServer();
  Responder responder(config, kServer);
  for (int i = 0; i < 7; ++i) Ask(responder, Request("rcon wrong status"));
  EXPECT_EQ(responder.FailedRconAttempts(), 7);
  EXPECT_EQ(Only(Ask(responder, Request("ping"))), B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));
  config.rcon_password.clear();  // no password refuses every attempt
  Responder no_password(config, kServer);
  EXPECT_EQ(Only(Ask(no_password, Request("rcon  status"))), Print("Bad rcon_password.\n"));
}

// (The echo's text in the stream, and the switch back to the server's own port that ends it, the
// remote console's tests read through the program.)
TEST(DemoClassicRcon, StreamsTheLogToALoopbackAddressWithALineEveryTwoSeconds) {
  Responder responder(TwoPlayerServer(), kServer);
  // The answer first, then the server's echo of the command, already to the new target.
  const auto on = Ask(responder, Request("rcon s3cret logaddress 127.0.0.1 40500"), 1000);
  ASSERT_EQ(on.size(), 2u);
  EXPECT_EQ(on[0].destination, kClient);
  EXPECT_EQ(on[0].bytes, Print("logaddress:  127.0.0.1:40500\n"));
  EXPECT_EQ(on[1].destination, (Endpoint{kLoopbackAddress, 40500}));

  EXPECT_EQ(responder.NextPollAt(), 3000);
  EXPECT_TRUE(responder.Poll(2999).empty());
  const auto tick = responder.Poll(3000);
  ASSERT_EQ(tick.size(), 1u);
  EXPECT_EQ(tick[0].bytes,
            LogDatagram("log L 12/06/2026 - 10:00:03: World triggered \"Round_Start\"\n"));
}

}  // namespace
}  // namespace tarnwick::demo
