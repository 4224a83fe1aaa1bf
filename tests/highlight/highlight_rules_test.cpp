// The highlight rule list: attributes, defaults, lookup, ordering and the "Highlight" subkey.
#include "highlight/highlight_rules.h"

#include <gtest/gtest.h>

#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

TEST(HighlightRules, AttributesPackColourStyleAndPriority) {
  const HighlightRule bold = DefaultHighlightRules()[0];
  EXPECT_EQ(RuleColour(bold.attributes), 0xA00000u);  // red 0, green 0, blue 160
  EXPECT_EQ(RuleStyleIndex(bold.attributes), 1);
  EXPECT_EQ(RulePriority(bold.attributes), 31u);
  const HighlightRule clan = DefaultHighlightRules()[1];
  EXPECT_EQ(RuleColour(clan.attributes), 0x400080u);  // red 128, green 0, blue 64
  EXPECT_EQ(RuleStyleIndex(clan.attributes), 0);
  EXPECT_EQ(RulePriority(clan.attributes), 0u);
  EXPECT_EQ(MakeHighlightAttributes(0xA00000, 1, 31), 0xF9A00000u);
  EXPECT_EQ(MakeHighlightAttributes(0, 0, 4), NewHighlightRule().attributes);
  EXPECT_EQ(MakeHighlightAttributes(0, 7, 0), kHighlightBold | kHighlightItalic | kHighlightUnderline);
  EXPECT_EQ(NewHighlightRule().mask, "<<Mask>>");
}

TEST(HighlightRules, FirstMatchInListOrderWins) {
  const std::vector<HighlightRule> rules = DefaultHighlightRules();
  struct Case {
    const char* name;
    const char* mask;  // null: no rule
  } cases[] = {{"[Kx4t].joe", "[Kx4t].*"}, {"[abc]joe", "*[*]*"}, {"joe", nullptr}};
  for (const Case& c : cases) {
    const HighlightRule* rule = FindHighlightRule(rules, c.name);
    if (c.mask == nullptr) {
      EXPECT_EQ(rule, nullptr) << c.name;
    } else {
      ASSERT_NE(rule, nullptr) << c.name;
      EXPECT_EQ(rule->mask, c.mask);
    }
  }
  EXPECT_EQ(FindHighlightRule({}, "joe"), nullptr);
}

TEST(HighlightRules, SortIsByPriorityAloneAndStable) {
  std::vector<HighlightRule> rules = {{0x20000001, "four-a"}, {0x00FFFFFF, "zero"},
                                      {0xF8000000, "top"},    {0x27000002, "four-b"},
                                      {0x20000003, "four-c"}};
  SortByPriority(rules);
  std::vector<std::string> masks;
  for (const HighlightRule& r : rules) masks.push_back(r.mask);
  EXPECT_EQ(masks, (std::vector<std::string>{"top", "four-a", "four-b", "four-c", "zero"}));
  // A rule given priority 31 is tried before lower ones.
  EXPECT_EQ(FindHighlightRule(rules, "top")->mask, "top");
}

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

TEST_F(HighlightStore, LoadKeepsStoredOrderAndStopsAtTheFirstUnusableValue) {
  struct Stored {
    std::string name;
    ValueType type;
    std::vector<uint8_t> data;
  };
  struct Case {
    std::vector<Stored> values;
    std::vector<HighlightRule> loaded;
  } cases[] = {
      {{{"low", ValueType::kDword, {0, 0, 0, 0x08}}, {"high", ValueType::kDword, {0, 0, 0, 0xF8}}},
       {{0x08000000, "low"}, {0xF8000000, "high"}}},
      {{{"a", ValueType::kDword, {1, 0, 0, 0}},
        {"b", ValueType::kString, {'x', 0}},
        {"c", ValueType::kDword, {3, 0, 0, 0}}},
       {{1, "a"}}},
      {{{"a", ValueType::kDword, {1, 0, 0, 0}},
        {std::string(260, 'n'), ValueType::kDword, {2, 0, 0, 0}},
        {"c", ValueType::kDword, {3, 0, 0, 0}}},
       {{1, "a"}}},
      {{{"a", ValueType::kDword, {1, 0, 0, 0}},
        {"long", ValueType::kDword, {2, 0, 0, 0, 0}},
        {"c", ValueType::kDword, {3, 0, 0, 0}}},
       {{1, "a"}}},
      {{{std::string(259, 'n'), ValueType::kDword, {2, 0, 0, 0}}},
       {{2, std::string(259, 'n')}}},
      {{{"bin", ValueType::kBinary, {1, 0, 0, 0}}, {"c", ValueType::kDword, {3, 0, 0, 0}}}, {}},
  };
  for (const Case& c : cases) {
    auto settings = Settings();
    settings->DeleteSubkey("Highlight");
    auto highlight = settings->CreateSubkey("Highlight");
    for (const Stored& v : c.values) highlight->SetValue(v.name, v.type, v.data);
    EXPECT_EQ(LoadHighlightRules(settings.get()), c.loaded);
  }
}

TEST_F(HighlightStore, SaveRewritesTheSubkeyFromTheList) {
  auto settings = Settings();
  auto old = settings->CreateSubkey("Highlight");
  SetDword(*old, "stale", 5);
  const std::vector<HighlightRule> rules = {
      {0xF8000000, "first"}, {0x10000000, "Dup"}, {0x08000000, "second"}, {0x00000001, "DUP"}};
  EXPECT_EQ(SaveHighlightRules(*settings, rules), KeyStatus::kSuccess);
  // A later mask equal without regard to case overwrites the earlier one's data in its place.
  EXPECT_EQ(LoadHighlightRules(settings.get()),
            (std::vector<HighlightRule>{{0xF8000000, "first"}, {0x00000001, "Dup"},
                                        {0x08000000, "second"}}));
  EXPECT_EQ(SaveHighlightRules(*settings, {}), KeyStatus::kSuccess);
  EXPECT_TRUE(LoadHighlightRules(settings.get()).empty());
}

}  // namespace
}  // namespace tarnwick
