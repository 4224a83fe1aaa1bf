#include "tests/launch/launch_test_support_win.h"

#include <fstream>
#include <sstream>

#include "launch/game_window_win.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick::testing {
namespace {

constexpr const char* kRecordVariable = "TARNWICK_STAND_IN_RECORD";
constexpr DWORD kCloseWaitMs = 5000;
constexpr UINT kTickMs = 20;

DialogDriver* activeDriver = nullptr;

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

std::string StandInFolder() { return TestProgramFolder() + "\\" TARNWICK_STAND_IN_FOLDER; }

std::string StandInPath() { return StandInFolder() + "\\hl.exe"; }

std::string StandInRecordPath() { return StandInFolder() + "\\record.txt"; }

void RecordStandInTo(const std::string& path) {
  SetEnvironmentVariableA(kRecordVariable, path.empty() ? nullptr : path.c_str());
}

std::optional<StandInRecord> ReadStandInRecord() {
  std::ifstream file(StandInRecordPath(), std::ios::binary);
  if (!file) return std::nullopt;
  StandInRecord record;
  if (!std::getline(file, record.commandLine) || !std::getline(file, record.folder)) {
    return std::nullopt;
  }
  return record;
}

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

RunningGame RunningGame::Find(unsigned timeoutMs) {
  RunningGame game;
  HWND window = nullptr;
  PumpUntil([&] { return (window = FindWindowA(nullptr, kGameWindowTitle)) != nullptr; },
            timeoutMs);
  if (window == nullptr) return game;
  GetWindowThreadProcessId(window, &game.processId_);
  game.process_.Reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                                  FALSE, game.processId_));
  return game;
}

RunningGame RunningGame::Start() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + StandInPath() + "\"";
  if (!CreateProcessA(StandInPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, StandInFolder().c_str(), &startup, &process)) {
    return RunningGame();
  }
  CloseHandle(process.hThread);
  UniqueHandle<KernelHandleTraits> started(process.hProcess);
  WaitForInputIdle(started.Get(), 10000);
  return Find();
}

DWORD RunningGame::PriorityClass() const {
  return process_ ? GetPriorityClass(process_.Get()) : 0;
}

void RunningGame::Close() {
  if (!process_) return;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, nullptr, kGameWindowTitle)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId_) PostMessageA(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process_.Get(), kCloseWaitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), kCloseWaitMs);
  }
  process_.Reset();
  processId_ = 0;
}

void CloseEveryGame() {
  // Bounded: a window that outlives its closed process must not hold the test for ever.
  for (int attempt = 0; attempt < 8 && FindWindowA(nullptr, kGameWindowTitle) != nullptr;
       ++attempt) {
    RunningGame game = RunningGame::Find(0);
    game.Close();
  }
}

DialogDriver::DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
  activeDriver = this;
  hook_ = SetWindowsHookExA(WH_CBT, &DialogDriver::OnCbt, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver() {
  StopTimer();
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  activeDriver = nullptr;
}

void DialogDriver::StopTimer() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  timer_ = 0;
}

LRESULT CALLBACK DialogDriver::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  DialogDriver* self = activeDriver;
  if (code == HCBT_ACTIVATE && self != nullptr && self->dialog_ == nullptr) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) == "#32770") {
      self->dialog_ = window;
      self->timer_ = SetTimer(nullptr, 0, kTickMs, &DialogDriver::OnTick);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
  DialogDriver* self = activeDriver;
  if (self == nullptr || timer != self->timer_) {
    KillTimer(nullptr, timer);
    return;
  }
  if (self->next_ >= self->steps_.size()) {
    self->StopTimer();
    return;
  }
  // The step may end the dialog, and with it the modal loop that dispatches these ticks.
  const Step& step = self->steps_[self->next_++];
  step(self->dialog_);
}

}  // namespace tarnwick::testing
