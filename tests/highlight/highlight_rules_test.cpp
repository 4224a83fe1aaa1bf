// The highlight rule list: attributes and their edits, defaults, lookup, ordering and the
// "Highlight" subkey.
#include "highlight/highlight_rules.h"

#include <gtest/gtest.h>

#include "highlight/highlight_edits.h"
#include "settings/memory_key_store.h"
#include "shell/window_settings.h"

namespace tarnwick {
namespace {

// (The default rules' colours and priorities are checked where the player list draws them.)
TEST(HighlightRules, EachEditOfTheAttributesKeepsTheOtherFields) {
  EXPECT_EQ(MakeHighlightAttributes(0xA00000, 1, 31), 0xF9A00000u);
  EXPECT_EQ(MakeHighlightAttributes(0, 7, 0), kHighlightBold | kHighlightItalic | kHighlightUnderline);
  EXPECT_EQ(WithRuleColour(0xF9A00000u, 0x0000FF), 0xF90000FFu);
  EXPECT_EQ(WithRuleColour(0x20000000u, 0xFF123456u), 0x20123456u) << "only 24 bits of colour";
  struct Case {
    uint32_t before, priority, after;
  } cases[] = {
      {0x20000000u, 31, 0xF8000000u}, {0xF9A00000u, 0, 0x01A00000u},
      {0x07FFFFFFu, 4, 0x27FFFFFFu},  {0x00000000u, 33, 0x08000000u},  // kept to 5 bits
  };
  for (const Case& c : cases) EXPECT_EQ(WithRulePriority(c.before, c.priority), c.after);
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

TEST_F(HighlightStore, SaveRewritesTheSubkeyFromTheList) {
  auto settings = Settings();
  auto old = settings->CreateSubkey("Highlight");
  SetDword(*old, "stale", 5);
  // (A later mask equal without regard to case decides: the notify flag's test.)
  const std::vector<HighlightRule> rules = {{0xF8000000, "first"}, {0x08000000, "second"}};
  EXPECT_EQ(SaveHighlightRules(*settings, rules), KeyStatus::kSuccess);
  EXPECT_EQ(LoadHighlightRules(settings.get()), rules) << "the stale value is gone";
  EXPECT_EQ(SaveHighlightRules(*settings, {}), KeyStatus::kSuccess);
  EXPECT_TRUE(LoadHighlightRules(settings.get()).empty());
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

}  // namespace
}  // namespace tarnwick
