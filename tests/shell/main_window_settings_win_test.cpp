// Loading and saving settings with real windows and the real registry (a test key of its own): the
// placements of the main and console windows, the "-new" size, the player list's columns and the
// console history in its command box.
#include "shell/main_window_settings_win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/unique_handle_win.h"
#include "controls/combo_box_win.h"
#include "settings/window_placement_win.h"
#include "tests/support/fake_settings_window.h"
#include "tests/support/registry_test_root_win.h"

namespace tarnwick {
namespace {

constexpr char kFrameClass[] = "TarnwickSettingsTestFrame";

// A main window with its player list and a remote console with its command box.
struct TestWindows {
  TestWindows() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kFrameClass;
    RegisterClassExA(&wc);
    main.Reset(CreateWindowExA(0, kFrameClass, "Tarnwick", WS_OVERLAPPEDWINDOW, 50, 60, 300, 200,
                               nullptr, nullptr, wc.hInstance, nullptr));
    console.Reset(CreateWindowExA(0, kFrameClass, "Remote console",
                                  WS_POPUP | WS_CAPTION | WS_THICKFRAME, 70, 80, 250, 150,
                                  main.Get(), nullptr, wc.hInstance, nullptr));
    commandBox = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN | CBS_SORT, 0, 0, 200,
                                 100, console.Get(), nullptr, wc.hInstance, nullptr);
    list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 280, 150, main.Get(),
                           nullptr, wc.hInstance, nullptr);
    int index = 0;
    for (int width : {40, 144, 72, 96}) {
      LVCOLUMNA column = {LVCF_WIDTH, 0, width};
      ListView_InsertColumn(list, index++, &column);
    }
  }
  MainWindowHandles handles() const { return {main.Get(), console.Get(), commandBox, list}; }

  UniqueWindow main;
  UniqueWindow console;
  HWND commandBox = nullptr;
  HWND list = nullptr;
  RecentServers recentServers;
  std::vector<HighlightRule> highlightRules;
};

RECT NormalRect(HWND window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  EXPECT_TRUE(GetWindowPlacement(window, &placement));
  return placement.rcNormalPosition;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(MainWindowSettingsGlue, RoundTripsPlacementsColumnsAndHistory) {
  RegistryTestRoot registry;
  TestWindows before;
  ASSERT_NE(before.list, nullptr);
  MoveWindow(before.main.Get(), 100, 120, 500, 400, FALSE);
  MoveWindow(before.console.Get(), 300, 200, 350, 250, FALSE);
  int order[4] = {2, 0, 3, 1};
  ASSERT_TRUE(ListView_SetColumnOrderArray(before.list, 4, order));
  ListView_SetColumnWidth(before.list, 1, 210);
  for (const char* command : {"users", "status"})
    SendMessageA(before.commandBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(command));
  before.recentServers.AddServer("hl.example:27015");
  before.highlightRules = DefaultHighlightRules();
  Settings saved;
  {
    MainWindowSettings parts(before.handles(), registry.store(), before.recentServers,
                             before.highlightRules);
    ASSERT_EQ(SaveSettings(registry.store(), parts, saved), KeyStatus::kSuccess);
  }
  EXPECT_EQ(saved.listOrders, (std::array<int32_t, 4>{2, 0, 3, 1}));
  EXPECT_EQ(saved.listWidths, (std::array<int32_t, 4>{40, 210, 72, 96}));

  TestWindows after;
  Settings loaded;
  {
    MainWindowSettings parts(after.handles(), registry.store(), after.recentServers,
                             after.highlightRules);
    LoadSettings(registry.store(), parts, loaded);
  }
  EXPECT_TRUE(SameRect(NormalRect(after.main.Get()), RECT{100, 120, 600, 520}));
  EXPECT_TRUE(SameRect(NormalRect(after.console.Get()), RECT{300, 200, 650, 450}));
  EXPECT_EQ(loaded.listOrders, saved.listOrders);
  EXPECT_EQ(loaded.listWidths, saved.listWidths);
  ASSERT_EQ(SendMessageA(after.commandBox, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(ComboItemText(after.commandBox, 0) + "," + ComboItemText(after.commandBox, 1),
            "status,users");
  EXPECT_EQ(after.recentServers.entries(), before.recentServers.entries());
  EXPECT_EQ(after.highlightRules, before.highlightRules);
}

TEST(MainWindowSettingsGlue, MinimisedWindowIsStoredAsNormal) {
  RegistryTestRoot registry;
  TestWindows windows;
  MoveWindow(windows.main.Get(), 110, 130, 420, 380, FALSE);
  ShowWindow(windows.main.Get(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(windows.main.Get()));
  ASSERT_EQ(ShowCommandOf(*TakePlacementRecord(windows.main.Get())), static_cast<uint32_t>(SW_SHOWMINIMIZED));
  Settings settings;
  MainWindowSettings parts(windows.handles(), registry.store(), windows.recentServers,
                           windows.highlightRules);
  SaveSettings(registry.store(), parts, settings);

  auto key = registry.store().Root(RootKey::kCurrentUser).OpenSubkey(kSettingsKeyPath,
                                                                     KeyAccess::kRead);
  ASSERT_NE(key, nullptr);
  KeyValue value;
  ASSERT_EQ(key->QueryValue("WindowPos", kPlacementRecordSize, value), KeyStatus::kSuccess);
  ASSERT_EQ(value.data.size(), kPlacementRecordSize);
  WINDOWPLACEMENT stored;
  std::memcpy(&stored, value.data.data(), sizeof(stored));
  EXPECT_EQ(stored.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
  EXPECT_TRUE(SameRect(stored.rcNormalPosition, RECT{110, 130, 530, 510}));
}

TEST(MainWindowSettingsGlue, WindowOpenedWithNewGetsItsSizeInItsPlace) {
  RegistryTestRoot registry;
  {
    TestWindows earlier;
    MoveWindow(earlier.main.Get(), 10, 10, 700, 500, FALSE);
    Settings settings;
    MainWindowSettings parts(earlier.handles(), registry.store(), earlier.recentServers,
                             earlier.highlightRules);
    SaveSettings(registry.store(), parts, settings);
  }
  TestWindows windows;
  RECT before = {};
  GetWindowRect(windows.main.Get(), &before);
  Settings settings;
  settings.openedWithNew = true;
  MainWindowSettings parts(windows.handles(), registry.store(), windows.recentServers,
                           windows.highlightRules);
  LoadSettings(registry.store(), parts, settings);
  RECT after = {};
  GetWindowRect(windows.main.Get(), &after);
  EXPECT_TRUE(SameRect(after, {before.left, before.top, before.left + 400, before.top + 600}));
}

TEST(MainWindowSettingsGlue, MissingWindowsLeaveTheirValuesAlone) {
  RegistryTestRoot registry;
  auto key = registry.store().Root(RootKey::kCurrentUser).CreateSubkey(kSettingsKeyPath);
  const uint8_t history[] = {'s', 't', 'a', 't', 'u', 's', 0, 0};
  key->SetValue("Rcon recent list", ValueType::kMultiString, history);
  TestWindows windows;
  MainWindowHandles handles = {windows.main.Get(), nullptr, nullptr, nullptr};
  Settings settings;
  settings.listOrders = {1, 0, 2, 3};
  MainWindowSettings parts(handles, registry.store(), windows.recentServers,
                           windows.highlightRules);
  SaveSettings(registry.store(), parts, settings);
  EXPECT_EQ(settings.listOrders, (std::array<int32_t, 4>{1, 0, 2, 3}));
  KeyValue value;
  EXPECT_EQ(key->QueryValue("Rcon recent list", kAnySize, value), KeyStatus::kSuccess);
  EXPECT_EQ(key->QueryValue("RConPos", kAnySize, value), KeyStatus::kNotFound);
  EXPECT_EQ(key->QueryValue("WindowPos", kAnySize, value), KeyStatus::kSuccess);
}

}  // namespace
}  // namespace tarnwick
