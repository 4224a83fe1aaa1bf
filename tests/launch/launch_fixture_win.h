// The fixture of the launcher's Win32 tests: a shown main window whose game client is a stand-in
// built for these tests ("hl.exe" in a folder next to the test program; it records its command
// line and current folder, then opens a window titled "Half-Life"), a demo server to watch, every
// message box answered by a recorder, and no stand-in left running or recording after a test.
#ifndef TARNWICK_TESTS_LAUNCH_LAUNCH_FIXTURE_WIN_H
#define TARNWICK_TESTS_LAUNCH_LAUNCH_FIXTURE_WIN_H

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "common/unique_handle_win.h"
#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "tests/support/modal_driver_win.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::testing {

inline std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

inline std::string StandInFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program = path;
  return program.substr(0, program.find_last_of('\\')) + "\\" TARNWICK_STAND_IN_FOLDER;
}
inline std::string StandInPath() { return StandInFolder() + "\\hl.exe"; }
inline std::string StandInRecordPath() { return StandInFolder() + "\\record.txt"; }

// What the last stand-in started recorded: its command line as it got it, and its folder.
struct StandInRecord {
  std::string commandLine;
  std::string folder;
};
inline std::optional<StandInRecord> ReadStandInRecord() {
  std::ifstream file(StandInRecordPath(), std::ios::binary);
  StandInRecord record;
  if (!std::getline(file, record.commandLine) || !std::getline(file, record.folder)) return {};
  return record;
}

// Waits (pumping this thread's messages) for a stand-in's "Half-Life" window; null when none
// appears.
inline HWND FindGame() {
  HWND game = nullptr;
  PumpUntil([&] { return (game = FindWindowA(nullptr, kGameWindowTitle)) != nullptr; }, 10000);
  return game;
}

inline UniqueHandle<KernelHandleTraits> GameProcess(HWND game, DWORD access) {
  DWORD id = 0;
  GetWindowThreadProcessId(game, &id);
  return UniqueHandle<KernelHandleTraits>(OpenProcess(access, FALSE, id));
}

// Closes every stand-in still open (a test that failed half-way leaves one), and ends it when it
// does not close; bounded, so that a window outliving its process cannot hold the test for ever.
inline void CloseEveryGame() {
  for (int i = 0; i < 8; ++i) {
    const HWND game = FindWindowA(nullptr, kGameWindowTitle);
    if (game == nullptr) return;
    const auto process = GameProcess(game, PROCESS_TERMINATE | SYNCHRONIZE);
    PostMessageA(game, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0) {
      TerminateProcess(process.Get(), 1);
      WaitForSingleObject(process.Get(), 5000);
    }
  }
}

class LaunchFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseEveryGame();
    ASSERT_EQ(FindWindowA(nullptr, kGameWindowTitle), nullptr);
    originalDirectory_ = CurrentDirectory();
    DeleteFileA(StandInRecordPath().c_str());
    SetEnvironmentVariableA(kRecordVariable, StandInRecordPath().c_str());
    window->CurrentSettings().gameClientPath = StandInPath();
  }
  void TearDown() override {
    CloseEveryGame();
    SetEnvironmentVariableA(kRecordVariable, nullptr);
    DeleteFileA(StandInRecordPath().c_str());
    SetCurrentDirectoryA(originalDirectory_.c_str());
  }

  std::string ServerText() const { return "127.0.0.1:" + std::to_string(server_->Port()); }
  // Starts a server, connects and waits for the first details reply.
  void Connect(demo::DemoConfig config = demo::DemoConfig()) {
    server_ = std::make_unique<demo::DemoServer>(config);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
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
  bool AutojoinOn() { return window->Launcher().AutojoinOn(); }
  bool AutojoinChecked() { return window->Commands().IsChecked(ID_FILE_AUTO_JOIN); }
  // Join waits for the started client to be idle, by when the stand-in has written its record.
  static bool GameStarted() { return ReadStandInRecord().has_value(); }

  static constexpr char kRecordVariable[] = "TARNWICK_STAND_IN_RECORD";
  BoxRecorder boxes;
  std::unique_ptr<demo::DemoServer> server_;
  WindowUnderTest window;
  std::string originalDirectory_;
};

}  // namespace tarnwick::testing

#endif
