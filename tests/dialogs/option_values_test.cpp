// The Options sheet's page values: copied from a window's settings and handed back on OK.
#include "dialogs/option_values.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(OptionValues, RoundTripChangesNothingUntilAValueDoes) {
  Settings settings;
  settings.gameClientPath = "C:\\Games\\Half-Life\\hl.exe";
  settings.startWithLogon = true;
  settings.iconSet = 1;
  Settings copy = settings;
  const AppliedOptions applied = ApplyOptionValues(OptionValuesFrom(settings), copy);
  EXPECT_EQ(copy, settings);
  EXPECT_FALSE(applied.addressBoxChanged || applied.highlightChanged);
  // (What each page value sets is checked through the sheet itself.)
  OptionValues values = OptionValuesFrom(settings);
  values.misc.playerListHighlight = 0;
  EXPECT_TRUE(ApplyOptionValues(values, copy).highlightChanged);
}

TEST(OptionValues, OnlyTheListOrItsHeightRebuildTheAddressBox) {
  struct Case {
    int32_t serverList;
    int32_t height;
    bool rebuilt;
  } cases[] = {{0, 112, false}, {1, 112, true}, {0, 113, true}, {1, 56, true}};
  for (const Case& c : cases) {
    Settings settings;
    OptionValues values = OptionValuesFrom(settings);
    values.general.priority = 5;
    values.general.serverList = c.serverList;
    values.general.serverListHeight = c.height;
    EXPECT_EQ(ApplyOptionValues(values, settings).addressBoxChanged, c.rebuilt);
    EXPECT_EQ(settings.gamePriority, 5u);
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
