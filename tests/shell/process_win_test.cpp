// The program as a process: one window thread per window, Clone opening a second window in the
// same process (and messages forged by another process changing nothing), "-tray" starting hidden
// and connected, and the exit code when the last window closes. The demo server runs inside the
// test; the program is started as a child process.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "resources/resource.h"
#include "tests/support/modal_driver_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick {
namespace {

// The build gives the program's path as the host sees it; Wine maps the host's root to Z:.
std::string ProgramPath() {
  std::string path = TARNWICK_PROGRAM;
  if (!path.empty() && path[0] == '/') {
    for (char& c : path) c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
  return path;
}

class ProgramProcess {
 public:
  explicit ProgramProcess(const std::string& arguments) {
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
      process_.Reset(info.hProcess);
      CloseHandle(info.hThread);
      id_ = info.dwProcessId;
      mainThread_ = info.dwThreadId;
    }
  }
  ~ProgramProcess() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.Get(), 9);
    }
  }
  bool Started() const { return static_cast<bool>(process_); }
  DWORD MainThreadId() const { return mainThread_; }

  std::vector<HWND> Windows() const {
    std::vector<HWND> found;
    for (HWND window = nullptr;
         (window = FindWindowExA(nullptr, window, "TarnwickMainWindow", nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == id_) found.push_back(window);
    }
    return found;
  }

  // Checks `done` while waiting on the process (which returns early only if it ended).
  bool WaitUntil(const std::function<bool()>& done) const {
    for (const DWORD start = GetTickCount(); !done();) {
      if (GetTickCount() - start > 20000) return false;
      WaitForSingleObject(process_.Get(), 50);
    }
    return true;
  }
  bool WaitForWindows(size_t count) const {
    return WaitUntil([&] { return Windows().size() >= count; });
  }
  bool WaitForCaption(HWND window, const std::string& part) const {
    return WaitUntil([&] { return testing::WindowText(window).find(part) != std::string::npos; });
  }

  // Waits for the process to end; its exit code, or -1 when it did not end in time.
  long WaitForExit(DWORD timeoutMs = 20000) const {
    if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return static_cast<long>(code);
  }

 private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
  DWORD mainThread_ = 0;
};

// What another process could post to the program: a window request and the socket and tray
// notifications, each with parameters that point nowhere.
void PostForgedMessages(DWORD mainThread, HWND window) {
  constexpr auto kNowhere = static_cast<LPARAM>(0x4B1D);
  PostThreadMessageA(mainThread, WM_USER, 0, kNowhere);
  PostThreadMessageA(mainThread, WM_USER, 0, -1);
  for (const char* name : {"WSAAsyncGetHostByNameMsg", "WSARecvMsg", "TrayCallbackMsg"}) {
    const UINT message = RegisterWindowMessageA(name);
    PostMessageA(window, message, static_cast<WPARAM>(kNowhere), 0);
    PostMessageA(window, message, static_cast<WPARAM>(kNowhere), kNowhere);
  }
}

TEST(ProgramProcessTest, CloneOpensASecondWindowAndTheLastCloseEndsWithCodeOne) {
  demo::DemoServer server{demo::DemoConfig()};
  ASSERT_TRUE(server.Start());
  ProgramProcess program("127.0.0.1:" + std::to_string(server.Port()));
  ASSERT_TRUE(program.Started()) << "error " << GetLastError() << " starting " << ProgramPath();
  ASSERT_TRUE(program.WaitForWindows(1));
  HWND first = program.Windows()[0];
  ASSERT_TRUE(program.WaitForCaption(first, "crossfire [3/16] on Tarnwick Demo Server"));

  PostForgedMessages(program.MainThreadId(), first);
  PostMessageA(first, WM_COMMAND, MAKEWPARAM(ID_FILE_CLONE, 0), 0);
  ASSERT_TRUE(program.WaitForWindows(2)) << "Clone while connected opens a second window";
  HWND second = program.Windows()[0] == first ? program.Windows()[1] : program.Windows()[0];
  EXPECT_NE(GetWindowThreadProcessId(first, nullptr), GetWindowThreadProcessId(second, nullptr))
      << "each window has a thread of its own";
  ASSERT_TRUE(program.WaitForCaption(second, "crossfire")) << "the new window watches the server";
  EXPECT_TRUE(program.WaitForCaption(first, "crossfire")) << "the first keeps its connection";

  PostMessageA(first, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(1000), -1) << "the process lives while a window is open";
  PostMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 1);
}

TEST(ProgramProcessTest, TrayOptionStartsHiddenAndConnected) {
  demo::DemoServer server{demo::DemoConfig()};
  ASSERT_TRUE(server.Start());
  ProgramProcess program("-TRAY 127.0.0.1:" + std::to_string(server.Port()));
  ASSERT_TRUE(program.WaitForWindows(1));
  HWND window = program.Windows()[0];
  ASSERT_TRUE(server.WaitForRequests(2, std::chrono::milliseconds(20000)));
  EXPECT_EQ(server.ReceivedRequests()[0].Text(), "details");
  EXPECT_TRUE(program.WaitUntil([&] { return !IsWindowVisible(window); }));
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
  EXPECT_EQ(program.WaitForExit(), 1);
}

}  // namespace
}  // namespace tarnwick
