#include "common/window_base_win.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

class CountingWindow : public WindowBase {
 public:
  bool Create() {
    WNDCLASSEXW wc = {};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TarnwickCountingWindow";
    if (!RegisterWindowClass(wc)) return false;
    return CreateOwnedWindow(0, wc.lpszClassName, "\u0441\u0434 \u2665", WS_OVERLAPPEDWINDOW, 0, 0,
                             100, 100, nullptr, nullptr, wc.hInstance) != nullptr;
  }
  int created = 0;
  int finals = 0;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE) ++created;
    if (message == WM_APP) throw 1;  // must not cross the window procedure
    return DefaultHandling(message, wParam, lParam);
  }
  void OnFinalDestroy() override { ++finals; }
};

TEST(WindowBaseGlue, RoutesMessagesToItsObjectAndForgetsItAfterDestruction) {
  CountingWindow window;
  ASSERT_TRUE(window.Create());
  HWND handle = window.hwnd();
  EXPECT_EQ(window.created, 1);
  // A Unicode window: its title stays as written, whatever the ANSI code page.
  EXPECT_TRUE(IsWindowUnicode(handle));
  wchar_t title[16] = {};
  GetWindowTextW(handle, title, 16);
  EXPECT_EQ(std::wstring(title), L"\u0441\u0434 \u2665");
  SendMessageA(handle, WM_APP, 0, 0);
  DestroyWindow(handle);
  EXPECT_EQ(window.finals, 1);
  EXPECT_EQ(window.hwnd(), nullptr);
  EXPECT_FALSE(IsWindow(handle));
}

}  // namespace
}  // namespace tarnwick
