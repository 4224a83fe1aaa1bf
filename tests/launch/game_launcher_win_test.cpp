// Join and the password prompt on a real window watching the demo server, with a stand-in game
// client built for these tests in place of "hl.exe".
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "tests/launch/launch_fixture_win.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using testing::CurrentDirectory;
using testing::DialogDriver;
using testing::LaunchFixture;
using testing::ReadStandInRecord;
using testing::RunningGame;
using testing::SendCommand;
using testing::StandInFolder;

using JoinTest = LaunchFixture;

TEST_F(JoinTest, JoinStartsTheClientWithItsCommandLineFolderAndPriority) {
  StartServer();
  Connect();
  ASSERT_TRUE(window->Commands().IsEnabled(ID_FILE_JOIN));
  struct Case {
    uint32_t setting;
    DWORD priorityClass;
  } cases[] = {
      {0, IDLE_PRIORITY_CLASS},
      {1, BELOW_NORMAL_PRIORITY_CLASS},
      {3, ABOVE_NORMAL_PRIORITY_CLASS},
      {4, HIGH_PRIORITY_CLASS},
      {9, NORMAL_PRIORITY_CLASS},  // beyond the track bar's range
  };
  for (const Case& c : cases) {
    DeleteFileA(testing::StandInRecordPath().c_str());
    SetCurrentDirectoryA(originalDirectory_.c_str());
    window->CurrentSettings().gamePriority = c.setting;
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    RunningGame game = RunningGame::Find();
    ASSERT_TRUE(game) << c.setting;
    const auto record = ReadStandInRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->commandLine, JoinLine("Valve", "")) << "the program name is not repeated";
    EXPECT_TRUE(EqualsNoCase(record->folder, StandInFolder())) << record->folder;
    EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), StandInFolder())) << "the process's folder too";
    EXPECT_EQ(game.PriorityClass(), c.priorityClass) << c.setting;
    game.Close();
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(JoinTest, AModGivesItsFolder) {
  DemoConfig config;
  config.is_mod = true;
  config.folder = "cstrike";
  StartServer(config);
  Connect();
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  ASSERT_TRUE(RunningGame::Find());
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("cstrike", ""));
}

TEST_F(JoinTest, AGameFolderThatIsNoPlainNameStartsNothing) {
  const char* folders[] = {"cstrike -dev", "valve\" +exec \"x", "..\\valve", "-insecure"};
  for (const char* folder : folders) {
    DemoConfig config;
    config.is_mod = true;
    config.folder = folder;
    StartServer(config);
    Connect();
    boxes.Clear();
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    EXPECT_FALSE(GameStarted()) << folder;
    ASSERT_EQ(boxes.Boxes().size(), 1u) << folder;
    const std::string format = LoadResourceString(IDS_BAD_GAME_FOLDER);
    EXPECT_EQ(boxes.Boxes()[0].text, Format(format.c_str(), folder));
    EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes.Boxes()[0].owner, window.hwnd());
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  }
}

TEST_F(JoinTest, AClientThatCannotStartIsReported) {
  StartServer();
  Connect();
  const std::string missing = StandInFolder() + "\\missing.exe";
  window->CurrentSettings().gameClientPath = missing;
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Can't exec " + missing);
  EXPECT_EQ(boxes.Boxes()[0].title, "Tarnwick");
  EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(boxes.Boxes()[0].owner, window.hwnd());
  EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), StandInFolder())) << "the folder is made current";
}

TEST_F(JoinTest, ABareClientNameStartsFromTheCurrentFolder) {
  StartServer();
  Connect();
  SetCurrentDirectoryA(StandInFolder().c_str());
  window->CurrentSettings().gameClientPath = "hl.exe";
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  ASSERT_TRUE(RunningGame::Find());
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("Valve", ""));
  EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), StandInFolder()));
}

// ---- The password prompt

class PasswordPromptTest : public LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    DemoConfig config;
    config.password = true;
    StartServer(config);
    Connect();
    SetForegroundWindow(window.hwnd());
    SetActiveWindow(window.hwnd());
  }
  static std::string EditText(HWND dialog) {
    char text[256] = {};
    GetDlgItemTextA(dialog, IDC_PASSWORD_EDIT, text, sizeof(text));
    return text;
  }
  static void Type(HWND dialog, const char* text) { SetDlgItemTextA(dialog, IDC_PASSWORD_EDIT, text); }
  static void Press(HWND dialog, int button) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
};

TEST_F(PasswordPromptTest, OkJoinsWithThePasswordAndAQuoteIsRefused) {
  HWND shown = nullptr;
  {
    DialogDriver driver({
        [&](HWND dialog) {
          shown = dialog;
          char caption[64] = {};
          GetWindowTextA(dialog, caption, sizeof(caption));
          EXPECT_STREQ(caption, "Enter server password");
          const LONG style = GetWindowLongA(GetDlgItem(dialog, IDC_PASSWORD_EDIT), GWL_STYLE);
          EXPECT_TRUE(style & ES_PASSWORD);
          EXPECT_TRUE(style & ES_AUTOHSCROLL);
          EXPECT_EQ(EditText(dialog), "");
          EXPECT_EQ(GetWindow(dialog, GW_OWNER), window.hwnd());
          Type(dialog, "open\" +quit \"");
          Press(dialog, IDOK);
          EXPECT_TRUE(IsWindowVisible(dialog)) << "a quote is refused";
        },
        [&](HWND dialog) {
          ASSERT_TRUE(IsWindow(dialog));
          EXPECT_FALSE(GameStarted());
          Type(dialog, "s3cret word");
          Press(dialog, IDOK);
        },
    });
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    EXPECT_EQ(driver.StepsRun(), 2u);
  }
  ASSERT_NE(shown, nullptr) << "the prompt was shown";
  ASSERT_TRUE(RunningGame::Find());
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("Valve", "s3cret word"));
  EXPECT_EQ(window->Launcher().GamePassword(), "s3cret word");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(PasswordPromptTest, CancelStartsNothingAndKeepsThePassword) {
  {
    DialogDriver driver({[&](HWND dialog) {
      Type(dialog, "first");
      Press(dialog, IDOK);
    }});
    SendCommand(window.hwnd(), ID_FILE_JOIN);
  }
  RunningGame first = RunningGame::Find();
  ASSERT_TRUE(first);
  first.Close();
  DeleteFileA(testing::StandInRecordPath().c_str());

  const struct {
    int button;
    UINT message;
  } cases[] = {{IDCANCEL, WM_COMMAND}, {0, WM_CLOSE}};
  for (const auto& c : cases) {
    DialogDriver driver({[&](HWND dialog) {
      EXPECT_EQ(EditText(dialog), "first") << "the prompt opens with the last password";
      Type(dialog, "second");
      if (c.message == WM_CLOSE) {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
      } else {
        Press(dialog, c.button);
      }
    }});
    SendCommand(window.hwnd(), ID_FILE_JOIN);
    EXPECT_EQ(driver.StepsRun(), 1u);
    EXPECT_FALSE(GameStarted());
    EXPECT_EQ(FindWindowA(nullptr, kGameWindowTitle), nullptr);
    EXPECT_EQ(window->Launcher().GamePassword(), "first");
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

BOOL CALLBACK CountDialog(HWND window, LPARAM count) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::string(className) == "#32770" && IsWindowVisible(window)) {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

int VisibleDialogsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountDialog, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(PasswordPromptTest, AJoinWhileThePromptIsOpenOpensNoSecondOne) {
  DialogDriver driver({
      [&](HWND dialog) {
        // As from the tray menu, whose commands still reach the disabled main window.
        SendCommand(window.hwnd(), ID_FILE_JOIN);
        EXPECT_EQ(VisibleDialogsOfThisThread(), 1);
        Press(dialog, IDCANCEL);
      },
      // Runs only when a second prompt has opened (inside it): ends it, so that the test fails
      // instead of waiting for ever.
      [&](HWND) {
        if (HWND second = GetActiveWindow()) Press(second, IDCANCEL);
      },
  });
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  EXPECT_EQ(driver.StepsRun(), 1u);
  EXPECT_FALSE(GameStarted());
  EXPECT_EQ(VisibleDialogsOfThisThread(), 0);
}

TEST_F(PasswordPromptTest, OpensCentredAndGrowsOnlyInWidth) {
  DialogDriver driver({[&](HWND dialog) {
    RECT owner = {};
    RECT prompt = {};
    GetWindowRect(window.hwnd(), &owner);
    GetWindowRect(dialog, &prompt);
    EXPECT_NEAR((prompt.left + prompt.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((prompt.top + prompt.bottom) / 2, (owner.top + owner.bottom) / 2, 1);

    const LONG openedWidth = prompt.right - prompt.left;
    const LONG openedHeight = prompt.bottom - prompt.top;
    MINMAXINFO limits = {};
    limits.ptMaxTrackSize = POINT{5000, 5000};
    SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, openedWidth);
    EXPECT_EQ(limits.ptMinTrackSize.y, openedHeight);
    EXPECT_EQ(limits.ptMaxTrackSize.y, openedHeight);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 5000) << "no limit to the width";

    auto place = [&](int id) {
      RECT rect = {};
      GetWindowRect(GetDlgItem(dialog, id), &rect);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
      return rect;
    };
    RECT client = {};
    GetClientRect(dialog, &client);
    const int ids[] = {IDOK, IDCANCEL, IDC_PASSWORD_GRIP};
    std::vector<RECT> before;
    for (int id : ids) before.push_back(place(id));
    const RECT editBefore = place(IDC_PASSWORD_EDIT);

    SetWindowPos(dialog, nullptr, 0, 0, openedWidth + 120, openedHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT grown = {};
    GetClientRect(dialog, &grown);
    ASSERT_EQ(grown.right - client.right, 120);
    for (size_t i = 0; i < std::size(ids); ++i) {
      const RECT after = place(ids[i]);
      EXPECT_EQ(grown.right - after.right, client.right - before[i].right) << ids[i];
      EXPECT_EQ(after.right - after.left, before[i].right - before[i].left) << ids[i];
      EXPECT_EQ(after.top, before[i].top) << ids[i];
    }
    const RECT editAfter = place(IDC_PASSWORD_EDIT);
    EXPECT_EQ(editAfter.left, editBefore.left);
    EXPECT_EQ(editAfter.right - editAfter.left, editBefore.right - editBefore.left + 120);
    Press(dialog, IDCANCEL);
  }});
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  EXPECT_EQ(driver.StepsRun(), 1u);
}

}  // namespace
}  // namespace tarnwick
