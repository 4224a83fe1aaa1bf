// Going into the tray and back, with the notification area replaced by a recorder.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

using testing::PumpPending;
using testing::SendCommand;
using testing::TrayRecorder;
using testing::WindowUnderTest;

TEST(TrayPresenceGlue, GoToTrayAddsTheIconAndDoubleClickBringsTheWindowBack) {
  TrayRecorder tray;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  EXPECT_FALSE(IsWindowVisible(window.hwnd()));
  ASSERT_GE(tray.Calls().size(), 2u);
  EXPECT_EQ(tray.Calls()[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(tray.Calls()[0].flags, static_cast<UINT>(NIF_MESSAGE)) << "no picture or tip yet";
  EXPECT_EQ(tray.Calls()[0].size, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  EXPECT_EQ(tray.Calls()[1].message, static_cast<DWORD>(NIM_SETVERSION));
  EXPECT_EQ(window->Tray().RecordSize(), static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE));
  EXPECT_EQ(window->Tray().Tooltip(), "Tarnwick");
  EXPECT_NE(window->Tray().CurrentIcon(), nullptr);
  EXPECT_TRUE(window->Tray().IsFlashing()) << "the first picture in the tray counts as a change";

  tray.Clear();
  window->RefreshCaption();
  EXPECT_TRUE(tray.Calls().empty()) << "the same text and picture modify nothing";

  SendMessageA(window.hwnd(), TrayCallbackMessage(), 0, WM_LBUTTONDBLCLK);
  PumpPending();
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  EXPECT_FALSE(IsIconic(window.hwnd()));
  EXPECT_EQ(tray.Count(NIM_DELETE), 1u);
}

TEST(TrayPresenceGlue, TaskbarRestartReaddsTheIconOnlyWhileHidden) {
  TrayRecorder tray;
  WindowUnderTest window;
  SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
  EXPECT_EQ(tray.Count(NIM_ADD), 0u);
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  tray.Clear();
  SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
  ASSERT_EQ(tray.Count(NIM_ADD), 1u);
  EXPECT_EQ(tray.Calls()[0].flags, static_cast<UINT>(NIF_ICON | NIF_MESSAGE | NIF_TIP));
  EXPECT_EQ(tray.Calls()[0].tip, "Tarnwick");
}

TEST(TrayPresenceGlue, AShellWithoutVersionThreeKeepsTheFirstRecordSize) {
  TrayRecorder tray;
  tray.acceptVersion = false;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  EXPECT_EQ(window->Tray().RecordSize(), static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
}

TEST(TrayPresenceGlue, MinimisingGoesToTheTrayOnlyWithMinimizeToTray) {
  TrayRecorder tray;
  WindowUnderTest window;
  ShowWindow(window.hwnd(), SW_MINIMIZE);
  PumpPending();
  EXPECT_FALSE(IsWindowVisible(window.hwnd()));
  EXPECT_EQ(tray.Count(NIM_ADD), 1u);

  WindowUnderTest other;
  SendCommand(other.hwnd(), ID_TOOLS_MINIMIZE_TO_TRAY);
  tray.Clear();
  ShowWindow(other.hwnd(), SW_MINIMIZE);
  PumpPending();
  EXPECT_TRUE(IsWindowVisible(other.hwnd()));
  EXPECT_EQ(tray.Count(NIM_ADD), 0u);
}

TEST(TrayPresenceGlue, ExitFromTheTrayShowsTheWindowThenCloses) {
  TrayRecorder tray;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  HWND handle = window.hwnd();
  SendCommand(handle, ID_FILE_EXIT);
  EXPECT_TRUE(IsWindowVisible(handle)) << "shown first, so its placement is saved as shown";
  EXPECT_EQ(tray.Count(NIM_DELETE), 1u);
  PumpPending();
  EXPECT_FALSE(IsWindow(handle));
}

TEST(TrayPresenceGlue, FlashAlternatesTheBlankIconAndThePicture) {
  TrayRecorder tray;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  HICON picture = window->Tray().CurrentIcon();
  tray.Clear();
  for (int tick = 0; tick < 12; ++tick) window->Tray().FlashStep();
  const auto& calls = tray.Calls();
  ASSERT_EQ(calls.size(), 10u) << "ticks 3 to 12";
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].flags, static_cast<UINT>(NIF_ICON));
    if (i % 2 == 0) {
      EXPECT_NE(calls[i].icon, picture) << i;
    } else {
      EXPECT_EQ(calls[i].icon, picture) << i;
    }
  }
  EXPECT_FALSE(window->Tray().IsFlashing());
  EXPECT_EQ(window->Tray().CurrentIcon(), picture);
}

}  // namespace
}  // namespace tarnwick
