// Loading and saving settings on the in-memory store: the shared suite, and what only a store
// that keeps write order can show (the exact order of every read and write).
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "settings/memory_key_store.h"
#include "tests/settings/settings_store_suite.h"
#include "tests/support/memory_store_harness.h"
#include "tests/support/recording_key_store.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryStoreHarness);

namespace {

const std::string kKey = kSettingsKeyPath;

TEST(SettingsOrder, LoadReadsEveryValueInItsPlace) {
  MemoryKeyStore memory;
  {
    Settings s;
    FakeSettingsWindow window(memory);
    window.windowPlacement = MakePlacementRecord(1, 1);
    window.consolePlacement = MakePlacementRecord(2, 1);
    s.gameClientPath = "C:\\HL\\hl.exe";
    SaveSettings(memory, window, s);
  }
  const std::vector<std::string> queried = {
      "WindowPos", "RConPos", "MinimizeToTray", "HLLocation", "AutoUpdate", "PingInterval",
      "DetailsInterval", "PlayersInterval", "AutoUpdateTray", "PingIntervalTray",
      "DetailsIntervalTray", "AutoDisconnect", "IconSet", "ConfirmJoin", "ServerList",
      "FlashInTray", "ServerListHeight", "HLPriority", "PlayerListHighlight", "Rcon recent list",
      "SortOrder", "ListOrders", "ListWidths"};
  RecordingKeyStore recording(memory);
  FakeSettingsWindow window(recording);
  Settings s;
  LoadSettings(recording, window, s);
  EXPECT_EQ(recording.ValueNames("query", kKey), queried);
  // The subkeys come at their places: recent servers after the history, rules last.
  std::vector<std::string> steps;
  for (const std::string& line : recording.log())
    if (line.rfind("open ", 0) == 0 || line == "query " + kKey + "|SortOrder" ||
        line == "query " + kKey + "|Rcon recent list")
      steps.push_back(line);
  EXPECT_EQ(steps, (std::vector<std::string>{
                       "open " + kKey, "query " + kKey + "|Rcon recent list",
                       "open " + kKey + "\\Recent Document List", "query " + kKey + "|SortOrder",
                       "open " + kKey + "\\Highlight"}));
  EXPECT_TRUE(recording.ValueNames("set", kKey).empty());

  // A window opened with "-new" reads no placement.
  recording.ClearLog();
  s.openedWithNew = true;
  LoadSettings(recording, window, s);
  EXPECT_EQ(recording.ValueNames("query", kKey),
            std::vector<std::string>(queried.begin() + 2, queried.end()));
}

TEST(SettingsOrder, SaveWritesEveryValueInItsPlace) {
  MemoryKeyStore memory;
  RecordingKeyStore recording(memory);
  FakeSettingsWindow window(recording);
  window.windowPlacement = MakePlacementRecord(1, 1);
  window.consolePlacement = MakePlacementRecord(2, 1);
  window.consoleHistory = {"status"};
  Settings s;
  ASSERT_EQ(SaveSettings(recording, window, s), KeyStatus::kSuccess);
  EXPECT_EQ(recording.ValueNames("set", kKey),
            (std::vector<std::string>{
                "WindowPos", "RConPos", "MinimizeToTray", "HLLocation", "AutoUpdate",
                "PingInterval", "DetailsInterval", "PlayersInterval", "AutoUpdateTray",
                "PingIntervalTray", "DetailsIntervalTray", "IconSet", "ServerList",
                "AutoDisconnect", "ConfirmJoin", "FlashInTray", "HLPriority", "ServerListHeight",
                "PlayerListHighlight", "Rcon recent list", "SortOrder", "ListOrders",
                "ListWidths"}));
  EXPECT_EQ(recording.log().front(), "create " + kKey);
  std::vector<std::string> steps;
  for (const std::string& line : recording.log())
    if (line.rfind("create ", 0) == 0 || line.rfind("delete-key ", 0) == 0 ||
        line == "set " + kKey + "|SortOrder")
      steps.push_back(line);
  EXPECT_EQ(steps, (std::vector<std::string>{
                       "create " + kKey, "create " + kKey + "\\Recent Document List",
                       "set " + kKey + "|SortOrder", "delete-key " + kKey + "\\Highlight",
                       "create " + kKey + "\\Highlight"}));
}

TEST(SettingsOrder, ColumnsAreTakenFromThePlayerListAtSave) {
  MemoryKeyStore memory;
  FakeSettingsWindow window(memory);
  window.columnOrder = std::array<int32_t, 4>{2, 0, 1, 3};
  window.columnWidths = std::array<int32_t, 4>{1, 2, 3, 4};
  Settings s;
  SaveSettings(memory, window, s);
  EXPECT_EQ(s.listOrders, (std::array<int32_t, 4>{2, 0, 1, 3}));
  EXPECT_EQ(s.listWidths, (std::array<int32_t, 4>{1, 2, 3, 4}));

  FakeSettingsWindow silent(memory);  // a list that cannot report keeps the fields
  Settings t;
  t.listOrders = {3, 2, 1, 0};
  SaveSettings(memory, silent, t);
  EXPECT_EQ(t.listOrders, (std::array<int32_t, 4>{3, 2, 1, 0}));
  EXPECT_EQ(t.listWidths, Settings{}.listWidths);
}

}  // namespace
}  // namespace tarnwick
