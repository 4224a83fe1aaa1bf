// The Options sheet's page values: copied from a window's settings and handed back on OK.
#include "dialogs/option_values.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// (What each page value sets is checked through the sheet itself.)
TEST(OptionValues, OnlyTheListOrItsHeightRebuildTheAddressBoxAndTheHighlightSwitchRedraws) {
  struct Case {
    int32_t serverList;
    int32_t height;
    int32_t highlight;
    bool rebuilt;
    bool redrawn;
  } cases[] = {{0, 112, 1, false, false}, {1, 112, 1, true, false}, {0, 113, 0, true, true},
               {1, 56, 1, true, false}};
  for (const Case& c : cases) {
    Settings settings;
    settings.gameClientPath = "C:\\Games\\Half-Life\\hl.exe";
    OptionValues values = OptionValuesFrom(settings);
    values.general.serverList = c.serverList;
    values.general.serverListHeight = c.height;
    values.misc.playerListHighlight = c.highlight;
    const Settings before = settings;
    const AppliedOptions applied = ApplyOptionValues(values, settings);
    EXPECT_EQ(applied.addressBoxChanged, c.rebuilt) << c.height;
    EXPECT_EQ(applied.highlightChanged, c.redrawn) << c.height;
    if (!c.rebuilt && !c.redrawn) {
      EXPECT_EQ(settings, before) << "the values unchanged";
    }
  }
}

TEST(OptionValues, NumberBoxes) {
  struct Case {
    const char* text;
    std::optional<int32_t> number;
  } cases[] = {
      {"5000", 5000},        {"0", 0},           {"  42", 42},          {"-7", -7},
      {"12abc", 12},         {"", std::nullopt}, {"abc", std::nullopt}, {"-", std::nullopt},
      {"   ", std::nullopt}, {"4294967296", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadNumberText(c.text), c.number) << c.text;
}

}  // namespace
}  // namespace tarnwick
