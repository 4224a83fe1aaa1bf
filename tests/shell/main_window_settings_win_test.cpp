// A main window's stored settings with real windows and the real registry (a test key of its own):
// the placements of the main and console windows, the "-new" size, the player list's columns and
// the console history in its command box.
#include "shell/main_window_settings_win.h"

#include <gtest/gtest.h>

#include "common/unique_handle_win.h"
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
    const char* titles[] = {"#", "Name", "Frags", "Time"};
    const int widths[] = {40, 144, 72, 96};
    for (int i = 0; i < 4; ++i) {
      LVCOLUMNA column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = const_cast<char*>(titles[i]);
      column.cx = widths[i];
      ListView_InsertColumn(list, i, &column);
    }
  }
  MainWindowHandles handles() const { return {main.Get(), console.Get(), commandBox, list}; }
  std::vector<std::string> History() const {
    std::vector<std::string> items;
    for (LRESULT i = 0; i < SendMessageA(commandBox, CB_GETCOUNT, 0, 0); ++i) {
      char text[128] = {};
      SendMessageA(commandBox, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }

  UniqueWindow main;
  UniqueWindow console;
  HWND commandBox = nullptr;
  HWND list = nullptr;
};

// Saves what the windows show, as the close handler does.
void Save(KeyStore& store, const MainWindowHandles& handles, WindowSettings stored = {}) {
  TakeFromWindows(handles, stored);
  SaveWindowSettings(store, stored);
}

// Loads and applies, as the creation handler does; the loaded settings.
Settings Load(KeyStore& store, const MainWindowHandles& handles, bool openedWithNew = false) {
  WindowSettings stored;
  stored.settings.openedWithNew = openedWithNew;
  const bool found = LoadWindowSettings(store, stored);
  ApplyToWindows(handles, stored, found);
  return stored.settings;
}

RECT NormalRect(HWND window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  EXPECT_TRUE(GetWindowPlacement(window, &placement));
  return placement.rcNormalPosition;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The main window closes minimised and comes back as a normal window in its place.
TEST(MainWindowSettingsGlue, RoundTripsPlacementsColumnsAndHistory) {
  RegistryTestRoot registry;
  TestWindows before;
  ASSERT_NE(before.list, nullptr);
  MoveWindow(before.main.Get(), 100, 120, 500, 400, FALSE);
  ShowWindow(before.main.Get(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(before.main.Get()));
  MoveWindow(before.console.Get(), 300, 200, 350, 250, FALSE);
  int order[4] = {2, 0, 3, 1};
  ASSERT_TRUE(ListView_SetColumnOrderArray(before.list, 4, order));
  ListView_SetColumnWidth(before.list, 1, 210);
  for (const char* command : {"users", "status"})
    SendMessageA(before.commandBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(command));
  Save(registry.store(), before.handles());

  TestWindows after;
  const Settings loaded = Load(registry.store(), after.handles());
  EXPECT_FALSE(IsIconic(after.main.Get()));
  EXPECT_TRUE(SameRect(NormalRect(after.main.Get()), RECT{100, 120, 600, 520}));
  EXPECT_TRUE(SameRect(NormalRect(after.console.Get()), RECT{300, 200, 650, 450}));
  EXPECT_FALSE(IsWindowVisible(after.console.Get()));
  EXPECT_EQ(loaded.listOrders, (ColumnArray{2, 0, 3, 1}));
  EXPECT_EQ(loaded.listWidths, (ColumnArray{40, 210, 72, 96}));
  EXPECT_EQ(after.History(), (std::vector<std::string>{"status", "users"}));
}

TEST(MainWindowSettingsGlue, WindowOpenedWithNewGetsItsSizeInItsPlace) {
  RegistryTestRoot registry;
  TestWindows windows;
  Load(registry.store(), windows.handles(), true);  // no settings key yet: the size stays
  RECT before = {};
  GetWindowRect(windows.main.Get(), &before);
  EXPECT_EQ(before.right - before.left, 300);
  {
    TestWindows earlier;
    MoveWindow(earlier.main.Get(), 10, 10, 700, 500, FALSE);
    Save(registry.store(), earlier.handles());
  }
  Load(registry.store(), windows.handles(), true);
  RECT after = {};
  GetWindowRect(windows.main.Get(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 400);
  EXPECT_EQ(after.bottom - after.top, 600);
}

TEST(MainWindowSettingsGlue, MissingWindowsLeaveTheirValuesAlone) {
  RegistryTestRoot registry;
  auto key = registry.store().Root(RootKey::kCurrentUser).CreateSubkey(kSettingsKeyPath);
  const uint8_t history[] = {'s', 't', 'a', 't', 'u', 's', 0, 0};
  key->SetValue("Rcon recent list", ValueType::kMultiString, history);
  TestWindows windows;
  WindowSettings stored;
  stored.settings.listOrders = {1, 0, 2, 3};
  stored.settings.consolePlacement = stored.settings.windowPlacement = PlacementRecord{};
  Save(registry.store(), {windows.main.Get(), nullptr, nullptr, nullptr}, stored);
  KeyValue value;
  EXPECT_EQ(key->QueryValue("Rcon recent list", kAnySize, value), KeyStatus::kSuccess);
  EXPECT_EQ(key->QueryValue("RConPos", kAnySize, value), KeyStatus::kNotFound);
  EXPECT_EQ(key->QueryValue("WindowPos", kAnySize, value), KeyStatus::kSuccess);
  EXPECT_EQ(Load(registry.store(), {}).listOrders, (ColumnArray{1, 0, 2, 3}));
}

}  // namespace
}  // namespace tarnwick
