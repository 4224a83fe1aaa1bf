// ThreadManager: the process's main thread. It owns no window: it starts one thread per window,
// waits for them to end and for window requests posted to it, and returns when the last window
// thread has ended.
#ifndef TARNWICK_SHELL_THREAD_MANAGER_WIN_H
#define TARNWICK_SHELL_THREAD_MANAGER_WIN_H

#include <array>
#include <string>

#include "common/win32.h"

namespace tarnwick {

// One less than the platform's limit of objects one wait can watch (the message queue is the last).
inline constexpr DWORD kMaxWindowThreads = MAXIMUM_WAIT_OBJECTS - 1;
// What Run returns when it cannot wait for the window threads.
inline constexpr int kWaitFailedResult = -1;

class ThreadManager {
 public:
  using ThreadStart = DWORD(WINAPI*)(void* commandLine);

  // `start` runs each window thread with a heap copy of its command line (which it frees).
  ThreadManager(HINSTANCE instance, ThreadStart start) : instance_(instance), start_(start) {}
  ~ThreadManager();
  ThreadManager(const ThreadManager&) = delete;
  ThreadManager& operator=(const ThreadManager&) = delete;

  // Starts a window thread after a 100 ms pause; 0 when none was started (63 already running, or
  // the thread could not be created).
  DWORD AddThread(const std::string& commandLine);
  // Waits until no window thread is left, starting the windows requested meanwhile; returns the
  // count of threads at the start (1 normally), or kWaitFailedResult when the wait fails.
  int Run();

  DWORD Count() const { return count_; }

 private:
  void RemoveThread(DWORD slot);
  void ServeRequests();

  HINSTANCE instance_;
  ThreadStart start_;
  std::array<HANDLE, kMaxWindowThreads> threads_{};
  DWORD count_ = 0;
};

// The window thread's body: its own message loop and main window, for one command line.
DWORD WINAPI WindowThread(void* commandLine);

}  // namespace tarnwick

#endif
