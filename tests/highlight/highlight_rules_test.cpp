// The highlight rule list: attributes and their edits, defaults, ordering, the "Highlight" subkey
// and the notify flags beside it, and the name matcher.
#include "highlight/highlight_rules.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "highlight/highlight_edits.h"
#include "highlight/match_mask.h"
#include "settings/memory_key_store.h"
#include "shell/window_settings.h"

namespace tarnwick {
namespace {

// (The default rules' colours and priorities are checked where the player list draws them; a
// colour and a higher priority given on the Highlight page, keeping the rest, in the Options
// sheet's test.)
TEST(HighlightRules, EachEditOfTheAttributesKeepsTheOtherFields) {
  EXPECT_EQ(MakeHighlightAttributes(0xA00000, 1, 31), 0xF9A00000u);
  EXPECT_EQ(MakeHighlightAttributes(0, 7, 0), kHighlightBold | kHighlightItalic | kHighlightUnderline);
  EXPECT_EQ(WithRulePriority(0xF9A00000u, 0), 0x01A00000u) << "a lower priority replaces it";
}

// (The first matching rule is the one whose colour the player list draws: tested there.)

class HighlightStore : public testing::Test {
 protected:
  std::unique_ptr<Key> Settings() {
    return memory_.Root(RootKey::kCurrentUser).CreateSubkey("SOFTWARE\\Merrowind\\Tarnwick");
  }
  MemoryKeyStore memory_;
};

TEST_F(HighlightStore, MissingSubkeyGivesTheDefaultsAndAnEmptyOneNothing) {
  EXPECT_EQ(LoadHighlightRules(nullptr), DefaultHighlightRules());
  auto settings = Settings();
  EXPECT_EQ(LoadHighlightRules(settings.get()), DefaultHighlightRules());
  settings->CreateSubkey("Highlight");
  EXPECT_TRUE(LoadHighlightRules(settings.get()).empty());
}

// (That loading keeps the stored order is seen through Save.)
TEST_F(HighlightStore, LoadStopsAtTheFirstUnusableValue) {
  struct Stored {
    std::string name;
    ValueType type;
    std::vector<uint8_t> data;
  } unusable[] = {{"b", ValueType::kString, {'x', 0}},
                  {std::string(260, 'n'), ValueType::kDword, {2, 0, 0, 0}},  // 259 fill the room
                  {"long", ValueType::kDword, {2, 0, 0, 0, 0}},
                  {"bin", ValueType::kBinary, {1, 0, 0, 0}}};
  auto settings = Settings();
  for (const Stored& bad : unusable) {
    settings->DeleteSubkey("Highlight");
    auto highlight = settings->CreateSubkey("Highlight");
    SetDword(*highlight, "a", 1);
    highlight->SetValue(bad.name, bad.type, bad.data);
    SetDword(*highlight, "c", 3);
    EXPECT_EQ(LoadHighlightRules(settings.get()), (std::vector<HighlightRule>{{1, "a"}}))
        << bad.name;
  }
  settings->DeleteSubkey("Highlight");
  SetDword(*settings->CreateSubkey("Highlight"), std::string(259, 'n'), 2);
  EXPECT_EQ(LoadHighlightRules(settings.get()),
            (std::vector<HighlightRule>{{2, std::string(259, 'n')}}));
}

TEST_F(HighlightStore, SaveRewritesTheSubkeysAndKeepsTheNotifyFlagWhereEarlierBuildsNeverLook) {
  using Rules = std::vector<HighlightRule>;
  auto settings = Settings();
  // An earlier build's rules, and a notify entry left for a mask that build deleted since.
  auto old = settings->CreateSubkey("Highlight");
  SetDword(*old, "Freeman", 0x20000000);
  SetDword(*old, "stale", 5);
  SetDword(*settings->CreateSubkey("Highlight Notify"), "Gone", 1);
  EXPECT_EQ(LoadHighlightRules(settings.get()), (Rules{{0x20000000, "Freeman"}, {5, "stale"}}));

  // Of two masks equal without regard to case, the later decides the flag as the attributes.
  const Rules rules = {{8, "Freeman", true}, {4, "b"}, {1, "Dup", true}, {2, "DUP"}};
  EXPECT_EQ(SaveHighlightRules(*settings, rules), KeyStatus::kSuccess);
  EXPECT_EQ(LoadHighlightRules(settings.get()), (Rules{{8, "Freeman", true}, {4, "b"}, {2, "Dup"}}))
      << "later decides";
  // An earlier build's reader gets every rule, and "Highlight" holds nothing else.
  settings->DeleteSubkey("Highlight Notify");
  EXPECT_EQ(LoadHighlightRules(settings.get()), (Rules{{8, "Freeman"}, {4, "b"}, {2, "Dup"}}));
  std::string name;
  KeyValue value;
  EXPECT_EQ(settings->OpenSubkey("Highlight", KeyAccess::kRead)->EnumValue(3, 260, 4, name, value),
            KeyStatus::kNoMoreItems);

  SetDword(*settings->CreateSubkey("Highlight Notify"), "b", 1);
  EXPECT_EQ(SaveHighlightRules(*settings, {}), KeyStatus::kSuccess);
  EXPECT_EQ(settings->OpenSubkey("Highlight Notify", KeyAccess::kRead), nullptr);
  EXPECT_TRUE(LoadHighlightRules(settings.get()).empty()) << "no rules, not the defaults";
}

TEST_F(HighlightStore, WindowSortsTheLoadedRulesByPriorityAloneAndStably) {
  auto settings = Settings();
  auto highlight = settings->CreateSubkey("Highlight");
  const std::vector<HighlightRule> stored = {{0x20000001, "four-a"}, {0x00FFFFFF, "zero"},
                                             {0xF8000000, "top"},    {0x27000002, "four-b"},
                                             {0x20000003, "four-c"}};
  for (const HighlightRule& rule : stored) SetDword(*highlight, rule.mask, rule.attributes);
  WindowSettings window;
  LoadWindowSettings(memory_, window);
  std::vector<std::string> masks;
  for (const HighlightRule& rule : window.highlightRules) masks.push_back(rule.mask);
  EXPECT_EQ(masks, (std::vector<std::string>{"top", "four-a", "four-b", "four-c", "zero"}));
}

// How '*' and '?' match is the text fuzzer's invariant against the plain recursive matcher, which
// folds the texts as the matcher does; here the folding itself, and the time on crafted masks.
TEST(MatchMask, FoldsLettersBeyondAsciiAndTakesNoTimeOnManyWildcards) {
  const struct {
    const char* mask;
    const char* name;
    bool matches;
  } cases[] = {
      {"\u00C4rger", "\u00E4RGER", true},
      {"?ber \u2665", "\u00DCber \u2665", true},  // '?' is one code point
      {"\u0441\u0434*", "\u0421\u0414s\u0426\u0430l", true},
      {"\u03A3\u039F\u03A6\u0399\u0391", "\u03C3\u03BF\u03C6\u03B9\u03B1", true},
      {"\u0441", "c", false},  // Cyrillic es is not Latin c
  };
  for (const auto& c : cases) EXPECT_EQ(MatchMask(c.name, c.mask), c.matches) << c.mask;

  // Trying every combination of places would take longer than the universe has.
  std::string mask;
  for (int i = 0; i < 40; ++i) mask += "*a";
  const std::string name(2000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MatchMask(name, mask + "*b"));
  EXPECT_TRUE(MatchMask(name + "b", mask + "*b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace tarnwick
