// The demo server in the mode of today's servers: binary queries, challenges, split replies,
// challenge rcon, the ban and the rate limit.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/command_line.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;

const Bytes kInfoQuery = Cat({kPrefix, B({'T'}), Z("Source Engine Query")});

DemoConfig Modern() {
  DemoConfig config;
  config.modern = true;
  config.host_name = "Today";
  config.map = "crossfire";
  config.folder = "valve";
  config.description = "Half-Life";
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
  EXPECT_EQ(reply.size(), 9u);
  if (reply.size() != 9) return 0;
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 5), B({0xFF, 0xFF, 0xFF, 0xFF, 'A'}));
  return ReadUint32At(reply, 5);
}

TEST(DemoModern, AnswersOnlyPingOfTheTextQueries) {
  Responder responder(Modern(), kServer);
  for (const char* silent : {"info", "details", "players", "rules"}) {
    EXPECT_TRUE(Ask(responder, Request(silent)).empty()) << silent;
  }
  EXPECT_EQ(Only(Ask(responder, Request("ping"))), B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));
}

TEST(DemoModern, AnswersTheInfoQueryWithTheExtraDataAsked) {
  const Bytes head = Cat({kPrefix, B({'I', 48}), Z("Today"), Z("crossfire"), Z("valve"),
                          Z("Half-Life"), B({70, 0, 1, 8, 2, 'd', 'l', 0, 1}), Z("1.1.2.7/Stdio")});
  struct Case {
    const char* name;
    bool extra_data;
    uint8_t flags;
    Bytes tail;
  } cases[] = {
      {"port only", true, 0x80, B({0x80, 0x87, 0x69})},
      {"no block", false, 0x80, {}},
      {"empty flags", true, 0x00, B({0x00})},
      {"everything", true, 0xF1,
       Cat({B({0xF1, 0x87, 0x69}), B({0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x01}),
            B({0x8C, 0x69}), Z("Tarnwick TV"), Z("demo,tarnwick"), B({70, 0, 0, 0, 0, 0, 0, 0})})},
  };
  for (const Case& c : cases) {
    DemoConfig config = Modern();
    config.bots = 2;
    config.modern_options.extra_data = c.extra_data;
    config.modern_options.extra_flags = c.flags;
    Responder responder(config, kServer);
    const Bytes reply = Only(Ask(responder, kInfoQuery));
    EXPECT_EQ(reply, Cat({head, c.tail})) << c.name << ": " << Show(reply);
  }
}

TEST(DemoModern, AnswersInfoWithDetailsOrBothWhenAsked) {
  const Bytes details = Cat({kPrefix, B({'m'}), Z("127.0.0.1:27015"), Z("Today"), Z("crossfire"),
                             Z("valve"), Z("Half-Life"), B({1, 8, 47, 'd', 'l', 0, 0, 1, 0})});
  DemoConfig config = Modern();
  config.modern_options.info_reply = ModernInfoReply::kDetails;
  Responder details_only(config, kServer);
  EXPECT_EQ(Only(Ask(details_only, kInfoQuery)), details);

  config.modern_options.info_reply = ModernInfoReply::kBoth;
  Responder both(config, kServer);
  const auto replies = Ask(both, kInfoQuery);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].bytes, details);
  EXPECT_EQ(replies[1].bytes[4], 'I');
}

TEST(DemoModern, DemandsAChallengeForInfoWhenTold) {
  DemoConfig config = Modern();
  config.modern_options.challenge_info = true;
  Responder responder(config, kServer);
  const Bytes first = Only(Ask(responder, kInfoQuery));
  ASSERT_EQ(first.size(), 9u);
  EXPECT_EQ(first[4], 'A');
  const uint32_t challenge = ReadUint32At(first, 5);
  EXPECT_EQ(Only(Ask(responder, Cat({kInfoQuery, Uint32Bytes(challenge + 1)}))), first);
  EXPECT_EQ(Only(Ask(responder, Cat({kInfoQuery, Uint32Bytes(challenge)})))[4], 'I');
}

TEST(DemoModern, PlayersAndRulesNeedTheRightChallenge) {
  Responder responder(Modern(), kServer);
  const uint32_t challenge = Challenge(responder, 'U');
  EXPECT_EQ(Challenge(responder, 'V'), challenge);
  EXPECT_EQ(Only(Ask(responder, Cat({kPrefix, B({'U'})})))[4], 'A');  // no challenge at all
  EXPECT_EQ(Only(Ask(responder, WithChallenge('U', challenge ^ 1)))[4], 'A');  // a wrong one
  EXPECT_EQ(Only(Ask(responder, WithChallenge('U', challenge))),
            Cat({kPrefix, B({'D', 1, 0}), Z("Freeman"), B({5, 0, 0, 0, 0x00, 0x00, 0x20, 0x41})}));
  EXPECT_EQ(Only(Ask(responder, WithChallenge('V', challenge))),
            Cat({kPrefix, B({'E', 1, 0}), Z("sv_gravity"), Z("800")}));

  // Another address has a challenge of its own.
  const Endpoint other{0x7F000002u, 40000};
  const Bytes theirs = Only(Ask(responder, WithChallenge('U', challenge), 0, other));
  EXPECT_EQ(theirs[4], 'A');
  EXPECT_NE(ReadUint32At(theirs, 5), challenge);

  responder.ExpireChallenges();
  EXPECT_EQ(Only(Ask(responder, WithChallenge('U', challenge)))[4], 'A');
}

// Joins split pieces in index order after checking their headers.
Bytes Join(const std::vector<Outgoing>& pieces, int32_t* sequence) {
  Bytes whole;
  const size_t count = pieces.size();
  for (size_t index = 0; index < count; ++index) {
    const Bytes& piece = pieces[index].bytes;
    EXPECT_LE(piece.size(), 1400u);
    EXPECT_EQ(Bytes(piece.begin(), piece.begin() + 4), B({0xFF, 0xFF, 0xFF, 0xFE}));
    const auto this_sequence = static_cast<int32_t>(ReadUint32At(piece, 4));
    if (index == 0) *sequence = this_sequence;
    EXPECT_EQ(this_sequence, *sequence);
    EXPECT_EQ(piece[8], index << 4 | count);
    whole.insert(whole.end(), piece.begin() + 9, piece.end());
  }
  return whole;
}

TEST(DemoModern, SplitsLargeRulesRepliesIntoPiecesThatJoinToTheWhole) {
  DemoConfig config = Modern();
  config.rules = ManyRules(60);  // about 3,200 bytes: three pieces
  Responder responder(config, kServer);
  const uint32_t challenge = Challenge(responder, 'V');
  int32_t sequence = 0;
  const auto pieces = Ask(responder, WithChallenge('V', challenge));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].bytes.size(), 1400u);
  const Bytes whole = Join(pieces, &sequence);

  Bytes expected = Cat({kPrefix, B({'E', 60, 0})});
  for (const DemoRule& rule : config.rules) expected = Cat({expected, Z(rule.name), Z(rule.value)});
  EXPECT_EQ(whole, expected);

  // The next reply has a sequence of its own.
  int32_t next = 0;
  Join(Ask(responder, WithChallenge('V', challenge)), &next);
  EXPECT_NE(next, sequence);
}

TEST(DemoModern, LeavesOutRulesThatWouldNotFitTheLargestReply) {
  struct Case {
    int split_limit;
    int max_total;
    size_t most_pieces;
  } cases[] = {{1400, 4010, 3}, {600, 100000, 5}};
  for (const Case& c : cases) {
    DemoConfig config = Modern();
    config.rules = ManyRules(500);
    config.modern_options.split_limit = c.split_limit;
    config.modern_options.split_max_total = c.max_total;
    Responder responder(config, kServer);
    int32_t sequence = 0;
    const auto pieces = Ask(responder, WithChallenge('V', Challenge(responder, 'V')));
    ASSERT_EQ(pieces.size(), c.most_pieces);
    const Bytes whole = Join(pieces, &sequence);
    const size_t largest = std::min<size_t>(c.max_total, c.most_pieces * (c.split_limit - 9));
    EXPECT_LE(whole.size(), largest);
    EXPECT_GT(whole.size() + 54, largest);  // one more rule would not have fit
    const size_t count = whole[5] | whole[6] << 8;
    EXPECT_EQ(std::count(whole.begin() + 7, whole.end(), 0), static_cast<long>(2 * count));
  }
}

TEST(DemoModern, RconWantsAChallengeAndCountsFailures) {
  Responder responder(Modern(), kServer);
  const Bytes reply = Only(Ask(responder, Request("challenge rcon")));
  const std::string text(reply.begin() + 4, reply.end());
  ASSERT_EQ(text.substr(0, 15), "challenge rcon ");
  ASSERT_EQ(text.substr(text.size() - 2), std::string("\n\0", 2));
  const std::string number = text.substr(15, text.size() - 17);
  const std::string other = std::to_string(std::stoul(number) ^ 0x40);

  const Bytes bad_challenge = Cat({kPrefix, B({'l'}), Z("Bad rcon_password.\nBad challenge.\n")});
  struct Case {
    std::string request;
    Bytes reply;
    int failures_after;
  } cases[] = {
      {"rcon " + number + " pw echo hi", Cat({kPrefix, B({'l'}), Z("hi\n")}), 0},
      {"rcon " + number + " wrong echo hi", Cat({kPrefix, B({'l'}), Z("Bad rcon_password.\n")}), 1},
      {"rcon pw echo hi", bad_challenge, 2},                // no challenge
      {"rcon " + other + " pw echo hi", bad_challenge, 3},  // one never given
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Only(Ask(responder, Request(c.request))), c.reply) << c.request;
    EXPECT_EQ(responder.FailedRconAttempts(), c.failures_after) << c.request;
  }

  // A challenge that was replaced, or has run out, is stale: refused, but not held against anyone.
  Ask(responder, Request("challenge rcon"), 1000);
  EXPECT_EQ(Only(Ask(responder, Request("rcon " + number + " pw echo hi"), 1000)), bad_challenge);
  responder.ExpireChallenges();
  EXPECT_EQ(Only(Ask(responder, Request("rcon " + number + " pw echo hi"), 1000)), bad_challenge);
  EXPECT_EQ(responder.FailedRconAttempts(), 3);
}

TEST(DemoModern, RconChallengesRunOut) {
  DemoConfig config = Modern();
  config.modern_options.rcon_challenge_lifetime_ms = 5000;
  Responder responder(config, kServer);
  const Bytes reply = Only(Ask(responder, Request("challenge rcon"), 1000));
  const std::string number(reply.begin() + 19, reply.end() - 2);
  EXPECT_EQ(Only(Ask(responder, Request("rcon " + number + " pw echo a"), 5999))[5], 'a');
  EXPECT_EQ(Only(Ask(responder, Request("rcon " + number + " pw echo a"), 6000)),
            Cat({kPrefix, B({'l'}), Z("Bad rcon_password.\nBad challenge.\n")}));
  EXPECT_EQ(responder.FailedRconAttempts(), 0);
}

TEST(DemoModern, BansAnAddressAfterFiveFailedAttempts) {
  Responder responder(Modern(), kServer);
  // Each attempt is answered, the fifth too; only then the address is banned.
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(Only(Ask(responder, Request("rcon pw status")))[4], 'l') << i;
  }
  EXPECT_EQ(responder.FailedRconAttempts(), 5);
  EXPECT_TRUE(responder.IsBanned(kLoopbackAddress));
  for (const Bytes& request :
       {Request("ping"), Request("challenge rcon"), kInfoQuery, WithChallenge('U', 0xFFFFFFFFu)}) {
    EXPECT_TRUE(Ask(responder, request).empty()) << Show(request);
  }
  // Another port of the banned address is banned too; another address is not.
  EXPECT_TRUE(Ask(responder, Request("ping"), 0, {kLoopbackAddress, 50000}).empty());
  EXPECT_EQ(Ask(responder, Request("ping"), 0, {0x7F000002u, 50000}).size(), 1u);
}

TEST(DemoModern, RateLimitDropsExcessQueriesPerAddress) {
  DemoConfig config = Modern();
  config.rate_limit = {true, 3, 1};
  Responder responder(config, kServer);
  struct Step {
    int64_t at_ms;
    Endpoint from;
    bool answered;
  } steps[] = {
      {0, kClient, true},    {100, kClient, true},          {200, kClient, true},
      {300, kClient, false}, {300, {0x7F000002u, 1}, true},  // its own allowance
      {999, kClient, false}, {1000, kClient, true},         {1050, kClient, false},
      {1100, kClient, true}, {1200, kClient, true},         {1250, kClient, false},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(!Ask(responder, Request("ping"), step.at_ms, step.from).empty(), step.answered)
        << step.at_ms;
  }
}

}  // namespace
}  // namespace tarnwick::demo
