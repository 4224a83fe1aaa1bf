#include "shell/thread_manager_win.h"

#include <cstring>

#include "shell/window_requests_win.h"

namespace tarnwick {
namespace {

constexpr DWORD kStartPauseMs = 100;

}  // namespace

ThreadManager::~ThreadManager() {
  for (DWORD i = 0; i < count_; ++i) CloseHandle(threads_[i]);
}

DWORD ThreadManager::AddThread(const std::string& commandLine) {
  // Every start waits, which also spaces out windows opened in quick succession.
  Sleep(kStartPauseMs);
  if (count_ >= kMaxWindowThreads) return 0;
  char* line = new char[commandLine.size() + 1];
  std::memcpy(line, commandLine.c_str(), commandLine.size() + 1);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, start_, line, 0, &id);
  if (thread == nullptr) {
    delete[] line;
    return 0;
  }
  threads_[count_++] = thread;
  return id;
}

void ThreadManager::RemoveThread(DWORD slot) {
  CloseHandle(threads_[slot]);
  if (slot != count_ - 1) threads_[slot] = threads_[count_ - 1];
  --count_;
}

void ThreadManager::ServeRequests() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // Thread messages are only wake-ups (or forged: any process may post them); the requests
    // themselves come from the queue below. Window messages are for the windows COM keeps here.
    if (message.hwnd != nullptr) DispatchMessageW(&message);
  }
  for (const std::string& line : TakeWindowRequests()) AddThread(line);
}

int ThreadManager::Run() {
  // Make sure this thread has a message queue before any window posts to it, and serve what was
  // queued before it had one.
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  const int result = static_cast<int>(count_);
  if (count_ > 0) ServeRequests();
  while (count_ > 0) {
    const DWORD r = MsgWaitForMultipleObjects(count_, threads_.data(), FALSE, INFINITE, QS_ALLINPUT);
    if (r < WAIT_OBJECT_0 + count_) {
      RemoveThread(r - WAIT_OBJECT_0);
    } else if (r == WAIT_OBJECT_0 + count_) {
      ServeRequests();
    } else {
      // The wait itself failed: trying again would only fail again, at full speed.
      return kWaitFailedResult;
    }
  }
  return result;
}

}  // namespace tarnwick
