// The demo server's replies, byte for byte against hand-written datagrams. As a server of 2001:
// the text queries, the remote console and the log stream. (The mod tail of each protocol, the
// "status" table and the kick and ban answers the Wine tests of the Server Info sheet and the
// player list's admin actions read through the program's own readers.) In the mode of today's
// servers: binary queries, challenges, split replies, challenge rcon, the ban and the rate limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/command_line.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;
using namespace std::string_literals;

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

TEST(DemoClassic, AnswersTheTextQueries) {
  struct Case {
    const char* request;
    Bytes reply;
  } cases[] = {
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
           B({0xFF, 0xFF, 0xFF, 0xFF}),                         // prefix only
           Request("challenge rcon"),                           // old servers have no challenges
           Cat({kPrefix, B({'T'}), Z("Source Engine Query")}),  // today's binary queries
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

// A kicked player leaves and the others keep their ids; wrong passwords are counted but never ban
// on a server of 2001, and a server without a password refuses every attempt.
TEST(DemoClassicRcon, KicksByIdAndCountsWrongPasswordsButNeverBans) {
  DemoConfig config = TwoPlayerServer();
  Responder responder(config, kServer);
  Ask(responder, Request("rcon s3cret kick #1"));
  EXPECT_EQ(Only(Ask(responder, Request("rcon s3cret kick #1"))), Print("kick:  no player #1\n"));
  const Bytes status = Only(Ask(responder, Request("rcon s3cret status")));
  EXPECT_NE(std::string(status.begin(), status.end())
                .find("#1 \"Shephard\" 2 STEAM_0:0:1002 -4 10:32 27 0 127.0.0.1:27006\n1 users\n"),
            std::string::npos);

  for (int i = 0; i < 7; ++i) Ask(responder, Request("rcon wrong status"));
  EXPECT_EQ(responder.FailedRconAttempts(), 7);
  EXPECT_EQ(Only(Ask(responder, Request("ping"))), B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));
  config.rcon_password.clear();
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
            Cat({kPrefix, Z("log L 12/06/2026 - 10:00:03: World triggered \"Round_Start\"\n")}));
}

// ---- Today's servers

const Bytes kInfoQuery = Cat({kPrefix, B({'T'}), Z("Source Engine Query")});
const Endpoint kOtherClient{0x7F000002u, 40000};

DemoConfig Modern() {
  DemoConfig config;
  config.modern = true;
  config.host_name = "Today";
  config.map = "crossfire";
  config.players = {{"Freeman", 5, 10.0f}};
  config.max_players = 8;
  config.rules = {{"sv_gravity", "800"}};
  config.rcon_password = "pw";
  return config;
}

Bytes WithChallenge(uint8_t type, uint32_t challenge) {
  return Cat({kPrefix, B({type}), Uint32Bytes(challenge)});
}

// Asks for a challenge the way clients do and checks the 9-byte 'A' reply.
uint32_t Challenge(Responder& responder, uint8_t type) {
  const Bytes reply = Only(Ask(responder, WithChallenge(type, 0xFFFFFFFFu)));
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + std::min<size_t>(reply.size(), 5)),
            B({0xFF, 0xFF, 0xFF, 0xFF, 'A'}));
  return reply.size() == 9 ? ReadUint32At(reply, 5) : 0;
}

// (The 'I' reply alone, the default, the connection Wine test reads through the program; the fields
// behind the extra-data flags other than the game port reach no window.)
TEST(DemoModern, AnswersTheInfoQueryAsTold) {
  const Bytes details = Cat({kPrefix, B({'m'}), Z("127.0.0.1:27015"), Z("Today"), Z("crossfire"),
                             Z("valve"), Z("Half-Life"), B({1, 8, 47, 'd', 'l', 0, 0, 1, 2})});
  const Bytes info =
      Cat({kPrefix, B({'I', 48}), Z("Today"), Z("crossfire"), Z("valve"), Z("Half-Life"),
           B({70, 0, 1, 8, 2, 'd', 'l', 0, 1}), Z("1.1.2.7/Stdio"), B({0x80, 0x87, 0x69})});
  struct Case {
    ModernInfoReply kind;
    std::vector<Bytes> replies;
  } cases[] = {{ModernInfoReply::kDetails, {details}}, {ModernInfoReply::kBoth, {details, info}}};
  for (const Case& c : cases) {
    DemoConfig config = Modern();
    config.bots = 2;
    config.modern_options.info_reply = c.kind;
    Responder responder(config, kServer);
    std::vector<Bytes> replies;
    for (const Outgoing& reply : Ask(responder, kInfoQuery)) replies.push_back(reply.bytes);
    EXPECT_EQ(replies, c.replies) << static_cast<int>(c.kind);
  }
  // Of the text queries only ping has an answer (which every connection Wine test to a server of
  // today's kind needs to tell its kind).
  Responder responder(Modern(), kServer);
  for (const char* silent : {"info", "details", "players", "rules"}) {
    EXPECT_TRUE(Ask(responder, Request(silent)).empty()) << silent;
  }
}

TEST(DemoModern, QueriesNeedTheRightChallenge) {
  DemoConfig config = Modern();
  config.modern_options.challenge_info = true;
  Responder responder(config, kServer);
  const uint32_t challenge = Challenge(responder, 'U');
  EXPECT_EQ(Challenge(responder, 'V'), challenge);
  EXPECT_EQ(Only(Ask(responder, kInfoQuery)), Cat({kPrefix, B({'A'}), Uint32Bytes(challenge)}));
  EXPECT_EQ(Only(Ask(responder, Cat({kPrefix, B({'U'})})))[4], 'A');  // no challenge at all
  EXPECT_EQ(Only(Ask(responder, WithChallenge('U', challenge ^ 1)))[4], 'A');  // a wrong one
  EXPECT_EQ(Only(Ask(responder, Cat({kInfoQuery, Uint32Bytes(challenge + 1)})))[4], 'A');
  // With the right one: the players' index is 0 on today's servers. (The information and rules
  // replies the connection Wine test reads through the program, and the split test spells 'E'.)
  EXPECT_EQ(Only(Ask(responder, WithChallenge('U', challenge))),
            Cat({kPrefix, B({'D', 1, 0}), Z("Freeman"), B({5, 0, 0, 0, 0x00, 0x00, 0x20, 0x41})}));

  // Another address has a challenge of its own.
  const Bytes theirs = Only(Ask(responder, WithChallenge('U', challenge), 0, kOtherClient));
  EXPECT_EQ(theirs[4], 'A');
  EXPECT_NE(ReadUint32At(theirs, 5), challenge);

  responder.ExpireChallenges();
  EXPECT_EQ(Only(Ask(responder, WithChallenge('U', challenge)))[4], 'A');
}

// Joins split pieces in index order after checking their headers; returns the sequence number.
int32_t Join(const std::vector<Outgoing>& pieces, size_t limit, Bytes* whole) {
  const int32_t sequence =
      pieces.empty() ? 0 : static_cast<int32_t>(ReadUint32At(pieces[0].bytes, 4));
  for (size_t index = 0; index < pieces.size(); ++index) {
    const Bytes& piece = pieces[index].bytes;
    EXPECT_LE(piece.size(), limit);
    EXPECT_EQ(Bytes(piece.begin(), piece.begin() + 9),
              Cat({B({0xFF, 0xFF, 0xFF, 0xFE}), Uint32Bytes(static_cast<uint32_t>(sequence)),
                   B({static_cast<int>(index << 4 | pieces.size())})}));
    whole->insert(whole->end(), piece.begin() + 9, piece.end());
  }
  return sequence;
}

// (Rules that fit whole the connection Wine test joins through the program.)
TEST(DemoModern, SplitsRulesIntoPiecesThatJoinToAsManyRulesAsFit) {
  struct Case {
    int split_limit;
    int max_total;
    size_t pieces;
  } cases[] = {{1400, 4010, 3}, {600, 100000, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "500 rules in pieces of " << c.split_limit);
    DemoConfig config = Modern();
    config.rules = ManyRules(500);
    config.modern_options.split_limit = c.split_limit;
    config.modern_options.split_max_total = c.max_total;
    Responder responder(config, kServer);
    const Bytes request = WithChallenge('V', Challenge(responder, 'V'));
    const auto pieces = Ask(responder, request);
    ASSERT_EQ(pieces.size(), c.pieces);
    EXPECT_EQ(pieces[0].bytes.size(), static_cast<size_t>(c.split_limit));
    Bytes whole;
    const int32_t sequence = Join(pieces, c.split_limit, &whole);
    // The rules in order, as many as fit the largest reply five pieces (or the total) allow.
    const size_t largest = std::min<size_t>(c.max_total, 5 * (c.split_limit - 9));
    Bytes expected = Cat({kPrefix, B({'E', 0, 0})});
    size_t count = 0;
    for (const DemoRule& rule : config.rules) {
      const Bytes more = Cat({Z(rule.name), Z(rule.value)});
      if (expected.size() + more.size() > largest) break;
      expected = Cat({expected, more});
      ++count;
    }
    expected[5] = static_cast<uint8_t>(count);
    expected[6] = static_cast<uint8_t>(count >> 8);
    EXPECT_EQ(whole, expected);
    Bytes again;  // the next reply has a sequence of its own
    EXPECT_NE(Join(Ask(responder, request), c.split_limit, &again), sequence);
  }
}

// The number of a "challenge rcon" reply, after checking the reply's frame.
std::string RconChallenge(Responder& responder, int64_t now_ms) {
  const Bytes reply = Only(Ask(responder, Request("challenge rcon"), now_ms));
  const std::string text(reply.begin(), reply.end());
  if (text.size() < 21) return "short reply";
  EXPECT_EQ(text.substr(0, 19),
            "\xFF\xFF\xFF\xFF"
            "challenge rcon ");
  EXPECT_EQ(text.substr(text.size() - 2), std::string("\n\0", 2));
  return text.substr(19, text.size() - 21);
}

TEST(DemoModern, RconWantsAChallengeAndBansAfterFiveFailures) {
  DemoConfig config = Modern();
  config.modern_options.rcon_challenge_lifetime_ms = 5000;
  Responder responder(config, kServer);
  const std::string number = RconChallenge(responder, 1000);
  const Bytes bad_challenge = Print("Bad rcon_password.\nBad challenge.\n");
  // (A good challenge with the right or a wrong password, and a challenge the server let expire,
  // the remote console's tests meet through the program.) Without a good challenge the attempt
  // counts as a failed one.
  int failures = 0;
  for (const std::string& request :
       {"rcon pw echo hi"s, "rcon " + std::to_string(std::stoul(number) ^ 0x40) + " pw echo hi",
        "rcon 4294967296 pw echo hi"s}) {
    EXPECT_EQ(Only(Ask(responder, Request(request), 1000)), bad_challenge) << request;
    EXPECT_EQ(responder.FailedRconAttempts(), ++failures) << request;
  }

  // A challenge that has run out or was replaced is stale: refused, not held against anyone.
  auto echo = [&](const std::string& challenge, int64_t now_ms) {
    return Only(Ask(responder, Request("rcon " + challenge + " pw echo a"), now_ms));
  };
  EXPECT_EQ(echo(number, 5999), Print("a\n"));
  EXPECT_EQ(echo(number, 6000), bad_challenge);
  const std::string replaced = RconChallenge(responder, 7000);
  RconChallenge(responder, 7000);
  EXPECT_EQ(echo(replaced, 7000), bad_challenge);
  EXPECT_EQ(responder.FailedRconAttempts(), 3);

  // The fifth failure is answered too; then the address is banned, on every port, and no other.
  for (int i = 4; i <= 5; ++i) EXPECT_EQ(echo("", 7000), bad_challenge) << i;
  for (const Bytes& request : {Request("ping"), Request("challenge rcon"), kInfoQuery}) {
    EXPECT_TRUE(Ask(responder, request, 7000).empty()) << ::testing::PrintToString(request);
  }
  EXPECT_TRUE(Ask(responder, Request("ping"), 7000, {kLoopbackAddress, 50000}).empty());
  EXPECT_EQ(Ask(responder, Request("ping"), 7000, kOtherClient).size(), 1u);
}

TEST(DemoModern, RateLimitDropsExcessQueriesPerAddress) {
  DemoConfig config = Modern();
  config.rate_limit = {true, 3, 1};  // three a second
  Responder responder(config, kServer);
  std::string answered;
  for (int64_t at_ms : {0, 100, 200, 300, 999, 1000, 1050, 1100, 1200, 1250}) {
    answered += Ask(responder, Request("ping"), at_ms).empty() ? '-' : 'j';
  }
  EXPECT_EQ(answered, "jjj--j-jj-");
  EXPECT_EQ(Ask(responder, Request("ping"), 1250, kOtherClient).size(), 1u);  // its own allowance
}

}  // namespace
}  // namespace tarnwick::demo
