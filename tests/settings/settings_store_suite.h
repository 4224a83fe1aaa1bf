// Loading and saving settings against a key store, as one typed test suite: natively on the
// in-memory store, under Wine on the registry (a test key of its own, whose "HKCU" and "HKLM"
// subkeys stand for the two roots). The window is FakeSettingsWindow, which stores the recent
// servers, highlight rules and console history through the real code.
#ifndef TARNWICK_TESTS_SETTINGS_SETTINGS_STORE_SUITE_H
#define TARNWICK_TESTS_SETTINGS_SETTINGS_STORE_SUITE_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "launch/locate_game_client.h"
#include "settings/logon_entry.h"
#include "settings/settings_store.h"
#include "tests/support/fake_settings_window.h"

namespace tarnwick {

template <typename Harness>
class SettingsStoreContract : public testing::Test {
 protected:
  KeyStore& store() { return harness_.store(); }
  std::unique_ptr<Key> SettingsKey() {
    return store().Root(RootKey::kCurrentUser).CreateSubkey(kSettingsKeyPath);
  }
  // Loads into fresh settings with a fresh window.
  Settings Load(FakeSettingsWindow& window, bool openedWithNew = false) {
    Settings settings;
    settings.openedWithNew = openedWithNew;
    LoadSettings(store(), window, settings);
    return settings;
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

inline std::vector<uint8_t> BytesOf(const PlacementRecord& record) {
  return {record.begin(), record.end()};
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
  return s;
}

TYPED_TEST_P(SettingsStoreContract, RoundTripsEverySetting) {
  Settings saved = ChangedSettings();
  FakeSettingsWindow first(this->store());
  first.windowPlacement = MakePlacementRecord(10, 1);
  first.consolePlacement = MakePlacementRecord(100, 3);
  first.columnOrder = saved.listOrders;
  first.columnWidths = saved.listWidths;
  first.consoleHistory = {"status", "changelevel de_dust", "say \u00DCber \u2665", "users"};
  for (const char* server : {"alpha:27015", "10.1.1.1:27016", "\u0441\u0434.example:27017"})
    first.recentServers.AddServer(server);
  first.highlightRules = {{MakeHighlightAttributes(0x0000FF, 1, 20), "[Kx4t].*"},
                          {MakeHighlightAttributes(0x0000FF, 1, 20), "\u0441\u0434*"},
                          {MakeHighlightAttributes(0x00FF00, 6, 9), "*bot*"},
                          {MakeHighlightAttributes(0xFF0000, 0, 2), "admin"}};
  ASSERT_EQ(SaveSettings(this->store(), first, saved), KeyStatus::kSuccess);

  FakeSettingsWindow second(this->store());
  const Settings loaded = this->Load(second);
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(second.locateCalls, 0);
  EXPECT_EQ(second.appliedWindowPlacements, std::vector<PlacementRecord>{*first.windowPlacement});
  EXPECT_EQ(second.appliedConsolePlacements,
            std::vector<PlacementRecord>{*first.consolePlacement});
  EXPECT_FALSE(second.newWindowSize.has_value());
  EXPECT_EQ(second.consoleHistory, first.consoleHistory);
  EXPECT_EQ(second.recentServers.entries(), first.recentServers.entries());
  EXPECT_EQ(second.recentServers.maximum(), kRecentServersWindowMaximum);
  EXPECT_EQ(second.highlightRules, first.highlightRules);
}

TYPED_TEST_P(SettingsStoreContract, FourByteValuesAreTakenAsStoredAndBoolsSavedAsOne) {
  struct Case {
    const char* name;
    ValueType type;
    std::vector<uint8_t> data;
  } cases[] = {
      {"AutoDisconnect", ValueType::kDword, {5, 0, 0, 0}},       // any non-zero number is true
      {"ConfirmJoin", ValueType::kBinary, {0, 0, 0, 0}},         // type not checked
      {"ServerList", ValueType::kDword, {0, 1, 0, 0}},
      {"PingInterval", ValueType::kDword, {0, 0, 0, 0}},         // 0: the ping timer is off
      {"PlayersInterval", ValueType::kBinary, {9, 0, 0, 0, 0}},  // longer than 4 bytes: default
      {"HLPriority", ValueType::kDword, {9, 0, 0, 0}},           // kept; used as normal (2)
      {"SortOrder", ValueType::kDword, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"ServerListHeight", ValueType::kDword, {7, 0}},           // shorter than 4 bytes: default
      {"NotifyConnection", ValueType::kDword, {2, 0, 0, 0}},
      {"NotifyPlayers", ValueType::kDword, {0, 0, 0, 0}},
  };
  auto key = this->SettingsKey();
  for (const Case& c : cases) key->SetValue(c.name, c.type, c.data);
  FakeSettingsWindow window(this->store());
  Settings s = this->Load(window);
  Settings expected;
  expected.gameClientPath = "hl.exe";
  expected.autoDisconnect = true;
  expected.confirmJoin = false;
  expected.serverList = true;
  expected.pingInterval = 0;
  expected.gamePriority = 9;
  expected.sortOrder = -2;
  expected.notifyConnection = true;
  expected.notifyPlayers = false;
  EXPECT_EQ(s, expected);

  ASSERT_EQ(SaveSettings(this->store(), window, s), KeyStatus::kSuccess);
  for (const char* name : {"AutoDisconnect", "ServerList", "NotifyConnection"}) {
    KeyValue value = this->Stored(name);
    EXPECT_EQ(value.type, ValueType::kDword) << name;
    EXPECT_EQ(value.data, (std::vector<uint8_t>{1, 0, 0, 0})) << name;
  }
  EXPECT_EQ(this->Stored("PlayersInterval").data, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TYPED_TEST_P(SettingsStoreContract, PlacementRecordsOfTheWrongSizeOrTypeAreIgnored) {
  struct Case {
    ValueType type;
    size_t size;
    bool applied;
  } cases[] = {
      {ValueType::kBinary, 44, true},  {ValueType::kDword, 4, false},
      {ValueType::kBinary, 40, false}, {ValueType::kBinary, 48, false},
      {ValueType::kString, 44, false}, {ValueType::kDword, 44, false},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> data(c.size, 0x21);
    auto key = this->SettingsKey();
    key->SetValue("WindowPos", c.type, data);
    key->SetValue("RConPos", c.type, data);
    FakeSettingsWindow window(this->store());
    this->Load(window);
    const size_t expected = c.applied ? 1 : 0;
    EXPECT_EQ(window.appliedWindowPlacements.size(), expected) << c.size;
    EXPECT_EQ(window.appliedConsolePlacements.size(), expected) << c.size;
  }
}

TYPED_TEST_P(SettingsStoreContract, WindowOpenedWithNewLeavesThePlacementsAlone) {
  Settings s;
  FakeSettingsWindow before(this->store());
  before.windowPlacement = MakePlacementRecord(1, 1);
  before.consolePlacement = MakePlacementRecord(2, 1);
  SaveSettings(this->store(), before, s);

  FakeSettingsWindow window(this->store());
  Settings loaded = this->Load(window, true);
  EXPECT_EQ(window.newWindowSize, std::make_pair(400, 600));
  EXPECT_TRUE(window.appliedWindowPlacements.empty());
  EXPECT_TRUE(window.appliedConsolePlacements.empty());

  window.windowPlacement = MakePlacementRecord(50, 1);
  window.consolePlacement = MakePlacementRecord(60, 1);
  loaded.pingInterval = 33;
  SaveSettings(this->store(), window, loaded);
  EXPECT_EQ(this->Stored("WindowPos").data, BytesOf(*before.windowPlacement));
  EXPECT_EQ(this->Stored("RConPos").data, BytesOf(*before.consolePlacement));
  EXPECT_EQ(DwordFromBytes(this->Stored("PingInterval").data), 33u);
}

TYPED_TEST_P(SettingsStoreContract, ColumnArraysReplaceOnlyTheirLeadingEntries) {
  auto bytes = [](std::vector<int32_t> entries) {
    std::vector<uint8_t> data;
    for (uint32_t e : entries)
      for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(e >> (8 * i)));
    return data;
  };
  struct Case {
    std::vector<uint8_t> orders;
    std::vector<uint8_t> widths;
    std::array<int32_t, 4> expectedOrders;
    std::array<int32_t, 4> expectedWidths;
  } cases[] = {
      {bytes({1, 0}), bytes({50, 60}), {1, 0, 2, 3}, {50, 60, 72, 96}},
      {bytes({3, 2, 1, 0}), bytes({1, 2, 3, 4}), {3, 2, 1, 0}, {1, 2, 3, 4}},
      {bytes({2, 3}), bytes({}), {0, 1, 2, 3}, {40, 144, 72, 96}},  // 2,3,2,3: no order
      {bytes({0, 0, 0, 0}), bytes({-5}), {0, 1, 2, 3}, {-5, 144, 72, 96}},
      {bytes({1, 2, 3, 4}), bytes({}), {0, 1, 2, 3}, {40, 144, 72, 96}},  // past the last column
      {bytes({3, 2, 1, 0, 9}), bytes({1, 2, 3, 4, 5}), {0, 1, 2, 3}, {40, 144, 72, 96}},  // long
      {{0x01, 0, 0, 0, 0x00}, {0x10, 0x01}, {1, 0, 2, 3}, {0x0110, 144, 72, 96}},  // odd sizes
  };
  for (const Case& c : cases) {
    auto key = this->SettingsKey();
    key->SetValue("ListOrders", ValueType::kBinary, c.orders);
    key->SetValue("ListWidths", ValueType::kBinary, c.widths);
    FakeSettingsWindow window(this->store());
    Settings s = this->Load(window);
    EXPECT_EQ(s.listOrders, c.expectedOrders);
    EXPECT_EQ(s.listWidths, c.expectedWidths);
  }
}

TYPED_TEST_P(SettingsStoreContract, FirstStartUsesDefaultsAndCreatesTheKeyOnlyAtSave) {
  auto uninstall = this->store().Root(RootKey::kLocalMachine).CreateSubkey(kUninstallKeyPath);
  SetString(*uninstall, "UninstallString", "C:\\WINDOWS\\IsUninst.exe -f\"C:\\HL\\DeIsL1.isu\"");

  FakeSettingsWindow window(this->store());
  Settings s = this->Load(window);
  Settings expected;
  expected.gameClientPath = "C:\\HL\\hl.exe";
  EXPECT_EQ(s, expected);
  EXPECT_TRUE(window.highlightRules.empty()) << "no defaults before anything was stored";
  EXPECT_TRUE(window.recentServers.entries().empty());
  EXPECT_TRUE(window.appliedWindowPlacements.empty());
  EXPECT_EQ(this->store().Root(RootKey::kCurrentUser).OpenSubkey(kSettingsKeyPath,
                                                                  KeyAccess::kRead),
            nullptr);

  SaveSettings(this->store(), window, s);
  EXPECT_NE(this->store().Root(RootKey::kCurrentUser).OpenSubkey(kSettingsKeyPath,
                                                                  KeyAccess::kRead),
            nullptr);
  EXPECT_EQ(TextFromBytes(this->Stored("HLLocation").data), "C:\\HL\\hl.exe");
}

inline std::string Repeat(const char* text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TYPED_TEST_P(SettingsStoreContract, GameClientPathOfMoreThan259CharactersCountsAsAbsent) {
  struct Case {
    std::string stored;
    std::string loaded;
  } cases[] = {
      {"C:\\" + std::string(249, 'g') + "\\hl.exe", "C:\\" + std::string(249, 'g') + "\\hl.exe"},
      {"C:\\" + std::string(250, 'g') + "\\hl.exe", "hl.exe"},  // 260 characters
      {"C:\\" + Repeat("\u00FC", 249) + "\\hl.exe", "C:\\" + Repeat("\u00FC", 249) + "\\hl.exe"},
      {"C:\\" + Repeat("\u00FC", 250) + "\\hl.exe", "hl.exe"},  // counted in characters
      {"", "hl.exe"},
  };
  for (const Case& c : cases) {
    SetString(*this->SettingsKey(), "HLLocation", c.stored);
    FakeSettingsWindow window(this->store());
    EXPECT_EQ(this->Load(window).gameClientPath, c.loaded) << c.stored.size();
    EXPECT_EQ(window.locateCalls, c.loaded == "hl.exe" ? 1 : 0);
  }
}

TYPED_TEST_P(SettingsStoreContract, WindowThatSavesLastDecidesEveryValue) {
  FakeSettingsWindow a(this->store());
  FakeSettingsWindow b(this->store());
  Settings sa = this->Load(a);
  Settings sb = this->Load(b);
  sa.pingInterval = 20;
  sa.iconSet = 1;
  a.recentServers.AddServer("a:27015");
  a.highlightRules = {{0x08000000, "only-a"}};
  a.consoleHistory = {"from a"};
  sb.pingInterval = 30;
  b.recentServers.AddServer("b:27015");
  b.recentServers.AddServer("c:27015");
  b.highlightRules = {{0x10000000, "only-b"}};
  SaveSettings(this->store(), a, sa);
  SaveSettings(this->store(), b, sb);

  FakeSettingsWindow next(this->store());
  Settings loaded = this->Load(next);
  EXPECT_EQ(loaded.pingInterval, 30u);
  EXPECT_EQ(loaded.iconSet, 0u);
  EXPECT_EQ(next.recentServers.entries(), (std::vector<std::string>{"b:27015", "c:27015"}));
  EXPECT_EQ(next.highlightRules, (std::vector<HighlightRule>{{0x10000000, "only-b"}}));
  EXPECT_TRUE(next.consoleHistory.empty());
  KeyValue history;
  EXPECT_EQ(this->SettingsKey()->QueryValue("Rcon recent list", kAnySize, history),
            KeyStatus::kNotFound);
}

TYPED_TEST_P(SettingsStoreContract, LogonEntryNamesTheProgramAndTheWatchedServer) {
  const std::string program = "C:\\Program Files\\Tarnwick\\Tarnwick.exe";
  auto run = this->store().Root(RootKey::kCurrentUser).CreateSubkey(kRunKeyPath);
  SetString(*run, "Other", "other.exe");
  EXPECT_FALSE(ReadLogonEntry(this->store(), "Tarnwick"));
  struct Case {
    bool start;
    std::string host;
    unsigned port;
    const char* expected;  // null: no entry
  } cases[] = {
      {true, "", 27015, "\"C:\\Program Files\\Tarnwick\\Tarnwick.exe\""},
      {true, "hl.example.org", 27016,
       "\"C:\\Program Files\\Tarnwick\\Tarnwick.exe\" -tray hl.example.org:27016"},
      {false, "hl.example.org", 27016, nullptr},
      {false, "", 27015, nullptr},  // nothing to delete: quietly nothing
  };
  for (const Case& c : cases) {
    WriteLogonEntry(this->store(), "Tarnwick", c.start, program, c.host, c.port);
    KeyValue value;
    const KeyStatus status = run->QueryValue("Tarnwick", kAnySize, value);
    EXPECT_EQ(status, c.expected ? KeyStatus::kSuccess : KeyStatus::kNotFound) << c.host;
    if (c.expected != nullptr) {
      EXPECT_EQ(value.type, ValueType::kString);
      EXPECT_EQ(value.data, std::vector<uint8_t>(c.expected, c.expected + strlen(c.expected) + 1));
    }
    EXPECT_EQ(ReadLogonEntry(this->store(), "Tarnwick"), c.expected != nullptr);
    EXPECT_EQ(run->QueryValue("Other", kAnySize, value), KeyStatus::kSuccess);
  }
  SetString(*run, "Tarnwick", "");
  EXPECT_FALSE(ReadLogonEntry(this->store(), "Tarnwick"));
  // Longer than a path and a server could be, and unquoted as earlier versions wrote it.
  SetString(*run, "Tarnwick", program + " -tray " + std::string(300, 'h') + ":27015");
  EXPECT_TRUE(ReadLogonEntry(this->store(), "Tarnwick"));
}

TYPED_TEST_P(SettingsStoreContract, GameClientIsFoundFromTheUninstallEntry) {
  struct Case {
    const char* uninstall;  // null: no entry
    const char* expected;
  } cases[] = {
      {"C:\\WINDOWS\\IsUninst.exe -f\"C:\\SIERRA\\Half-Life\\DeIsL1.isu\"",
       "C:\\SIERRA\\Half-Life\\hl.exe"},
      {"C:\\WINDOWS\\IsUninst.exe \"C:\\SIERRA\\Half-Life\\DeIsL1.isu\"", "hl.exe"},
      {"IsUninst.exe -f\"C:\\HL\\DeIsL1.isu\" -c\"C:\\HL\\DeIsL1.isu\"",
       "C:\\HL\\hl.exe -cC:\\HL\\hl.exe"},
      {"", "hl.exe"},
      {nullptr, "hl.exe"},
  };
  for (const Case& c : cases) {
    Key& machine = this->store().Root(RootKey::kLocalMachine);
    machine.DeleteSubkey(kUninstallKeyPath);
    if (c.uninstall != nullptr)
      SetString(*machine.CreateSubkey(kUninstallKeyPath), "UninstallString", c.uninstall);
    EXPECT_EQ(LocateGameClient(this->store()), c.expected) << (c.uninstall ? c.uninstall : "none");
  }
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, RoundTripsEverySetting,
                            FourByteValuesAreTakenAsStoredAndBoolsSavedAsOne,
                            PlacementRecordsOfTheWrongSizeOrTypeAreIgnored,
                            WindowOpenedWithNewLeavesThePlacementsAlone,
                            ColumnArraysReplaceOnlyTheirLeadingEntries,
                            FirstStartUsesDefaultsAndCreatesTheKeyOnlyAtSave,
                            GameClientPathOfMoreThan259CharactersCountsAsAbsent,
                            WindowThatSavesLastDecidesEveryValue,
                            LogonEntryNamesTheProgramAndTheWatchedServer,
                            GameClientIsFoundFromTheUninstallEntry);

}  // namespace tarnwick

#endif
