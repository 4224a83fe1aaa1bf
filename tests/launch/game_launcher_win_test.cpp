// Join and the password prompt on a real window watching the demo server, with the stand-in game
// client in place of "hl.exe".
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "common/ansi_text.h"
#include "launch/game_priority.h"
#include "tests/launch/launch_fixture_win.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using namespace testing;

using JoinTest = testing::LaunchFixture;

TEST_F(JoinTest, StartsTheClientWithTheModItsFolderAndPriorityOrSaysWhyNot) {
  // The classes are chosen in portable code, as numbers: they must be the platform's.
  const DWORD classes[] = {IDLE_PRIORITY_CLASS, BELOW_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS,
                           ABOVE_NORMAL_PRIORITY_CLASS, HIGH_PRIORITY_CLASS, REALTIME_PRIORITY_CLASS};
  for (uint32_t setting = 0; setting < 6; ++setting)
    EXPECT_EQ(GamePriorityClass(setting), classes[setting]) << setting;

  DemoConfig mod;
  mod.is_mod = true;
  mod.folder = "cstrike";
  Connect(mod);
  // High, and an unknown setting that runs at normal.
  struct Case {
    bool bareName;  // "hl.exe" alone starts from the current folder (the stand-in's here)
    uint32_t setting;
    DWORD priorityClass;
  } cases[] = {{false, 4, HIGH_PRIORITY_CLASS}, {true, 9, NORMAL_PRIORITY_CLASS}};
  for (const Case& c : cases) {
    DeleteFileA(StandInRecordPath().c_str());
    SetCurrentDirectoryA(c.bareName ? StandInFolder().c_str() : originalDirectory_.c_str());
    window->CurrentSettings().gameClientPath = c.bareName ? "hl.exe" : testing::StandInPath();
    window->CurrentSettings().gamePriority = c.setting;
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    const HWND game = FindGame();
    ASSERT_NE(game, nullptr) << c.setting;
    const auto record = ReadStandInRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->commandLine, JoinLine("cstrike", "")) << "the program name is not repeated";
    EXPECT_TRUE(EqualsNoCase(record->folder, StandInFolder())) << record->folder;
    EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), StandInFolder())) << "the process's folder too";
    EXPECT_EQ(GetPriorityClass(testing::GameProcess(game, PROCESS_QUERY_INFORMATION).Get()),
              c.priorityClass)
        << c.setting;
    testing::CloseEveryGame();
  }
  EXPECT_TRUE(boxes.Boxes().empty());

  const std::string missing = StandInFolder() + "\\missing.exe";
  window->CurrentSettings().gameClientPath = missing;
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(std::tuple(boxes.Boxes()[0].text, boxes.Boxes()[0].type, boxes.Boxes()[0].owner),
            std::tuple("Can't exec " + missing, UINT{MB_ICONERROR}, window.hwnd()));

  // Which folders are plain is GameCommandLine's table; here a refused one reaches the window.
  window->CurrentSettings().gameClientPath = testing::StandInPath();
  DeleteFileA(StandInRecordPath().c_str());
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  mod.folder = "cstrike -dev";
  Connect(mod);
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  EXPECT_FALSE(GameStarted());
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_NE(boxes.Boxes()[1].text.find("cstrike -dev"), std::string::npos) << "says which folder";
  EXPECT_EQ(boxes.Boxes()[1].type, UINT{MB_ICONERROR});
}

// ---- The password prompt

TEST_F(JoinTest, ThePasswordPromptOpensCentredOnceRefusesAQuoteOrEndBackslashAndCancelKeepsIt) {
  DemoConfig config;
  config.password = true;
  Connect(config);
  SetForegroundWindow(window.hwnd());
  SetActiveWindow(window.hwnd());
  const auto type = [](HWND prompt, const char* text) {
    testing::SetText(prompt, IDC_PASSWORD_EDIT, text);
  };
  // The first prompt, with the password that joins.
  ModalDriver::Action first = [&](HWND prompt) {
    const RECT owner = testing::ScreenRect(window.hwnd());
    const RECT opened = testing::ScreenRect(prompt);
    EXPECT_NEAR(opened.left + opened.right, owner.left + owner.right, 2);
    EXPECT_NEAR(opened.top + opened.bottom, owner.top + owner.bottom, 2);
    const LONG width = opened.right - opened.left;
    const LONG height = opened.bottom - opened.top;
    MINMAXINFO limits = {};
    limits.ptMaxTrackSize = POINT{5000, 5000};
    SendMessageA(prompt, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(std::tuple(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y,
                         limits.ptMaxTrackSize.x, limits.ptMaxTrackSize.y),
              std::tuple(width, height, 5000, height)) << "no limit to the width";

    // 120 wider: the edit box stretches, the buttons and the grip keep to the right edge.
    const int ids[] = {IDC_PASSWORD_EDIT, IDOK, IDCANCEL, IDC_PASSWORD_GRIP};
    std::vector<RECT> before;
    for (int id : ids) before.push_back(testing::RectInParent(GetDlgItem(prompt, id)));
    SetWindowPos(prompt, nullptr, 0, 0, width + 120, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (size_t i = 0; i < std::size(ids); ++i) {
      const RECT after = testing::RectInParent(GetDlgItem(prompt, ids[i]));
      const RECT expected = {before[i].left + (i == 0 ? 0 : 120), before[i].top,
                             before[i].right + 120, before[i].bottom};
      EXPECT_TRUE(EqualRect(&after, &expected)) << ids[i];
    }
    EXPECT_EQ(GetWindow(prompt, GW_OWNER), window.hwnd());
    for (const char* refused : {"open\" +quit \"", "open\\"}) {
      type(prompt, refused);
      Click(prompt, IDOK);
      EXPECT_TRUE(IsWindowVisible(prompt)) << refused;
      EXPECT_EQ(testing::ItemText(prompt, IDC_PASSWORD_EDIT), refused) << "kept as typed";
    }
    EXPECT_FALSE(GameStarted());
    type(prompt, "s3cret word");
    Click(prompt, IDOK);
  };
  {
    ModalDriver driver({first});
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    EXPECT_TRUE(driver.AllRan());
  }
  ASSERT_NE(testing::FindGame(), nullptr);
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("Valve", "s3cret word"));
  testing::CloseEveryGame();
  DeleteFileA(StandInRecordPath().c_str());

  // Cancel and the close box start nothing; the prompt opens with the password kept. A Join while
  // it is open (as from the tray menu, whose commands still reach the disabled window) opens no
  // second one.
  for (bool closeBox : {false, true}) {
    ModalDriver cancel({[&](HWND prompt) {
                          EXPECT_EQ(testing::ItemText(prompt, IDC_PASSWORD_EDIT), "s3cret word");
                          SendCommand(window.hwnd(), ID_FILE_JOIN);
                          type(prompt, "second");
                          if (closeBox) {
                            SendMessageA(prompt, WM_CLOSE, 0, 0);
                          } else {
                            Click(prompt, IDCANCEL);
                          }
                        },
                        // Runs only inside a second prompt: ends it, so the test fails, not hangs.
                        [&](HWND second) { Click(second, IDCANCEL); }});
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    EXPECT_EQ(cancel.Ran(), 1) << closeBox;
    EXPECT_FALSE(GameStarted()) << closeBox;
    EXPECT_EQ(window->Launcher().GamePassword(), "s3cret word");
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
}  // namespace tarnwick
