// Loading and saving a window's settings against a key store, as one typed test suite: natively on
// the in-memory store, under Wine on the registry (a test key of its own, whose "HKCU" and "HKLM"
// subkeys stand for the two roots). The console history, recent servers and highlight rules go
// through their own real code.
#ifndef TARNWICK_TESTS_SETTINGS_SETTINGS_STORE_SUITE_H
#define TARNWICK_TESTS_SETTINGS_SETTINGS_STORE_SUITE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/locate_game_client.h"
#include "settings/logon_entry.h"
#include "shell/window_settings.h"

namespace tarnwick {

template <typename Harness>
class SettingsStoreContract : public testing::Test {
 protected:
  KeyStore& store() { return harness_.store(); }
  std::unique_ptr<Key> SettingsKey() {
    return store().Root(RootKey::kCurrentUser).CreateSubkey(kSettingsKeyPath);
  }
  // Loads into what a new main window holds.
  WindowSettings Load(bool openedWithNew = false, bool* found = nullptr) {
    WindowSettings window;
    window.settings.openedWithNew = openedWithNew;
    window.recentServers.SetMaximum(kRecentServersWindowMaximum);
    const bool loaded = LoadWindowSettings(store(), window);
    if (found != nullptr) *found = loaded;
    return window;
  }
  KeyValue Stored(const char* name) {
    KeyValue value;
    auto key = SettingsKey();
    EXPECT_EQ(key->QueryValue(name, kAnySize, value), KeyStatus::kSuccess) << name;
    return value;
  }

  Harness harness_;
};

TYPED_TEST_SUITE_P(SettingsStoreContract);

// A placement record whose bytes are `seed`, `seed + 1`, ... with the show command set.
inline PlacementRecord MakePlacementRecord(uint8_t seed, uint32_t showCommand) {
  PlacementRecord record;
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(seed + i);
  for (size_t i = 0; i < 4; ++i)
    record[kPlacementShowCommandOffset + i] = static_cast<uint8_t>(showCommand >> (8 * i));
  return record;
}

inline std::vector<uint8_t> Dword(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

// Every setting with a value other than its default.
inline Settings ChangedSettings() {
  Settings s;
  s.minimizeToTray = false;
  s.gameClientPath = "D:\\Games\\Half-Life\\hl.exe";
  s.autoUpdate = false;
  s.pingInterval = 0;
  s.detailsInterval = 45;
  s.playersInterval = 30;
  s.autoUpdateTray = false;
  s.pingIntervalTray = 120;
  s.detailsIntervalTray = 600;
  s.autoDisconnect = true;
  s.iconSet = 1;
  s.confirmJoin = false;
  s.serverList = true;
  s.flashInTray = false;
  s.serverListHeight = 200;
  s.gamePriority = 4;
  s.playerListHighlight = false;
  s.sortOrder = -3;
  s.listOrders = {3, 1, 0, 2};
  s.listWidths = {10, 200, 50, 0};
  s.windowPlacement = MakePlacementRecord(10, 1);
  s.consolePlacement = MakePlacementRecord(100, 3);
  return s;
}

// Every value of ChangedSettings() as an earlier build wrote it.
struct StoredBytes {
  const char* name;
  ValueType type;
  std::vector<uint8_t> data;
};
inline std::vector<StoredBytes> EarlierBuildValues() {
  const PlacementRecord window = MakePlacementRecord(10, 1);
  const PlacementRecord console = MakePlacementRecord(100, 3);
  const char path[] = "D:\\Games\\Half-Life\\hl.exe";
  const ValueType dword = ValueType::kDword;
  return {{"WindowPos", ValueType::kBinary, {window.begin(), window.end()}},
          {"RConPos", ValueType::kBinary, {console.begin(), console.end()}},
          {"HLLocation", ValueType::kString, std::vector<uint8_t>(path, path + sizeof(path))},
          {"ListOrders", ValueType::kBinary, {3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}},
          {"ListWidths", ValueType::kBinary, {10, 0, 0, 0, 200, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0}},
          {"SortOrder", dword, {0xFD, 0xFF, 0xFF, 0xFF}},
          {"MinimizeToTray", dword, Dword(0)},     {"AutoUpdate", dword, Dword(0)},
          {"PingInterval", dword, Dword(0)},       {"DetailsInterval", dword, Dword(45)},
          {"PlayersInterval", dword, Dword(30)},   {"AutoUpdateTray", dword, Dword(0)},
          {"PingIntervalTray", dword, Dword(120)}, {"DetailsIntervalTray", dword, Dword(600)},
          {"AutoDisconnect", dword, Dword(1)},     {"IconSet", dword, Dword(1)},
          {"ConfirmJoin", dword, Dword(0)},        {"ServerList", dword, Dword(1)},
          {"FlashInTray", dword, Dword(0)},        {"ServerListHeight", dword, Dword(200)},
          {"HLPriority", dword, Dword(4)},         {"PlayerListHighlight", dword, Dword(0)}};
}

// Saved as an earlier build saved it, every value and part read back; the minimised window comes
// back normal and the rules by priority.
TYPED_TEST_P(SettingsStoreContract, RoundTripsEverySettingInTheFormerFormat) {
  WindowSettings first;
  first.settings = ChangedSettings();
  first.settings.windowPlacement = MakePlacementRecord(10, 2);  // minimised
  first.consoleHistory = {"status", "changelevel de_dust", "say \u00DCber \u2665", "users"};
  first.recentServers.SetMaximum(kRecentServersWindowMaximum);
  for (const char* server : {"alpha:27015", "10.1.1.1:27016", "\u0441\u0434.example:27017"})
    first.recentServers.AddServer(server);
  const HighlightRule high = {MakeHighlightAttributes(0x0000FF, 1, 20), "[Kx4t].*"};
  const HighlightRule alsoHigh = {MakeHighlightAttributes(0x0000FF, 1, 20), "\u0441\u0434*"};
  const HighlightRule middle = {MakeHighlightAttributes(0x00FF00, 6, 9), "*bot*"};
  const HighlightRule low = {MakeHighlightAttributes(0xFF0000, 0, 2), "admin"};
  first.highlightRules = {low, high, middle, alsoHigh};
  ASSERT_EQ(SaveWindowSettings(this->store(), first), KeyStatus::kSuccess);
  for (const StoredBytes& value : EarlierBuildValues()) {
    KeyValue stored = this->Stored(value.name);
    EXPECT_EQ(stored.type, value.type) << value.name;
    EXPECT_EQ(stored.data, value.data) << value.name;
  }

  bool found = false;
  const WindowSettings second = this->Load(false, &found);
  EXPECT_TRUE(found);
  EXPECT_TRUE(second.settings == ChangedSettings());
  EXPECT_EQ(second.consoleHistory, first.consoleHistory);
  EXPECT_EQ(second.recentServers.entries(), first.recentServers.entries());
  EXPECT_EQ(second.recentServers.maximum(), kRecentServersWindowMaximum);
  EXPECT_EQ(second.highlightRules, (std::vector<HighlightRule>{high, alsoHigh, middle, low}));
}

// Numbers are any four bytes, whatever their type; a placement is exactly a binary record. Anything
// else is nothing the program wrote: the default stands, and is saved.
TYPED_TEST_P(SettingsStoreContract, ValuesOfAnotherSizeOrTypeAreIgnoredAndRewrittenAtSave) {
  struct Case {
    const char* name;
    ValueType type;
    std::vector<uint8_t> data;
  } cases[] = {
      {"AutoDisconnect", ValueType::kDword, {5, 0, 0, 0}},       // any non-zero number is true
      {"ConfirmJoin", ValueType::kBinary, {0, 0, 0, 0}},         // type not checked
      {"ServerList", ValueType::kDword, {0, 1, 0, 0}},
      {"PlayersInterval", ValueType::kBinary, {9, 0, 0, 0, 0}},  // longer than 4 bytes: default
      {"HLPriority", ValueType::kDword, {9, 0, 0, 0}},           // kept; used as normal (2)
      {"SortOrder", ValueType::kDword, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"ServerListHeight", ValueType::kDword, {7, 0}},           // shorter than 4 bytes: default
      {"NotifyConnection", ValueType::kDword, {2, 0, 0, 0}},
      {"NotifyPlayers", ValueType::kDword, {0, 0, 0, 0}},
      {"WindowPos", ValueType::kBinary, std::vector<uint8_t>(kPlacementRecordSize - 4, 0x21)},
      {"RConPos", ValueType::kString, std::vector<uint8_t>(kPlacementRecordSize, 0x21)},
  };
  auto key = this->SettingsKey();
  for (const Case& c : cases) key->SetValue(c.name, c.type, c.data);
  WindowSettings window = this->Load();
  Settings expected;
  expected.gameClientPath = "hl.exe";
  expected.autoDisconnect = true;
  expected.confirmJoin = false;
  expected.serverList = true;
  expected.gamePriority = 9;
  expected.sortOrder = -2;
  expected.notifyConnection = true;
  expected.notifyPlayers = false;
  EXPECT_TRUE(window.settings == expected);

  ASSERT_EQ(SaveWindowSettings(this->store(), window), KeyStatus::kSuccess);
  EXPECT_EQ(this->Stored("PlayersInterval").data, Dword(0));
  EXPECT_EQ(this->Stored("ServerListHeight").data, Dword(112));
}

TYPED_TEST_P(SettingsStoreContract, WindowOpenedWithNewLeavesThePlacementsAlone) {
  WindowSettings before;
  before.settings.windowPlacement = MakePlacementRecord(1, 1);
  before.settings.consolePlacement = MakePlacementRecord(2, 1);
  SaveWindowSettings(this->store(), before);

  bool found = false;
  WindowSettings window = this->Load(true, &found);
  EXPECT_TRUE(found);
  EXPECT_FALSE(window.settings.windowPlacement.has_value());
  EXPECT_FALSE(window.settings.consolePlacement.has_value());

  window.settings.windowPlacement = MakePlacementRecord(50, 1);
  window.settings.consolePlacement = MakePlacementRecord(60, 1);
  window.settings.pingInterval = 33;
  SaveWindowSettings(this->store(), window);
  const Settings after = this->Load().settings;
  EXPECT_EQ(after.windowPlacement, before.settings.windowPlacement);
  EXPECT_EQ(after.consolePlacement, before.settings.consolePlacement);
  EXPECT_EQ(after.pingInterval, 33u);
}

TYPED_TEST_P(SettingsStoreContract, ColumnArraysReplaceOnlyTheirLeadingEntries) {
  auto bytes = [](std::vector<int32_t> entries) {
    std::vector<uint8_t> data;
    for (int32_t e : entries)
      for (uint8_t b : Dword(static_cast<uint32_t>(e))) data.push_back(b);
    return data;
  };
  struct Case {
    std::vector<uint8_t> orders;
    std::vector<uint8_t> widths;
    ColumnArray expectedOrders;
    ColumnArray expectedWidths;
  } cases[] = {
      {bytes({1, 0}), bytes({50, 60}), {1, 0, 2, 3}, {50, 60, 72, 96}},
      {bytes({2, 3}), bytes({}), {0, 1, 2, 3}, {40, 144, 72, 96}},  // 2,3,2,3: no order
      {bytes({1, 2, 3, 4}), bytes({-5}), {0, 1, 2, 3}, {-5, 144, 72, 96}},  // past the last column
      {bytes({3, 2, 1, 0, 9}), bytes({1, 2, 3, 4, 5}), {0, 1, 2, 3}, {40, 144, 72, 96}},  // long
      {{0x01, 0, 0, 0, 0x00}, {0x10, 0x01}, {1, 0, 2, 3}, {0x0110, 144, 72, 96}},  // odd sizes
  };
  for (const Case& c : cases) {
    auto key = this->SettingsKey();
    key->SetValue("ListOrders", ValueType::kBinary, c.orders);
    key->SetValue("ListWidths", ValueType::kBinary, c.widths);
    const Settings s = this->Load().settings;
    EXPECT_EQ(s.listOrders, c.expectedOrders);
    EXPECT_EQ(s.listWidths, c.expectedWidths);
  }
}

// Two windows open at the first start, nothing stored yet; the one that saves last decides every
// value, defaults and an emptied history too. (The recent servers and the rules delete their stale
// values in their own tests.)
TYPED_TEST_P(SettingsStoreContract, FirstStartUsesDefaultsAndTheWindowThatSavesLastDecides) {
  auto uninstall = this->store().Root(RootKey::kLocalMachine).CreateSubkey(kUninstallKeyPath);
  SetString(*uninstall, "UninstallString", "C:\\WINDOWS\\IsUninst.exe -f\"C:\\HL\\DeIsL1.isu\"");
  bool found = true;
  WindowSettings window = this->Load(false, &found);
  WindowSettings other = this->Load();
  EXPECT_FALSE(found);
  Settings expected;
  expected.gameClientPath = "C:\\HL\\hl.exe";
  EXPECT_TRUE(window.settings == expected);
  EXPECT_TRUE(window.highlightRules.empty()) << "no defaults before anything was stored";
  EXPECT_EQ(this->store().Root(RootKey::kCurrentUser).OpenSubkey(kSettingsKeyPath,
                                                                  KeyAccess::kRead),
            nullptr);

  other.settings.iconSet = 1;
  other.consoleHistory = {"from the other"};
  SaveWindowSettings(this->store(), other);
  window.consoleHistory = std::vector<std::string>{};
  SaveWindowSettings(this->store(), window);
  EXPECT_EQ(TextFromBytes(this->Stored("HLLocation").data), "C:\\HL\\hl.exe");
  const WindowSettings next = this->Load();
  EXPECT_EQ(next.settings.iconSet, 0u);
  EXPECT_EQ(next.consoleHistory, std::vector<std::string>{});
}

TYPED_TEST_P(SettingsStoreContract, GameClientPathOfMoreThan259CharactersCountsAsAbsent) {
  std::string umlauts;
  for (int i = 0; i < 249; ++i) umlauts += "\u00FC";  // counted in characters, not bytes
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\" + std::string(249, 'g') + "\\hl.exe", "C:\\" + std::string(249, 'g') + "\\hl.exe"},
      {"C:\\" + std::string(250, 'g') + "\\hl.exe", "hl.exe"},  // 260 characters
      {"C:\\" + umlauts + "\\hl.exe", "C:\\" + umlauts + "\\hl.exe"},
  };
  for (const auto& [stored, loaded] : cases) {
    SetString(*this->SettingsKey(), "HLLocation", stored);
    EXPECT_EQ(this->Load().settings.gameClientPath, loaded) << stored.size();
  }
}

TYPED_TEST_P(SettingsStoreContract, LogonEntryNamesTheProgramAndTheWatchedServer) {
  const std::string program = "C:\\Program Files\\Tarnwick\\Tarnwick.exe";
  auto run = this->store().Root(RootKey::kCurrentUser).CreateSubkey(kRunKeyPath);
  SetString(*run, "Other", "other.exe");
  EXPECT_FALSE(ReadLogonEntry(this->store(), "Tarnwick"));
  const std::pair<std::string, std::string> written[] = {
      {"", "\"" + program + "\""},
      {"hl.example.org", "\"" + program + "\" -tray hl.example.org:27016"}};
  KeyValue value;
  for (const auto& [host, text] : written) {
    WriteLogonEntry(this->store(), "Tarnwick", true, program, host, 27016);
    ASSERT_EQ(run->QueryValue("Tarnwick", kAnySize, value), KeyStatus::kSuccess);
    EXPECT_EQ(value.type, ValueType::kString);
    EXPECT_EQ(TextFromBytes(value.data), text);
    EXPECT_TRUE(ReadLogonEntry(this->store(), "Tarnwick"));
  }
  // Off, twice: the second has nothing to delete and quietly does nothing.
  for (int i = 0; i < 2; ++i) WriteLogonEntry(this->store(), "Tarnwick", false, program, "", 1);
  EXPECT_EQ(run->QueryValue("Tarnwick", kAnySize, value), KeyStatus::kNotFound);
  EXPECT_EQ(run->QueryValue("Other", kAnySize, value), KeyStatus::kSuccess);
  SetString(*run, "Tarnwick", "");
  EXPECT_FALSE(ReadLogonEntry(this->store(), "Tarnwick"));
  // Longer than a path and a server could be, and unquoted as earlier versions wrote it.
  SetString(*run, "Tarnwick", program + " -tray " + std::string(300, 'h') + ":27015");
  EXPECT_TRUE(ReadLogonEntry(this->store(), "Tarnwick"));
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, RoundTripsEverySettingInTheFormerFormat,
                            ValuesOfAnotherSizeOrTypeAreIgnoredAndRewrittenAtSave,
                            WindowOpenedWithNewLeavesThePlacementsAlone,
                            ColumnArraysReplaceOnlyTheirLeadingEntries,
                            FirstStartUsesDefaultsAndTheWindowThatSavesLastDecides,
                            GameClientPathOfMoreThan259CharactersCountsAsAbsent,
                            LogonEntryNamesTheProgramAndTheWatchedServer);

}  // namespace tarnwick

#endif
