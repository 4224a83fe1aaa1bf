// The player list's admin actions: reading the server's "status" answer in the layouts of 2001 and
// of today, gathering it from print replies, finding a row's player in it, and the commands sent.
#include "rcon/admin_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "rcon/rcon_session.h"
#include "rcon/status_reply.h"

namespace tarnwick {
namespace {

// A server of 2001: WON numbers, m:ss and h:mm:ss, a bot without an address, "#%2i" rows.
constexpr const char* kStatus2001 =
    "hostname:  Frag Palace\n"
    "version :  46/1.1.0.8 2044 secure\n"
    "tcp/ip  :  192.0.2.10:27015\n"
    "map     :  crossfire at: 0 x, 0 y, 0 z\n"
    "players :  3 active (16 max)\n"
    "\n"
    "#      name userid uniqueid frag time ping loss adr\n"
    "# 1 \"Gordon\" 12 1234567   25  5:03   48    0 192.0.2.33:27005\n"
    "# 2 \"[TW] Alyx\" 13 VALVE_ID_LAN    3  1:02:03   12    0 192.0.2.34:27005\n"
    "# 3 \"Bot\" 14 BOT    0 12:34    0    0\n"
    "3 users\n";

// Today's: Steam ids, a name with quotes and blanks, HLTV's own columns, a listen server's host,
// two-digit rows, CR LF line ends.
constexpr const char* kStatusToday =
    "hostname:  Half-Life\r\n"
    "version :  48/1.1.2.7/Stdio 8684 secure  (70)\r\n"
    "tcp/ip  :  203.0.113.5:27015\r\n"
    "map     :  stalkyard at: 0 x, 0 y, 0 z\r\n"
    "players :  5 active (32 max)\r\n"
    "\r\n"
    "#      name userid uniqueid frag time ping loss adr\r\n"
    "# 1 \"Say \"hi\" 2 STEAM_0:0:9\" 301 STEAM_0:1:123   -10 12:34   45    0 198.51.100.7:27005\r\n"
    "# 2 \"HLTV Proxy\" 302 HLTV hltv:0/128 delay:30  6:53 198.51.100.8:27020\r\n"
    "# 3 \"Newbie\" 303 STEAM_ID_PENDING    0  0:05  110    0 198.51.100.9:27005\r\n"
    "# 4 \"Host\" 304 VALVE_ID_LAN   2  3:00    0    0 loopback\r\n"
    "#10 \"\" 310 STEAM_1:0:4294967295 1 100:01:00 5 0 198.51.100.10\r\n"
    "5 users\r\n";

std::string AsShown(std::string_view bytes) { return std::string(bytes); }

TEST(StatusReply, ReadsTheLayoutsOf2001AndToday) {
  const StatusReply old = ReadStatusReply(kStatus2001);
  EXPECT_TRUE(old.Trusted());
  EXPECT_EQ(old.players,
            (std::vector<StatusPlayer>{
                {"Gordon", "12", "1234567", 25, 303, "192.0.2.33:27005"},
                {"[TW] Alyx", "13", "VALVE_ID_LAN", 3, 3723, "192.0.2.34:27005"},
                {"Bot", "14", "BOT", 0, 754, ""},
            }));
  const StatusReply today = ReadStatusReply(kStatusToday);
  EXPECT_TRUE(today.Trusted());
  EXPECT_EQ(today.players,
            (std::vector<StatusPlayer>{
                {"Say \"hi\" 2 STEAM_0:0:9", "301", "STEAM_0:1:123", -10, 754,
                 "198.51.100.7:27005"},
                {"HLTV Proxy", "302", "HLTV", std::nullopt, 413, "198.51.100.8:27020"},
                {"Newbie", "303", "STEAM_ID_PENDING", 0, 5, "198.51.100.9:27005"},
                {"Host", "304", "VALVE_ID_LAN", 2, 180, "loopback"},
                {"", "310", "STEAM_1:0:4294967295", 1, 360060, "198.51.100.10"},
            }));
}

TEST(StatusReply, TrustsOnlyAWholeTableWithEveryRowRead) {
  const std::string header = "#      name userid uniqueid frag time ping loss adr\n";
  const std::string row = "# 1 \"A\" 1 STEAM_0:0:1 0 0:01 5 0 192.0.2.1:27005\n";
  std::string many = header;
  for (int i = 0; i < 65; ++i) many += row;
  many += "65 users\n";
  struct Case {
    const char* what;
    std::string text;
    bool complete;
    bool trusted;
    size_t players;
  } cases[] = {
      {"no closing line yet", header + row, false, false, 1},
      {"a row cut short", header + row + "# 2 \"B\n2 users\n", true, false, 1},
      {"a row without ids", header + row + "# 2 \"B\" 7\n2 users\n", true, false, 1},
      {"a name too long", header + "# 1 \"" + std::string(200, 'n') + "\" 1 BOT 0 0:01\n1 users\n",
       true, false, 0},
      {"a line too long", header + row + "# 2 \"B\" 2 BOT" + std::string(600, ' ') + "\n2 users\n",
       true, false, 1},
      {"more rows than any server has", many, true, false, kMaxStatusPlayers},
      {"a count before the table is another command's", "3 users\n" + header + row + "1 users\n",
       true, true, 1},
      {"rows of an earlier table are dropped", header + row + header + "0 users\n", true, true, 0},
      {"lines about the server are not rows", "# 1 \"A\" 1 BOT\n" + header + "0 users\n", true,
       true, 0},
  };
  for (const Case& c : cases) {
    const StatusReply reply = ReadStatusReply(c.text);
    EXPECT_EQ(std::tuple(reply.Complete(), reply.Trusted(), reply.players.size()),
              std::tuple(c.complete, c.trusted, c.players)) << c.what;
  }
  for (const char* time : {"5", "1:2", "1:60", "1234:00", "1:00:00:00", "a:bc", ":00"}) {
    EXPECT_EQ(ReadStatusTime(time), std::nullopt) << time;
  }
}

TEST(StatusCollector, GathersTheAnswerFromPiecesAndKeepsItTenSeconds) {
  const std::string whole = kStatusToday;
  const StatusReply expected = ReadStatusReply(whole);
  // Parted anywhere, after the answer of a command sent before it.
  for (size_t cut = 0; cut <= whole.size(); cut += 7) {
    StatusCollector collector;
    collector.Asked(1000);
    EXPECT_FALSE(collector.Received("hello\n", 1010));
    const bool first = collector.Received(whole.substr(0, cut), 1020);
    const bool second = collector.Received(whole.substr(cut), 1030);
    ASSERT_TRUE(first || second) << cut;
    ASSERT_NE(collector.Fresh(1030), nullptr) << cut;
    EXPECT_EQ(collector.Fresh(1030)->players, expected.players) << cut;
  }
  StatusCollector collector;
  EXPECT_FALSE(collector.Received(whole, 0)) << "not asked: another command's output";
  collector.Asked(100);
  EXPECT_FALSE(collector.Received(whole, 100 + kStatusWaitMs)) << "too late";
  collector.Asked(200000);
  EXPECT_TRUE(collector.Received(whole, 200010));
  EXPECT_NE(collector.Fresh(200010 + kStatusCacheMs - 1), nullptr);
  EXPECT_EQ(collector.Fresh(200010 + kStatusCacheMs), nullptr);
  collector.Asked(300000);
  EXPECT_TRUE(collector.Received(std::string(kMaxStatusText + 1, 'x'), 300001));
  ASSERT_NE(collector.Fresh(300001), nullptr);
  EXPECT_FALSE(collector.Fresh(300001)->Trusted()) << "a flood ends the wait, untrusted";
}

// That no command but the allowed shapes is ever made, whatever the row, is the status fuzzer's
// invariant, which finds a refused id let by within seconds; here the accepted commands, the
// addresses (which its rows seldom reach with a bannable id), and what each refusal leaves.
TEST(AdminActions, CommandsNameOnlyIdsOfTheRightShape) {
  const StatusPlayer steam = {"x", "301", "STEAM_0:1:123", 0, 0, "198.51.100.7:27005"};
  const StatusPlayer won = {"x", "12", "1234567", 0, 0, "192.0.2.33"};
  using Commands = std::vector<std::string>;
  EXPECT_EQ(KickCommand(steam), "kick #301");
  EXPECT_EQ(BanIdCommands(steam, BanTime::kFiveMinutes),
            (Commands{"banid 5 STEAM_0:1:123 kick", "writeid"}));
  EXPECT_EQ(BanIdCommands(won, BanTime::kOneHour), (Commands{"banid 60 1234567 kick", "writeid"}));
  EXPECT_EQ(BanIdCommands({"x", "1", "VALVE_1:0:7", 0, 0, ""}, BanTime::kOneDay),
            (Commands{"banid 1440 VALVE_1:0:7 kick", "writeid"}));
  EXPECT_EQ(BanAddressCommands(steam, BanTime::kPermanent),
            (Commands{"addip 0 198.51.100.7", "writeip"}));
  EXPECT_EQ(BanAddressCommands(won, BanTime::kOneDay), (Commands{"addip 1440 192.0.2.33", "writeip"}));

  struct Refused {
    const char* userId;
    const char* uniqueId;
    const char* address;
    bool kick;
    bool banId;
    bool banAddress;
  } refused[] = {
      {"7", "BOT", "", true, false, false},
      {"7", "STEAM_0:1:1", "256.0.0.1", true, true, false},
      {"7", "STEAM_0:1:1", "01.2.3.4", true, true, false},
      {"7", "STEAM_0:1:1", "1.2.3", true, true, false},
      {"7", "STEAM_0:1:1", "1.2.3.4:27005;quit", true, true, false},
      {"7;quit", "STEAM_0:1:1", "192.0.2.1", false, false, false},
  };
  for (const Refused& r : refused) {
    const StatusPlayer player = {"x", r.userId, r.uniqueId, 0, 0, r.address};
    EXPECT_EQ(KickCommand(player).has_value(), r.kick) << r.userId;
    EXPECT_EQ(BanIdCommands(player, BanTime::kPermanent).empty(), !r.banId) << r.uniqueId;
    EXPECT_EQ(BanAddressCommands(player, BanTime::kPermanent).empty(), !r.banAddress) << r.address;
  }

  struct Say {
    std::string typed;
    std::optional<std::string> sent;
  } says[] = {
      {"hello all", "say hello all"},
      {"  map \"de_dust\"; quit\r\nkick #1 ", "say map 'de_dust', quit  kick #1"},
      {" \t ", std::nullopt},
  };
  for (const Say& s : says) EXPECT_EQ(SayCommand(s.typed), s.sent) << s.typed;
}

TEST(AdminActions, MenuFindsTheRowsPlayerByNameOrSaysWhyNot) {
  const StatusReply today = ReadStatusReply(kStatusToday);
  StatusReply twins = ReadStatusReply(
      "#      name userid uniqueid frag time ping loss adr\n"
      "# 1 \"Twin\" 1 STEAM_0:0:1 0 0:01 5 0 192.0.2.1:1\n"
      "# 2 \"Twin\" 2 STEAM_0:0:2 0 0:01 5 0 192.0.2.2:1\n"
      "2 users\n");
  StatusReply lost = today;
  lost.rowsLost = true;
  struct Case {
    const char* what;
    bool connected;
    bool works;
    std::optional<std::string> name;
    const StatusReply* answer;
    bool asking;
    AdminNote note;
    bool kick, banId, banAddress, say;
  } cases[] = {
      {"not connected", false, true, "Newbie", &today, false, AdminNote::kNone, 0, 0, 0, 0},
      {"no row: only Say", true, true, std::nullopt, nullptr, false, AdminNote::kNone, 0, 0, 0, 1},
      {"asking", true, true, "Newbie", nullptr, true, AdminNote::kAsking, 0, 0, 0, 1},
      {"no answer", true, true, "Newbie", nullptr, false, AdminNote::kNoAnswer, 0, 0, 0, 1},
      {"rows lost", true, true, "Newbie", &lost, false, AdminNote::kUnreadable, 0, 0, 0, 1},
      {"no such name", true, true, "newbie", &today, false, AdminNote::kNoSuchName, 0, 0, 0, 1},
      {"two of the name", true, true, "Twin", &twins, false, AdminNote::kSeveralNames, 0, 0, 0, 1},
      {"pending id: only kick", true, true, "Newbie", &today, false, AdminNote::kOnlyKick, 1, 0, 0,
       1},
      {"a name like a row", true, true, "Say \"hi\" 2 STEAM_0:0:9", &today, false,
       AdminNote::kNone, 1, 1, 1, 1},
      {"an empty name", true, true, "", &today, false, AdminNote::kNone, 1, 1, 1, 1},
  };
  for (const Case& c : cases) {
    const AdminMenuState s =
        DecideAdminMenu({c.connected, c.works, c.name, c.answer, c.asking}, &AsShown);
    EXPECT_EQ(std::tuple(s.note, s.kick, s.banId, s.banAddress, s.say, s.copyName,
                         s.player.has_value()),
              std::tuple(c.note, c.kick, c.banId, c.banAddress, c.say, c.name.has_value(), c.kick))
        << c.what;
  }
}

TEST(AdminActions, PasswordWorksOnceACommandWithItIsAnswered) {
  RconSession session;
  session.SetServerKind(ServerKind::Old, 0);
  EXPECT_EQ(session.AnsweredPassword(), std::nullopt);
  session.Submit("demo", "status", 3);
  session.AnswerReceived("hostname:  x\n", 4);
  EXPECT_EQ(session.AnsweredPassword(), "demo");
  session.Submit("other", "status", 5);
  session.AnswerReceived("Bad rcon_password.\r\n", 6);
  EXPECT_EQ(session.AnsweredPassword(), std::nullopt) << "a refusal takes it back";
  session.Submit("demo", "status", 7);
  session.AnswerReceived("hostname:  x\n", 8);
  session.Reset();
  EXPECT_EQ(session.AnsweredPassword(), std::nullopt) << "a new connection starts without";
}

}  // namespace
}  // namespace tarnwick
