// The fixture of the launcher's Win32 tests: a shown main window whose game client is the
// stand-in, a demo server to watch, every message box answered by a recorder, and no stand-in left
// running or recording after a test.
#ifndef TARNWICK_TESTS_LAUNCH_LAUNCH_FIXTURE_WIN_H
#define TARNWICK_TESTS_LAUNCH_LAUNCH_FIXTURE_WIN_H

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "tests/launch/launch_test_support_win.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::testing {

class LaunchFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseEveryGame();
    ASSERT_EQ(FindWindowA(nullptr, kGameWindowTitle), nullptr);
    originalDirectory_ = CurrentDirectory();
    DeleteFileA(StandInRecordPath().c_str());
    RecordStandInTo(StandInRecordPath());
    window->CurrentSettings().gameClientPath = StandInPath();
  }
  void TearDown() override {
    CloseEveryGame();
    RecordStandInTo("");
    DeleteFileA(StandInRecordPath().c_str());
    SetCurrentDirectoryA(originalDirectory_.c_str());
  }

  void StartServer(demo::DemoConfig config = demo::DemoConfig()) {
    server_ = std::make_unique<demo::DemoServer>(config);
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
  std::unique_ptr<demo::DemoServer> server_;
  WindowUnderTest window;
  std::string originalDirectory_;
};

}  // namespace tarnwick::testing

#endif
