// Notifying rules: joins and leaves of watched players, the server events, and the balloons that
// merge them. (The flag's storage beside the rules is the highlight rules' test.)
#include "highlight/player_watch.h"

#include <gtest/gtest.h>

#include "highlight/notify_balloon.h"
#include "highlight/server_events.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;
using Rules = std::vector<HighlightRule>;

TEST(PlayerWatch, ReportsChangesTwoListsAgreeOn) {
  const Rules rules = {{0, "Gordon"}, {0, "Fr*", true}, {0, "*", false}};
  EXPECT_TRUE(AnyNotifyingRule(rules) && !AnyNotifyingRule({{0, "Fr*"}}));
  struct Step { Names list, joined, left; } steps[] = {
      {{"Freeman", "Gordon"}, {}, {}},      // the first list: only changes count
      {{"Gordon"}, {}, {}},                 // missing from one list only...
      {{"Freeman", "Gordon", ""}, {}, {}},  // ...is no leave; an empty name is nobody
      {{}, {}, {}},
      {{"Freeman", "Freeman", "freeloader"}, {}, {}},  // back, and one more, before a leave
      {{"Freeman", "Freeman", "freeloader"}, {"Freeman", "freeloader"}, {}},  // Gordon: not watched
      {{"Freeman", "freeloader"}, {}, {}},
      {{"Freeman", "freeloader"}, {}, {"Freeman"}},
      {{"Fr\xE9" "e"}, {}, {}},  // read in the code page when not UTF-8, as the list shows it
      {{"Fr\xE9" "e"}, {"Fr\xC3\xA9" "e"}, {"Freeman", "freeloader"}},
  };
  PlayerWatch watch;
  for (size_t i = 0; i < std::size(steps); ++i) {
    const PlayerChanges changes = watch.Feed(steps[i].list, rules);
    EXPECT_EQ(std::pair(changes.joined, changes.left), std::pair(steps[i].joined, steps[i].left))
        << "step " << i;
  }
  watch.Reset();
  EXPECT_TRUE(watch.Feed(Names{}, rules).empty());  // after a reset, the first list again
  watch.Feed(Names{"Freeman"}, rules);
  EXPECT_EQ(watch.Feed(Names{"Freeman"}, rules).joined, Names{"Freeman"});
}

TEST(ServerEvents, ComeFromTwoSuccessiveStates) {
  const ServerSnapshot full{true, true, 16, 16, "crossfire"}, open{true, true, 15, 16, "crossfire"},
      lost{true, false, 16, 16, "crossfire"}, dust{true, true, 16, 16, "de_dust"},
      empty{true, true, 0, 0, ""};
  const NotifyOptions defaults, all{true, true, true, true};
  // Events: slot freed, connection lost, back, map changed.
  struct Case { ServerSnapshot before, after; NotifyOptions options; const char* events; };
  const Case cases[] = {
      {full, open, defaults, "1000"},
      {empty, open, all, "0000"},             // 0 of 0 is no full server, "" no known map
      {ServerSnapshot{}, open, all, "0000"},  // the first reply after a connect
      {full, {true, true, -1, 16, "crossfire"}, all, "0000"},  // a count from a byte above 127
      {full, open, {true, false, true, true}, "0000"},
      {full, lost, all, "0100"},
      {lost, open, all, "0010"},  // no free slot across the gap
      {lost, dust, all, "0011"},
      {full, empty, all, "0000"},  // a reply without a map
  };
  for (const Case& c : cases) {
    const ServerEvents e = DetectServerEvents(c.before, c.after, c.options);
    std::string found;
    for (const bool b : {e.slotFreed, e.connectionLost, e.connectionBack, e.mapChanged})
      found += b ? '1' : '0';
    EXPECT_EQ(found, c.events) << c.before.players << " " << c.after.map;
  }
}

TEST(BalloonQueue, MergesEventsIntoOneBalloonIn10Seconds) {
  BalloonQueue queue;
  const ServerSnapshot freed{true, true, 15, 16, "de_dust"};
  const uint32_t start = 0xFFFFC000u;  // the tick count wraps around after 16384 ms
  // A null text: no balloon.
  struct Step { uint32_t now; PlayerChanges players; ServerEvents server; const char* text; };
  const Step steps[] = {
      {0, {}, {}, nullptr},
      {5, {{"Freeman"}, {}}, {}, "Freeman joined crossfire"},
      {9000, {{"Gordon", "Alyx"}, {"Barney"}}, {}, nullptr},
      {9999, {{"Alyx"}, {}}, {}, nullptr},
      {10005, {}, {}, "Gordon and 2 others joined crossfire\nBarney left crossfire"},
      {20000, {{}, {"Gordon", "Alyx"}}, {false, true, false, false}, nullptr},
      {20004, {}, {true, false, true, true}, nullptr},
      {20005, {}, {}, "Connection lost and back\nMap changed to de_dust\nGordon and 1 other left "
                      "crossfire\nA slot is free (15/16)"},
      {50000, {}, {false, false, true, false}, "Server is back"},
      {60000, {}, {false, true, false, false}, "Connection lost"},
  };
  for (const Step& step : steps) {
    queue.Add(step.players);
    queue.Add(step.server, freed);
    const std::optional<Balloon> balloon = queue.Take(start + step.now, "Alpha", "crossfire");
    EXPECT_EQ(balloon.has_value(), step.text != nullptr) << step.now;
    if (balloon) {
      EXPECT_EQ(balloon->title + "|" + balloon->text, std::string("Alpha|") + step.text);
    }
  }
  queue.Add(PlayerChanges{{"Freeman"}, {}});
  EXPECT_EQ(queue.DueIn(start + 65000), 5000u);
  queue.Clear();  // a new connection
  EXPECT_EQ(queue.DueIn(start + 65000), std::nullopt);
}

// That a balloon shows no control character, no mark that reorders text and no line separator,
// within its room and cut only between characters, is the watch fuzzer's invariant (a direction
// override let through took it some seconds: that row stays).
TEST(BalloonQueue, ServerTextIsShownAsTheListShowsItAndBounded) {
  EXPECT_EQ(BalloonServerText("evil\xE2\x80\xAEtxt.exe\xE2\x80\xA8" "x\xC2\x85", 63),
            "eviltxt.exex");
  EXPECT_EQ(BalloonServerText("\xE9t\xE9", 63), "\xC3\xA9t\xC3\xA9") << "code page bytes";

  BalloonQueue queue;
  queue.Add(PlayerChanges{{std::string(300, 'n') + "\r\n"}, {}});
  const std::optional<Balloon> balloon = queue.Take(0, std::string(300, 't'), std::string(99, 'm'));
  EXPECT_EQ(balloon->title, std::string(kBalloonTitleRoom, 't'));
  EXPECT_EQ(balloon->text, std::string(kBalloonNameRoom, 'n') + " joined " + std::string(64, 'm'));
}

}  // namespace
}  // namespace tarnwick
