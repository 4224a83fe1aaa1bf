// Helpers for tests that drive real windows on the test thread: pumping messages until something
// happens (never sleeping), answering message boxes, recording tray calls, and a main window with
// its own message loop.
#ifndef TARNWICK_TESTS_SUPPORT_WINDOW_TEST_SUPPORT_WIN_H
#define TARNWICK_TESTS_SUPPORT_WINDOW_TEST_SUPPORT_WIN_H

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/message_box_win.h"
#include "common/win32.h"
#include "shell/main_window_win.h"
#include "common/message_loop_win.h"
#include "shell/tray_presence_win.h"
#include "tests/support/registry_test_root_win.h"

namespace tarnwick::testing {

// Dispatches the thread's messages (through the thread's MessageLoop filters, when it has one)
// until `done` returns true or `timeoutMs` has passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches what is queued now (and what that posts) without waiting.
void PumpPending();

// Answers every message box with the next answer of the queue (IDOK when it is empty) and keeps
// what each box would have shown.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  void Answer(int button) { answers_.push_back(button); }
  const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
  void Clear() { boxes_.clear(); }

 private:
  std::deque<int> answers_;
  std::vector<MessageBoxRequest> boxes_;
};

// Stands in for the shell's "open" and its beep: keeps every target and counts the beeps. Each open
// answers `answer` (as ShellExecute does: above 32 means opened).
class ShellRecorder {
 public:
  ShellRecorder();
  ~ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  std::vector<std::string> opened;
  int beeps = 0;
  INT_PTR answer = 42;
};

// Stands in for the shell's notification area and keeps every call. Like the shell it holds each
// icon (window, id) once: it refuses to add an icon it has, and to change, version or delete one
// it has not; while it is not running (at logon, before the taskbar exists) it refuses everything.
class TrayRecorder {
 public:
  struct Call {
    DWORD message;
    UINT flags;
    HICON icon;
    std::string tip;
    DWORD size;
  };
  TrayRecorder();
  ~TrayRecorder();
  TrayRecorder(const TrayRecorder&) = delete;
  TrayRecorder& operator=(const TrayRecorder&) = delete;

  const std::vector<Call>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }
  size_t Count(DWORD message) const;
  // What the shell shows: the icons it holds, each with the picture and tip it was last given.
  struct Icon {
    HWND window;
    UINT id;
    HICON picture;
    std::string tip;
  };
  const std::vector<Icon>& Icons() const { return icons_; }
  // A shell that starts (or restarts) has no icons.
  void Restart() { icons_.clear(); }
  bool acceptVersion = true;
  bool running = true;

 private:
  BOOL Take(DWORD message, const NOTIFYICONDATAW& data);

  std::vector<Call> calls_;
  std::vector<Icon> icons_;
};

// A main window on the test thread with the thread's message loop, keeping its settings under a
// registry key of the test's own; destroyed with the fixture, and the WM_QUIT its destruction
// posts is taken off the queue.
class WindowUnderTest {
 public:
  explicit WindowUnderTest(bool show = true, bool openedWithNew = true);
  ~WindowUnderTest();
  MainWindow& operator*() { return *window_; }
  MainWindow* operator->() { return window_.get(); }
  HWND hwnd() const { return window_->hwnd(); }
  // Closes the window as the user would (the close sequence runs); the object stays.
  void Close();
  RegistryTestRoot& Registry() { return registry_; }

 private:
  RegistryTestRoot registry_;
  MessageLoop loop_;
  std::unique_ptr<MainWindow> window_;
};

// What `draw` paints on a new 32-bit surface of `width` x `height`: RGB values, top row first.
std::vector<uint32_t> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);

// Sends a command as a menu would.
void SendCommand(HWND window, int command, int code = 0);

}  // namespace tarnwick::testing

#endif
