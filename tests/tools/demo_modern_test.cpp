// The demo server in the mode of today's servers: binary queries, challenges, split replies,
// challenge rcon, the ban and the rate limit.
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
  const Bytes info = Cat({kPrefix, B({'I', 48}), Z("Today"), Z("crossfire"), Z("valve"),
                          Z("Half-Life"), B({70, 0, 1, 8, 2, 'd', 'l', 0, 1}), Z("1.1.2.7/Stdio"),
                          B({0x80, 0x87, 0x69})});
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
  // Of the text queries only ping has an answer.
  Responder responder(Modern(), kServer);
  for (const char* silent : {"info", "details", "players", "rules"}) {
    EXPECT_TRUE(Ask(responder, Request(silent)).empty()) << silent;
  }
  EXPECT_EQ(Only(Ask(responder, Request("ping"))), B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));
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
    int rules;
    int split_limit;
    int max_total;
    size_t pieces;
  } cases[] = {{500, 1400, 4010, 3}, {500, 600, 100000, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rules << " rules in pieces of " << c.split_limit);
    DemoConfig config = Modern();
    config.rules = ManyRules(c.rules);
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
  const Bytes bad_challenge = Cat({kPrefix, B({'l'}), Z("Bad rcon_password.\nBad challenge.\n")});
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
  EXPECT_EQ(echo(number, 5999), Cat({kPrefix, B({'l'}), Z("a\n")}));
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
