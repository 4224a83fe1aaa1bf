// A main window's stored settings with real main windows opened and closed in turn on the real
// registry (a test key of its own), as the program opens them: the window's placement, the player
// list's columns and the "-new" size. (The console's place and history are the console's tests.)
#include <gtest/gtest.h>

#include "common/unique_handle_win.h"
#include "shell/main_window_settings_win.h"
#include "shell/main_window_win.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

using testing::PumpPending;

// Creates a main window on `store`, runs `act` on it and closes it as the user would.
void OpenAndClose(KeyStore& store, bool openedWithNew,
                  const std::function<void(MainWindow&)>& act) {
  MainWindow window(GetModuleHandleA(nullptr), openedWithNew, &store);
  ASSERT_TRUE(window.Create());
  act(window);
  SendMessageA(window.hwnd(), WM_CLOSE, 0, 0);
  PumpPending();
}

RECT ScreenRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window closes minimised and comes back as a normal window in its place; one opened with
// "-new" gets its own size, but only once settings were stored.
TEST(MainWindowSettingsGlue, PlacementAndColumnsComeBackAndANewWindowGetsItsSizeOnceStored) {
  RegistryTestRoot registry;
  RECT early = {};
  OpenAndClose(registry.store(), true,
               [&](MainWindow& window) { early = ScreenRect(window.hwnd()); });
  EXPECT_FALSE(early == (RECT{0, 0, 400, 600})) << "no settings yet: the system's size";

  OpenAndClose(registry.store(), false, [](MainWindow& first) {
    first.CurrentSettings().minimizeToTray = false;
    MoveWindow(first.hwnd(), 100, 120, 500, 400, FALSE);
    ShowWindow(first.hwnd(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(first.hwnd()));
    int order[4] = {2, 0, 3, 1};
    ASSERT_TRUE(ListView_SetColumnOrderArray(first.Players().hwnd(), 4, order));
    ListView_SetColumnWidth(first.Players().hwnd(), 1, 210);
  });
  OpenAndClose(registry.store(), false, [](MainWindow& second) {
    EXPECT_FALSE(IsIconic(second.hwnd()));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(second.hwnd(), &placement));
    EXPECT_TRUE(placement.rcNormalPosition == (RECT{100, 120, 600, 520}));
    EXPECT_EQ(second.Players().ColumnOrder(), (std::array<int32_t, 4>{2, 0, 3, 1}));
    EXPECT_EQ(second.Players().ColumnWidths(), (std::array<int32_t, 4>{40, 210, 72, 96}));
  });
  OpenAndClose(registry.store(), true, [](MainWindow& opened) {
    EXPECT_TRUE(ScreenRect(opened.hwnd()) == (RECT{0, 0, 400, 600}));
  });
  // Wine puts every new window at 0,0, where a move would not show; a plain window shows the place.
  UniqueWindow plain(CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 50, 60, 300, 200,
                                     nullptr, nullptr, nullptr, nullptr));
  WindowSettings stored;
  stored.settings.openedWithNew = true;
  ApplyToWindows({plain.Get()}, stored, true);
  EXPECT_TRUE(ScreenRect(plain.Get()) == (RECT{50, 60, 450, 660})) << "its size in its place";
}

}  // namespace
}  // namespace tarnwick
