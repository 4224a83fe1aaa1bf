// Going into the tray and back, with the notification area replaced by a recorder.
#include <gtest/gtest.h>

#include <functional>

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

HICON SmallIcon(int id) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_SHARED));
}

// Each way into the tray ends with one icon in the shell showing the picture and the tip, and
// the icon goes when the window comes back, exactly once.
TEST(TrayPresenceGlue, EveryWayIntoTheTrayShowsThePictureAndTheTip) {
  struct Way {
    const char* name;
    std::function<void(WindowUnderTest&, TrayRecorder&)> enter;
  };
  const auto goToTray = [](WindowUnderTest& window, TrayRecorder&) {
    SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  };
  const Way ways[] = {
      {"Go to tray", goToTray},
      // What the window thread does with "-tray", after showing the window.
      {"-tray start", [](WindowUnderTest& window, TrayRecorder&) { window->ShowInTray(true); }},
      {"minimise", [](WindowUnderTest& window, TrayRecorder&) {
         ShowWindow(window.hwnd(), SW_MINIMIZE);
         PumpPending();
       }},
      {"taskbar recreated", [&goToTray](WindowUnderTest& window, TrayRecorder& tray) {
         goToTray(window, tray);
         tray.Restart();
         SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
       }},
      {"taskbar message while the shell keeps the icon", [&goToTray](WindowUnderTest& window, TrayRecorder& tray) {
         goToTray(window, tray);
         SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
       }},
      {"shell not ready at first", [&goToTray](WindowUnderTest& window, TrayRecorder& tray) {
         tray.running = false;
         goToTray(window, tray);
         SendMessageA(window.hwnd(), WM_TIMER, kTrayRetryTimerId, 0);
         tray.running = true;
         SendMessageA(window.hwnd(), WM_TIMER, kTrayRetryTimerId, 0);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    TrayRecorder tray;
    WindowUnderTest window;
    way.enter(window, tray);
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    ASSERT_EQ(tray.Icons().size(), 1u);
    EXPECT_EQ(tray.Icons()[0].tip, "Tarnwick");
    EXPECT_EQ(tray.Icons()[0].picture, SmallIcon(IDR_MAINFRAME));
    EXPECT_TRUE(window->Tray().IsFlashing());

    HWND handle = window.hwnd();
    SendCommand(handle, ID_FILE_EXIT);
    PumpPending();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(tray.Icons().empty());
    EXPECT_EQ(tray.Count(NIM_DELETE), 1u);
  }
}

TEST(TrayPresenceGlue, AShownWindowAddsNoIconWhenTheTaskbarRestarts) {
  TrayRecorder tray;
  WindowUnderTest window;
  SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(tray.Calls().empty());
}

TEST(TrayPresenceGlue, AShellWithoutVersionThreeKeepsTheFirstRecordSize) {
  TrayRecorder tray;
  tray.acceptVersion = false;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  EXPECT_EQ(window->Tray().RecordSize(), static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
}

TEST(TrayPresenceGlue, MinimisingWithoutMinimizeToTrayKeepsTheWindow) {
  TrayRecorder tray;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_TOOLS_MINIMIZE_TO_TRAY);
  ShowWindow(window.hwnd(), SW_MINIMIZE);
  PumpPending();
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  EXPECT_EQ(tray.Count(NIM_ADD), 0u);
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
