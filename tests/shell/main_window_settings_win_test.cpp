// Loading and saving settings with real windows and the real registry (a test key of its own): the
// placements of the main and console windows, the "-new" size, the player list's columns and the
// console history in its command box. (A missing window's value is left alone: the settings'
// contract, with windows that have none.)
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
    WNDCLASSEXA wc = {sizeof(wc), 0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr)};
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
  MainWindowSettings Parts(KeyStore& store) {
    return MainWindowSettings({main.Get(), console.Get(), commandBox, list}, store, recentServers,
                              highlightRules);
  }

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
  auto parts = before.Parts(registry.store());
  ASSERT_EQ(SaveSettings(registry.store(), parts, saved), KeyStatus::kSuccess);
  EXPECT_EQ(saved.listOrders, (std::array<int32_t, 4>{2, 0, 3, 1}));
  EXPECT_EQ(saved.listWidths, (std::array<int32_t, 4>{40, 210, 72, 96}));

  TestWindows after;
  Settings loaded;
  auto loading = after.Parts(registry.store());
  LoadSettings(registry.store(), loading, loaded);
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
  ASSERT_EQ(ShowCommandOf(*TakePlacementRecord(windows.main.Get())), uint32_t{SW_SHOWMINIMIZED});
  Settings settings;
  auto parts = windows.Parts(registry.store());
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
    auto parts = earlier.Parts(registry.store());
    SaveSettings(registry.store(), parts, settings);
  }
  TestWindows windows;
  RECT before = {};
  GetWindowRect(windows.main.Get(), &before);
  Settings settings;
  settings.openedWithNew = true;
  auto parts = windows.Parts(registry.store());
  LoadSettings(registry.store(), parts, settings);
  RECT after = {};
  GetWindowRect(windows.main.Get(), &after);
  EXPECT_TRUE(SameRect(after, {before.left, before.top, before.left + 400, before.top + 600}));
}

}  // namespace
}  // namespace tarnwick
