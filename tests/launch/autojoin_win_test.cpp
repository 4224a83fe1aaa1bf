// Autojoin and auto-disconnect on a real window watching the demo server, with the stand-in game
// client as the game that joins or runs.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>

#include "common/string_resource_win.h"
#include "tests/launch/launch_fixture_win.h"

namespace tarnwick {
namespace {

using namespace testing;

using AutojoinTest = testing::LaunchFixture;

TEST_F(AutojoinTest, WithoutConfirmationTheFirstFreeSlotJoinsAndDisarms) {
  demo::DemoConfig config;
  config.max_players = 3;  // full with its three players
  window->CurrentSettings().confirmJoin = false;
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  ASSERT_TRUE(AutojoinOn());
  Connect(config);
  RefreshAndWait("Still full");
  EXPECT_FALSE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_TRUE(AutojoinOn());
  EXPECT_FALSE(GameStarted());

  server_->SetMaxPlayers(4);
  SendCommand(window.hwnd(), ID_VIEW_REFRESH);
  ASSERT_NE(testing::FindGame(), nullptr);
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("Valve", ""));
  EXPECT_FALSE(AutojoinOn() || AutojoinChecked());
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(AutojoinTest, NoKeepsItArmedCancelOrADisconnectWhileAskingDisarms) {
  boxes.Answer(IDNO);
  boxes.Answer(IDCANCEL);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 1; }));
  const MessageBoxRequest& box = boxes.Boxes()[0];
  EXPECT_EQ(std::tuple(box.type, box.owner),
            std::tuple(UINT{MB_YESNOCANCEL | MB_ICONQUESTION}, window.hwnd()));
  EXPECT_TRUE(AutojoinOn() && AutojoinChecked());

  // Asked again, now with the window hidden in the tray: a system-modal box without an owner.
  ShowWindow(window.hwnd(), SW_HIDE);
  RefreshAndWait("Second reply");
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(std::tuple(boxes.Boxes()[1].owner, boxes.Boxes()[1].type),
            std::tuple(HWND{}, UINT{MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL}));
  EXPECT_FALSE(AutojoinOn() || AutojoinChecked()) << "Cancel disarms";

  // Armed again (which asks the server at once): a disconnect while the question is open
  // disarms it, and its Yes starts nothing.
  int asked = 0;
  SetMessageBoxResponder([&](const MessageBoxRequest&) {
    ++asked;
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
    return IDYES;
  });
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  ASSERT_TRUE(PumpUntil([&] { return asked == 1; }));
  EXPECT_FALSE(window->Monitor().IsConnected());
  EXPECT_FALSE(AutojoinOn() || AutojoinChecked());
  EXPECT_FALSE(window->Commands().IsEnabled(ID_FILE_JOIN));
  EXPECT_FALSE(GameStarted());
}

TEST_F(AutojoinTest, RepliesWhileAskingOpenNoSecondBoxYesJoinsAndWhileTheGameRunsAutoDisconnectActs) {
  int asked = 0;
  int askedInside = -1;
  SetMessageBoxResponder([&](const MessageBoxRequest& request) {
    if (++asked > 1) return IDNO;  // a second box: the test fails without nesting further
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
  ASSERT_NE(testing::FindGame(), nullptr) << "Yes joins";
  EXPECT_EQ(ReadStandInRecord()->commandLine, JoinLine("Valve", ""));
  EXPECT_FALSE(AutojoinOn());
  EXPECT_EQ(asked, 1);

  // While the game runs, autojoin waits, and auto-disconnect disconnects at the next tick.
  testing::BoxRecorder recorder;  // in place of the responder above
  DeleteFileA(testing::StandInRecordPath().c_str());
  const size_t before = server_->ReceivedRequests().size();
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  ASSERT_TRUE(server_->WaitForRequests(before + 1, std::chrono::milliseconds(2000)));
  EXPECT_EQ(server_->ReceivedRequests()[before].Text(), "info") << "arming asks at once";
  RefreshAndWait("Next reply");
  EXPECT_TRUE(AutojoinOn()) << "autojoin neither asks nor joins";
  EXPECT_FALSE(GameStarted());

  window->CurrentSettings().autoDisconnect = true;
  window->CurrentSettings().pingInterval = 1;
  window->ResetTimers();
  ASSERT_TRUE(PumpUntil([&] { return !window->Monitor().IsConnected(); }, 5000));
  EXPECT_FALSE(AutojoinOn()) << "the disconnect disarms autojoin";
  EXPECT_TRUE(window->CurrentSettings().autoDisconnect);
  EXPECT_TRUE(recorder.Boxes().empty());

  for (bool shown : {true, false}) {
    ShowWindow(window.hwnd(), shown ? SW_SHOWNORMAL : SW_HIDE);
    window->CurrentSettings().autoDisconnect = true;
    window->Monitor().Connect(ServerText(), false);
    EXPECT_FALSE(window->CurrentSettings().autoDisconnect) << shown;
    ASSERT_EQ(recorder.Boxes().size(), 1u) << "no box while hidden";
    EXPECT_EQ(std::tuple(recorder.Boxes()[0].text, recorder.Boxes()[0].owner),
              std::tuple(LoadResourceString(IDS_AUTODISCONNECT_TURNED_OFF), window.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); })) << "it connects";
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  }
}

}  // namespace
}  // namespace tarnwick
