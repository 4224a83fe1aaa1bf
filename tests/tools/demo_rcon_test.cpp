// The demo server's remote console and log stream in classic mode.
#include <gtest/gtest.h>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/rcon_commands.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;

Bytes Print(std::string_view text) { return Cat({kPrefix, B({'l'}), Z(text)}); }
Bytes LogDatagram(std::string_view line) { return Cat({kPrefix, Z(line)}); }

const Endpoint kListener{kLoopbackAddress, 40500};

DemoConfig Config() {
  DemoConfig config;
  config.host_name = "Console Test";
  config.map = "datacore";
  config.players = {{"Freeman", 3, 61.0f}, {"Calhoun", 0, 3725.0f}};
  config.rcon_password = "s3cret";
  return config;
}

TEST(DemoRcon, AnswersCommandsAndRefusesWrongPasswords) {
  struct Case {
    const char* request;
    const char* answer;
  } cases[] = {
      {"rcon s3cret echo hello there", "hello there\n"},
      {"rcon s3cret echo", "\n"},
      {"rcon s3cret frobnicate now", "Unknown command \"frobnicate\"\n"},
      {"rcon s3cret say hi all", "Console: hi all\n"},
      {"rcon s3cret ECHO loud\n", "loud\n"},
      {"rcon S3CRET echo x", "Bad rcon_password.\n"},
      {"rcon s3cret", "Unknown command \"\"\n"},
      {"rcon  echo x", "Bad rcon_password.\n"},
      {"rcon s3cret logaddress 127.0.0.1", "usage:  logaddress ip port\n"},
      {"rcon s3cret logaddress 127.0.0.1 70000", "usage:  logaddress ip port\n"},
      {"rcon s3cret logaddress 192.168.1.5 27500",
       "logaddress:  192.168.1.5 refused: not a loopback address\n"},
      {"rcon s3cret logaddress 8.8.8.8 27500",
       "logaddress:  8.8.8.8 refused: not a loopback address\n"},
  };
  for (const Case& c : cases) {
    Responder responder(Config(), kServer);
    EXPECT_EQ(Only(Ask(responder, Request(c.request))), Print(c.answer)) << c.request;
    EXPECT_TRUE(responder.LogTargets().empty()) << c.request;
  }
}

TEST(DemoRcon, StatusListsTheServerAndItsPlayers) {
  Responder responder(Config(), kServer);
  const Bytes reply = Only(Ask(responder, Request("rcon s3cret status")));
  const std::string text(reply.begin() + 5, reply.end() - 1);
  EXPECT_EQ(text,
            "hostname:  Console Test\n"
            "version :  47/1.1.2.7/Stdio 8684 secure  (70)\n"
            "tcp/ip  :  127.0.0.1:27015\n"
            "map     :  datacore at: 0 x, 0 y, 0 z\n"
            "players :  2 active (16 max)\n"
            "\n"
            "#      name userid uniqueid frag time ping loss adr\n"
            "#1 \"Freeman\" 1 STEAM_0:0:1001 3 01:01 20 0 127.0.0.1:27005\n"
            "#2 \"Calhoun\" 2 STEAM_0:0:1002 0 1:02:05 27 0 127.0.0.1:27006\n"
            "2 users\n");
}

TEST(DemoRcon, CountsWrongPasswordsButNeverBansInClassicMode) {
  DemoConfig config = Config();
  Responder responder(config, kServer);
  for (int i = 0; i < 7; ++i) Ask(responder, Request("rcon wrong status"));
  EXPECT_EQ(responder.FailedRconAttempts(), 7);
  EXPECT_EQ(Only(Ask(responder, Request("ping"))), B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));

  config.rcon_password.clear();
  Responder no_password(config, kServer);
  EXPECT_EQ(Only(Ask(no_password, Request("rcon  status"))), Print("Bad rcon_password.\n"));
  EXPECT_EQ(no_password.FailedRconAttempts(), 1);
}

TEST(DemoRcon, StreamsTheLogToALoopbackAddressUntilPointedAtItself) {
  Responder responder(Config(), kServer);
  // The answer first, then the server's echo of the command, already to the new target.
  const auto on = Ask(responder, Request("rcon s3cret logaddress 127.0.0.1 40500"), 1000);
  ASSERT_EQ(on.size(), 2u);
  EXPECT_EQ(on[0].destination, kClient);
  EXPECT_EQ(on[0].bytes, Print("logaddress:  127.0.0.1:40500\n"));
  EXPECT_EQ(on[1].destination, kListener);
  EXPECT_FALSE(on[1].from_alternate);
  EXPECT_EQ(on[1].bytes, LogDatagram("log L 12/06/2026 - 10:00:01: Rcon: \"rcon s3cret logaddress "
                                     "127.0.0.1 40500\" from \"127.0.0.1:40000\"\n"));
  EXPECT_EQ(responder.LogTargets(), std::vector<Endpoint>{kListener});

  // Every two seconds a line of its own.
  EXPECT_EQ(responder.NextPollAt(), 3000);
  EXPECT_TRUE(responder.Poll(2999).empty());
  const auto tick = responder.Poll(3000);
  ASSERT_EQ(tick.size(), 1u);
  EXPECT_EQ(tick[0].bytes,
            LogDatagram("log L 12/06/2026 - 10:00:03: World triggered \"Round_Start\"\n"));
  const auto second = responder.Poll(5000);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].bytes,
            LogDatagram("log L 12/06/2026 - 10:00:05: \"Freeman<1><STEAM_0:0:1001><>\" "
                        "say \"hello from the demo server\"\n"));

  // A say lands in the log after the echo; a refused attempt is logged as such.
  const auto say = Ask(responder, Request("rcon s3cret say gg"), 6000);
  ASSERT_EQ(say.size(), 3u);
  EXPECT_EQ(say[2].bytes, LogDatagram("log L 12/06/2026 - 10:00:06: Server say \"gg\"\n"));
  const auto bad = Ask(responder, Request("rcon nope status"), 7000);
  ASSERT_EQ(bad.size(), 2u);
  EXPECT_EQ(bad[1].bytes, LogDatagram("log L 12/06/2026 - 10:00:07: Bad Rcon: \"rcon nope status\" "
                                      "from \"127.0.0.1:40000\"\n"));

  // A refused target leaves the stream where it was.
  Ask(responder, Request("rcon s3cret logaddress 10.1.2.3 40500"), 7500);
  EXPECT_EQ(responder.LogTargets(), std::vector<Endpoint>{kListener});

  // The server's own port switches the stream off: the echo has nowhere to go any more.
  const auto off = Ask(responder, Request("rcon s3cret logaddress 127.0.0.1 27015"), 8000);
  EXPECT_EQ(Only(off), Print("logaddress:  127.0.0.1:27015\n"));
  EXPECT_TRUE(responder.LogTargets().empty());
  EXPECT_EQ(responder.NextPollAt(), Responder::kNever);
  EXPECT_TRUE(responder.Poll(60000).empty());
}

TEST(DemoRcon, SplitsRequestTexts) {
  struct Case {
    const char* text;
    bool with_challenge;
    bool parsed;
    bool has_challenge;
    uint32_t challenge;
    const char* password;
    const char* command;
  } cases[] = {
      {"rcon pw status", false, true, false, 0, "pw", "status"},
      {"rcon 123 pw status", false, true, false, 0, "123", "pw status"},
      {"rcon 123 pw status", true, true, true, 123, "pw", "status"},
      {"rcon 4294967295 pw echo a  b\n", true, true, true, 4294967295u, "pw", "echo a  b"},
      {"rcon 4294967296 pw status", true, true, false, 0, "4294967296", "pw status"},
      {"rcon pw status", true, true, false, 0, "pw", "status"},
      {"rcon", false, false, false, 0, "", ""},
      {"rconpw status", false, false, false, 0, "", ""},
  };
  for (const Case& c : cases) {
    const std::optional<RconRequest> request = ParseRconRequest(c.text, c.with_challenge);
    ASSERT_EQ(request.has_value(), c.parsed) << c.text;
    if (!request) continue;
    EXPECT_EQ(request->has_challenge, c.has_challenge) << c.text;
    EXPECT_EQ(request->challenge, c.challenge) << c.text;
    EXPECT_EQ(request->password, c.password) << c.text;
    EXPECT_EQ(request->command, c.command) << c.text;
  }
}

}  // namespace
}  // namespace tarnwick::demo
