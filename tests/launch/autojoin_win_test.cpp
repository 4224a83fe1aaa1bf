// Autojoin and auto-disconnect on a real window watching the demo server, with the stand-in game
// client as the game that joins or runs.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "tests/launch/launch_fixture_win.h"

namespace tarnwick {
namespace {

using demo::DemoConfig;
using testing::LaunchFixture;
using testing::PumpUntil;
using testing::ReadStandInRecord;
using testing::RunningGame;
using testing::SendCommand;

using AutojoinTest = LaunchFixture;
using AutoDisconnectTest = LaunchFixture;

TEST_F(AutojoinTest, WithoutConfirmationTheFirstFreeSlotJoinsAndDisarms) {
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

TEST_F(AutojoinTest, NoKeepsAutojoinArmedAndTheNextReplyAsksAgain) {
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

TEST_F(AutojoinTest, CancelDisarmsWithoutJoining) {
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

TEST_F(AutojoinTest, AHiddenWindowAsksWithASystemModalBoxWithoutOwner) {
  ShowWindow(window.hwnd(), SW_HIDE);
  StartServer();
  boxes.Answer(IDNO);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
  EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
  EXPECT_EQ(boxes.Boxes()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL));
}

TEST_F(AutojoinTest, AnOpenQuestionBoxIsNotShownTwice) {
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

TEST_F(AutojoinTest, RepliesWhileTheQuestionIsOpenOpenNoSecondBox) {
  StartServer();
  int asked = 0;
  int askedInside = -1;
  SetMessageBoxResponder([&](const MessageBoxRequest& request) {
    ++asked;
    // The box as the system would show it: a top-level window with the box's title, with its
    // message loop running while it is open.
    HWND box = CreateWindowExA(0, "STATIC", request.title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    RefreshAndWait("Reply while asking");
    askedInside = asked;
    DestroyWindow(box);
    return IDYES;
  });
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return askedInside >= 0; }));
  EXPECT_EQ(askedInside, 1) << "the reply found the open box";
  EXPECT_TRUE(RunningGame::Find()) << "the open box's Yes joins";
  EXPECT_FALSE(window->Launcher().AutojoinOn());
  EXPECT_EQ(asked, 1);
}

TEST_F(AutojoinTest, AYesAfterADisconnectWhileAskingStartsNothing) {
  StartServer();
  int asked = 0;
  SetMessageBoxResponder([&](const MessageBoxRequest&) {
    ++asked;
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
    return IDYES;
  });
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  window->Monitor().Connect(ServerText(), false);
  ASSERT_TRUE(PumpUntil([&] { return asked == 1; }));
  EXPECT_FALSE(window->Monitor().IsConnected());
  EXPECT_FALSE(window->Launcher().AutojoinOn());
  EXPECT_FALSE(GameStarted());
}

TEST_F(AutojoinTest, WhileTheGameRunsAutojoinNeitherAsksNorJoins) {
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

TEST_F(AutojoinTest, AServerWithoutAFreeSlotNeverTriggersAutojoin) {
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

TEST_F(AutojoinTest, DisconnectDisarmsAutojoin) {
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

TEST_F(AutoDisconnectTest, ATimerTickWhileTheGameRunsDisconnects) {
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

TEST_F(AutoDisconnectTest, ConnectingWhileTheGameRunsTurnsAutoDisconnectOff) {
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
