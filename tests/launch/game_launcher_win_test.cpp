// Join, the password prompt, autojoin and auto-disconnect on a real window watching the demo
// server, with a stand-in game client built for these tests in place of "hl.exe".
#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "tests/launch/launch_test_support_win.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using demo::DemoServer;
using testing::BoxRecorder;
using testing::CurrentDirectory;
using testing::DialogDriver;
using testing::PumpUntil;
using testing::ReadStandInRecord;
using testing::RunningGame;
using testing::SendCommand;
using testing::StandInFolder;
using testing::StandInPath;
using testing::WindowUnderTest;

class GameLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::CloseEveryGame();
    ASSERT_EQ(FindWindowA(nullptr, kGameWindowTitle), nullptr);
    originalDirectory_ = CurrentDirectory();
    DeleteFileA(testing::StandInRecordPath().c_str());
    testing::RecordStandInTo(testing::StandInRecordPath());
    window->CurrentSettings().gameClientPath = StandInPath();
  }
  void TearDown() override {
    testing::CloseEveryGame();
    testing::RecordStandInTo("");
    DeleteFileA(testing::StandInRecordPath().c_str());
    SetCurrentDirectoryA(originalDirectory_.c_str());
  }

  void StartServer(DemoConfig config = DemoConfig()) {
    server_ = std::make_unique<DemoServer>(config);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
  }
  std::string ServerText() const { return "127.0.0.1:" + std::to_string(server_->Port()); }
  // Connects and waits for the first details reply.
  void Connect() {
    window->Monitor().Connect(ServerText(), false);
    ASSERT_TRUE(PumpUntil([&] { return !window->Monitor().State().hostName.empty(); }));
  }
  // Asks for "info" with a changed host name and waits until the reply has been handled.
  void RefreshAndWait(const std::string& hostName) {
    server_->SetHostName(hostName);
    SendCommand(window.hwnd(), ID_VIEW_REFRESH);
    ASSERT_TRUE(PumpUntil([&] { return window->Monitor().State().hostName == hostName; }));
  }
  std::string JoinLine(const std::string& game, const std::string& password) const {
    return "-game " + game + " -console +password \"" + password + "\" +connect " + ServerText();
  }
  bool AutojoinChecked() { return window->Commands().IsChecked(ID_FILE_AUTO_JOIN); }
  static bool GameStarted() { return ReadStandInRecord().has_value(); }

  BoxRecorder boxes;
  std::unique_ptr<DemoServer> server_;
  WindowUnderTest window;
  std::string originalDirectory_;
};

TEST_F(GameLauncherTest, JoinStartsTheClientWithItsCommandLineFolderAndPriority) {
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

TEST_F(GameLauncherTest, AModGivesItsFolder) {
  DemoConfig config;
  config.is_mod = true;
  config.folder = "cstrike";
  StartServer(config);
  Connect();
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  ASSERT_TRUE(RunningGame::Find());
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("cstrike", ""));
}

TEST_F(GameLauncherTest, AGameFolderThatIsNoPlainNameStartsNothing) {
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

TEST_F(GameLauncherTest, AClientThatCannotStartIsReported) {
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

TEST_F(GameLauncherTest, ABareClientNameStartsFromTheCurrentFolder) {
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

class PasswordPromptTest : public GameLauncherTest {
 protected:
  void SetUp() override {
    GameLauncherTest::SetUp();
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

// ---- Autojoin

TEST_F(GameLauncherTest, WithoutConfirmationTheFirstFreeSlotJoinsAndDisarms) {
  StartServer();
  window->CurrentSettings().confirmJoin = false;
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  ASSERT_TRUE(window->Launcher().AutojoinOn());
  window->Monitor().Connect(ServerText(), false);
  RunningGame game = RunningGame::Find();
  ASSERT_TRUE(game);
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("Valve", ""));
  EXPECT_FALSE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(AutojoinChecked());
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(GameLauncherTest, NoKeepsAutojoinArmedAndTheNextReplyAsksAgain) {
  StartServer();
  boxes.Answer(IDNO);
  boxes.Answer(IDNO);
  boxes.Answer(IDYES);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
  const MessageBoxRequest& box = boxes.Boxes()[0];
  EXPECT_EQ(box.text, LoadResourceString(IDS_AUTOJOIN_QUESTION));
  EXPECT_EQ(box.title, "Tarnwick PID " + std::to_string(GetCurrentProcessId()));
  EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(box.owner, window.hwnd());
  EXPECT_TRUE(window->Launcher().AutojoinOn());
  EXPECT_TRUE(AutojoinChecked());
  EXPECT_FALSE(GameStarted());

  RefreshAndWait("Second reply");
  EXPECT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_TRUE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(GameStarted());

  RefreshAndWait("Third reply");
  ASSERT_EQ(boxes.Boxes().size(), 3u);
  EXPECT_TRUE(RunningGame::Find()) << "Yes joins";
  EXPECT_FALSE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(AutojoinChecked());
}

TEST_F(GameLauncherTest, CancelDisarmsWithoutJoining) {
  StartServer();
  boxes.Answer(IDCANCEL);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
  EXPECT_FALSE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(AutojoinChecked());
  RefreshAndWait("Next reply");
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_FALSE(GameStarted());
}

TEST_F(GameLauncherTest, AHiddenWindowAsksWithASystemModalBoxWithoutOwner) {
  ShowWindow(window.hwnd(), SW_HIDE);
  StartServer();
  boxes.Answer(IDNO);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
  EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
  EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL));
}

TEST_F(GameLauncherTest, AnOpenQuestionBoxIsNotShownTwice) {
  StartServer();
  // A window with the question's title stands for the box of an earlier reply, still open.
  const std::string title = "Tarnwick PID " + std::to_string(GetCurrentProcessId());
  HWND open = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(open, nullptr);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  RefreshAndWait("Second reply");
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_TRUE(window->Launcher().AutojoinOn()) << "the open box decides";
  EXPECT_FALSE(GameStarted());

  DestroyWindow(open);
  boxes.Answer(IDNO);
  RefreshAndWait("Third reply");
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(GameLauncherTest, WhileTheGameRunsAutojoinNeitherAsksNorJoins) {
  StartServer();
  Connect();
  RunningGame game = RunningGame::Start();
  ASSERT_TRUE(game);
  const size_t before = server_->ReceivedRequests().size();
  DeleteFileA(testing::StandInRecordPath().c_str());
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  ASSERT_TRUE(server_->WaitForRequests(before + 1, std::chrono::milliseconds(2000)));
  EXPECT_EQ(server_->ReceivedRequests()[before].Text(), "info") << "arming asks at once";
  RefreshAndWait("Next reply");
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_TRUE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(GameStarted());
}

TEST_F(GameLauncherTest, AServerWithoutAFreeSlotNeverTriggersAutojoin) {
  DemoConfig config;
  config.max_players = 3;  // three players on it
  StartServer(config);
  window->CurrentSettings().confirmJoin = false;
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  RefreshAndWait("Still full");
  EXPECT_FALSE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_TRUE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(GameStarted());
}

TEST_F(GameLauncherTest, DisconnectDisarmsAutojoin) {
  StartServer();
  boxes.Answer(IDNO);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  EXPECT_FALSE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(AutojoinChecked());
  EXPECT_FALSE(window->Commands().IsEnabled(ID_FILE_JOIN));
}

// ---- Auto-disconnect

TEST_F(GameLauncherTest, ATimerTickWhileTheGameRunsDisconnects) {
  StartServer();
  Connect();
  SendCommand(window.hwnd(), ID_FILE_JOIN);
  ASSERT_TRUE(RunningGame::Find());
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  window->CurrentSettings().autoDisconnect = true;
  window->CurrentSettings().pingInterval = 1;
  window->ResetTimers();
  ASSERT_TRUE(PumpUntil([&] { return !window->Monitor().IsConnected(); }, 5000));
  EXPECT_EQ(window->Status().StateTip(), "Not connected");
  EXPECT_FALSE(window->Launcher().AutojoinOn()) << "the disconnect disarms autojoin";
  EXPECT_TRUE(window->CurrentSettings().autoDisconnect);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(GameLauncherTest, ConnectingWhileTheGameRunsTurnsAutoDisconnectOff) {
  StartServer();
  RunningGame game = RunningGame::Start();
  ASSERT_TRUE(game);
  for (bool shown : {true, false}) {
    ShowWindow(window.hwnd(), shown ? SW_SHOWNORMAL : SW_HIDE);
    boxes.Clear();
    window->CurrentSettings().autoDisconnect = true;
    window->Monitor().Connect(ServerText(), false);
    EXPECT_FALSE(window->CurrentSettings().autoDisconnect) << shown;
    if (shown) {
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].text, LoadResourceString(IDS_AUTODISCONNECT_TURNED_OFF));
      EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_ICONINFORMATION));
      EXPECT_EQ(boxes.Boxes()[0].owner, window.hwnd());
    } else {
      EXPECT_TRUE(boxes.Boxes().empty());
    }
    ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); })) << "it connects";
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  }
}

}  // namespace
}  // namespace tarnwick
