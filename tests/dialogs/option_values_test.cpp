// The Options sheet's page values: copied from a window's settings and handed back on OK.
#include "dialogs/option_values.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(OptionValues, RoundTripLeavesTheSettingsAsTheyWere) {
  Settings settings;
  settings.gameClientPath = "C:\\Games\\Half-Life\\hl.exe";
  settings.startWithLogon = true;
  settings.iconSet = 1;
  Settings copy = settings;
  const AppliedOptions applied = ApplyOptionValues(OptionValuesFrom(settings), copy);
  EXPECT_EQ(copy, settings);
  EXPECT_FALSE(applied.addressBoxChanged);
  EXPECT_FALSE(applied.highlightChanged);
}

TEST(OptionValues, EveryPageValueReachesItsSetting) {
  Settings settings;
  OptionValues values = OptionValuesFrom(settings);
  values.general = {0, 1, 1, 200, 4, "hl.exe"};
  values.refresh = {0, 5000, 0, 30};
  values.tray = {0, 120, 600, 1, 0};
  values.misc = {1, 0, 0};
  const AppliedOptions applied = ApplyOptionValues(values, settings);
  EXPECT_TRUE(applied.addressBoxChanged);
  EXPECT_TRUE(applied.highlightChanged);
  EXPECT_FALSE(settings.minimizeToTray);
  EXPECT_TRUE(settings.startWithLogon);
  EXPECT_TRUE(settings.serverList);
  EXPECT_EQ(settings.serverListHeight, 200u);
  EXPECT_EQ(settings.gamePriority, 4u);
  EXPECT_EQ(settings.gameClientPath, "hl.exe");
  EXPECT_FALSE(settings.autoUpdate);
  EXPECT_EQ(settings.pingInterval, 5000u) << "typed numbers are taken without range check";
  EXPECT_EQ(settings.detailsInterval, 0u);
  EXPECT_EQ(settings.playersInterval, 30u);
  EXPECT_FALSE(settings.autoUpdateTray);
  EXPECT_EQ(settings.pingIntervalTray, 120u);
  EXPECT_EQ(settings.detailsIntervalTray, 600u);
  EXPECT_EQ(settings.iconSet, 1u);
  EXPECT_FALSE(settings.flashInTray);
  EXPECT_TRUE(settings.autoDisconnect);
  EXPECT_FALSE(settings.confirmJoin);
  EXPECT_FALSE(settings.playerListHighlight);
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
