// Notifying rules: the flag's storage beside the rules, joins and leaves of watched players, the
// server events, and the balloons that merge them.
#include "highlight/player_watch.h"

#include <gtest/gtest.h>

#include <array>

#include "highlight/notify_balloon.h"
#include "highlight/server_events.h"
#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

TEST(NotifyFlag, LivesBesideTheRulesWhereEarlierBuildsNeverLook) {
  MemoryKeyStore store;
  auto settings = store.Root(RootKey::kCurrentUser).CreateSubkey("SOFTWARE\\Merrowind\\Tarnwick");
  // An earlier build's rules, and a notify entry it left for a mask it since deleted.
  SetDword(*settings->CreateSubkey("Highlight"), "Freeman", 0x20000000);
  SetDword(*settings->CreateSubkey("Highlight Notify"), "Gone", 1);
  EXPECT_EQ(LoadHighlightRules(settings.get()), (std::vector<HighlightRule>{{0x20000000, "Freeman"}}));

  const std::vector<HighlightRule> rules = {
      {0xF8000000, "Freeman", true}, {0x08000000, "b"}, {1, "Dup", true}, {2, "DUP"}};
  EXPECT_EQ(SaveHighlightRules(*settings, rules), KeyStatus::kSuccess);
  EXPECT_EQ(LoadHighlightRules(settings.get()),
            (std::vector<HighlightRule>{{0xF8000000, "Freeman", true}, {0x08000000, "b"}, {2, "Dup"}}));
  // "Highlight" holds what an earlier build wrote: 4-byte REG_DWORDs named by the masks.
  auto highlight = settings->OpenSubkey("Highlight", KeyAccess::kRead);
  std::vector<std::pair<std::string, uint32_t>> stored;
  std::string name;
  KeyValue value;
  for (uint32_t i = 0; highlight->EnumValue(i, 260, 4, name, value) == KeyStatus::kSuccess; ++i) {
    EXPECT_EQ(value.type, ValueType::kDword);
    stored.emplace_back(name, DwordFromBytes(value.data));
  }
  EXPECT_EQ(stored, (std::vector<std::pair<std::string, uint32_t>>{
                        {"Freeman", 0xF8000000}, {"b", 0x08000000}, {"Dup", 2}}));

  EXPECT_EQ(SaveHighlightRules(*settings, {{1, "Freeman"}}), KeyStatus::kSuccess);
  EXPECT_EQ(settings->OpenSubkey("Highlight Notify", KeyAccess::kRead), nullptr);
}

TEST(PlayerWatch, ReportsChangesTwoListsAgreeOn) {
  const std::vector<HighlightRule> rules = {{0, "Gordon"}, {0, "Fr*", true}, {0, "*", false}};
  EXPECT_TRUE(AnyNotifyingRule(rules));
  EXPECT_FALSE(AnyNotifyingRule({{0, "Free*"}}));
  struct Step {
    Names list;
    Names joined;
    Names left;
  } steps[] = {
      {{"Freeman", "Gordon"}, {}, {}},  // the first list: only changes count
      {{"Gordon"}, {}, {}},             // missing from one list only...
      {{"Freeman", "Gordon", ""}, {}, {}},  // ...is no leave; an empty name is nobody
      {{"Gordon"}, {}, {}},
      {{}, {}, {"Freeman"}},  // missing from two lists: left; Gordon is not watched
      {{"Freeman", "Freeman", "freeloader", "Gordon"}, {}, {}},
      {{"Freeman", "Freeman", "freeloader"}, {"Freeman", "Freeman", "freeloader"}, {}},
      {{"Freeman", "freeloader"}, {}, {}},
      {{"Freeman", "Freeman", "freeloader"}, {}, {}},  // two again before the drop was confirmed
      {{"Freeman", "freeloader"}, {}, {}},
      {{"Freeman", "freeloader"}, {}, {"Freeman"}},
      {{"Fr\xE9" "e"}, {}, {}},  // read in the code page when not UTF-8, as the list shows it
      {{"Fr\xE9" "e"}, {"Fr\xC3\xA9" "e"}, {"Freeman", "freeloader"}},
  };
  PlayerWatch watch;
  for (size_t i = 0; i < std::size(steps); ++i) {
    const PlayerChanges changes = watch.Feed(steps[i].list, rules);
    EXPECT_EQ(changes.joined, steps[i].joined) << "step " << i;
    EXPECT_EQ(changes.left, steps[i].left) << "step " << i;
  }
  watch.Reset();
  EXPECT_TRUE(watch.Feed(Names{}, rules).empty());  // after a reset, the first list again
  watch.Feed(Names{"Freeman"}, rules);
  EXPECT_EQ(watch.Feed(Names{"Freeman"}, rules).joined, Names{"Freeman"});
}

TEST(ServerEvents, ComeFromTwoSuccessiveStates) {
  const ServerSnapshot full{true, true, 16, 16, "crossfire"};
  const ServerSnapshot open{true, true, 15, 16, "crossfire"};
  const ServerSnapshot lost{true, false, 16, 16, "crossfire"};
  const ServerSnapshot dust{true, true, 16, 16, "de_dust"};
  const ServerSnapshot empty{true, true, 0, 0, ""};
  const NotifyOptions defaults;
  const NotifyOptions all{true, true, true, true};
  struct Case {
    ServerSnapshot before, after;
    NotifyOptions options;
    ServerEvents events;  // slot, lost, back, map
  } cases[] = {
      {full, open, defaults, {true, false, false, false}},
      {open, full, all, {}},
      {empty, open, all, {}},                       // 0 of 0 is no full server
      {ServerSnapshot{}, open, all, {}},            // the first reply after a connect
      {full, ServerSnapshot{true, true, -1, 16, ""}, all, {}},  // a count from a byte above 127
      {full, open, NotifyOptions{true, false, true, true}, {}},
      {full, lost, defaults, {}},
      {full, lost, all, {false, true, false, false}},
      {lost, open, all, {false, false, true, false}},  // no slot across the gap
      {lost, dust, all, {false, false, true, true}},
      {full, dust, defaults, {}},
      {full, dust, all, {false, false, false, true}},
      {full, empty, all, {}},  // a reply without a map
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const ServerEvents e = DetectServerEvents(cases[i].before, cases[i].after, cases[i].options);
    EXPECT_EQ((std::array{e.slotFreed, e.connectionLost, e.connectionBack, e.mapChanged}),
              (std::array{cases[i].events.slotFreed, cases[i].events.connectionLost,
                          cases[i].events.connectionBack, cases[i].events.mapChanged}))
        << "case " << i;
  }
}

TEST(BalloonQueue, MergesEventsIntoOneBalloonIn10Seconds) {
  BalloonQueue queue;
  const ServerSnapshot freed{true, true, 15, 16, "de_dust"};
  struct Step {
    uint32_t now;
    PlayerChanges players;
    ServerEvents server;
    const char* text;  // null: no balloon
  } steps[] = {
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
    const std::optional<Balloon> balloon = queue.Take(step.now, "Alpha", "crossfire");
    EXPECT_EQ(balloon.has_value(), step.text != nullptr) << step.now;
    if (!balloon) continue;
    EXPECT_EQ(balloon->text, step.text);
    EXPECT_EQ(balloon->title, "Alpha");
  }
  queue.Add(PlayerChanges{{"Freeman"}, {}});
  EXPECT_EQ(queue.DueIn(65000), 5000u);
  queue.Clear();  // a new connection
  EXPECT_EQ(queue.DueIn(65000), std::nullopt);

  BalloonQueue wrapped;
  wrapped.Add(PlayerChanges{{}, {"Freeman"}});
  ASSERT_TRUE(wrapped.Take(0xFFFFF000u, "", ""));
  wrapped.Add(PlayerChanges{{}, {"Freeman"}});
  EXPECT_FALSE(wrapped.Take(0x1000u, "", ""));
  EXPECT_EQ(wrapped.Take(0x2000u, "", "")->text, "Freeman left");
}

TEST(BalloonQueue, ServerTextIsShownWithoutControlsAndBounded) {
  struct Case {
    std::string bytes;
    size_t room;
    std::string shown;
  } cases[] = {
      {"Al\npha\x1B[2J\x7F", 63, "Alpha[2J"},
      {"evil\xE2\x80\xAEtxt.exe\xE2\x80\xA8" "x\xC2\x85", 63, "eviltxt.exex"},  // override, separator, NEL
      {std::string(100, 'a'), 63, std::string(63, 'a')},
      {"ab\xF0\x9F\x98\x80", 3, "ab"},            // a pair of surrogates is not cut in two
      {"\xE9t\xE9", 63, "\xC3\xA9t\xC3\xA9"},     // code page bytes read as the list reads them
  };
  for (const Case& c : cases) EXPECT_EQ(BalloonServerText(c.bytes, c.room), c.shown) << c.bytes;

  BalloonQueue queue;
  queue.Add(PlayerChanges{{std::string(300, 'n') + "\r\n"}, {}});
  const std::optional<Balloon> balloon = queue.Take(0, std::string(300, 't'), std::string(300, 'm'));
  EXPECT_EQ(balloon->title, std::string(kBalloonTitleRoom, 't'));
  EXPECT_EQ(balloon->text, std::string(kBalloonNameRoom, 'n') + " joined " + std::string(kBalloonMapRoom, 'm'));
}

}  // namespace
}  // namespace tarnwick
