// Helpers of the launcher's Win32 tests: the stand-in game client (its place in the build folder,
// what it recorded, its process) and a driver for the modal dialog a command opens.
#ifndef TARNWICK_TESTS_LAUNCH_LAUNCH_TEST_SUPPORT_WIN_H
#define TARNWICK_TESTS_LAUNCH_LAUNCH_TEST_SUPPORT_WIN_H

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "common/win32.h"

namespace tarnwick::testing {

// The folder of the stand-in client, next to the test program inside the build folder, and the
// stand-in itself ("hl.exe" there).
std::string StandInFolder();
std::string StandInPath();
// Where the stand-in writes its record (set for the process by RecordStandInTo).
std::string StandInRecordPath();
void RecordStandInTo(const std::string& path);

// What a started stand-in wrote: its command line as it got it, and its current folder.
struct StandInRecord {
  std::string commandLine;
  std::string folder;
};
std::optional<StandInRecord> ReadStandInRecord();

std::string CurrentDirectory();

// A running stand-in, found by its "Half-Life" window.
class RunningGame {
 public:
  // Waits (pumping this thread's messages) until a "Half-Life" window exists; an empty object
  // when none appears in time.
  static RunningGame Find(unsigned timeoutMs = 10000);
  // Starts the stand-in directly (not through the launcher) and waits for its window.
  static RunningGame Start();

  explicit operator bool() const { return static_cast<bool>(process_); }
  DWORD ProcessId() const { return processId_; }
  DWORD PriorityClass() const;
  // Closes its window and waits for the process to end; terminates it when it does not.
  void Close();

 private:
  UniqueHandle<KernelHandleTraits> process_;
  DWORD processId_ = 0;
};

// Ends every stand-in whose window is still open (a test that failed half-way leaves one).
void CloseEveryGame();

// Acts on the next dialog box ("#32770") this thread activates, from inside its modal loop: a
// WH_CBT hook notes the box, and a thread timer runs the steps, one per tick, in order. One driver
// at a time.
class DialogDriver {
 public:
  using Step = std::function<void(HWND dialog)>;
  explicit DialogDriver(std::vector<Step> steps);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  HWND Dialog() const { return dialog_; }
  // How many steps have run.
  size_t StepsRun() const { return next_; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD);
  void StopTimer();

  std::vector<Step> steps_;
  size_t next_ = 0;
  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
};

}  // namespace tarnwick::testing

#endif
