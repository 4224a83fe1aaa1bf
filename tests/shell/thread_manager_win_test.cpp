// The main thread's thread manager with stand-in window threads: the 63-thread limit, window
// requests served while it waits (forged ones ignored), and the return when the last thread has
// ended.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "shell/thread_manager_win.h"
#include "shell/window_requests_win.h"

namespace tarnwick {
namespace {

// The stand-in threads wait for this event, then end; they record the command lines they got.
HANDLE releaseThreads = nullptr;
std::atomic<int> started{0};
std::mutex linesLock;
std::vector<std::string> recorded;

DWORD WINAPI StandInThread(void* parameter) {
  std::unique_ptr<char[]> commandLine(static_cast<char*>(parameter));
  {
    const std::lock_guard<std::mutex> guard(linesLock);
    recorded.push_back(commandLine.get());
  }
  ++started;
  WaitForSingleObject(releaseThreads, INFINITE);
  return 0;
}

class ThreadManagerTest : public ::testing::Test {
 protected:
  ThreadManagerTest() {
    recorded.clear();
    started = 0;
    releaseThreads = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  ~ThreadManagerTest() override {
    SetEvent(releaseThreads);
    CloseHandle(releaseThreads);
  }
};

TEST_F(ThreadManagerTest, StartsAtMost63WindowThreads) {
  EXPECT_EQ(ThreadManager(GetModuleHandleA(nullptr), &StandInThread).Run(), 0) << "none: at once";
  ThreadManager manager(GetModuleHandleA(nullptr), &StandInThread);
  for (int i = 0; i < 63; ++i) ASSERT_NE(manager.AddThread("window " + std::to_string(i)), 0u) << i;
  EXPECT_EQ(manager.AddThread("one too many"), 0u);
  EXPECT_EQ(manager.Count(), 63u);
  SetEvent(releaseThreads);
  EXPECT_EQ(manager.Run(), 63);
  EXPECT_EQ(manager.Count(), 0u);
  EXPECT_EQ(recorded.size(), 63u);
}

// Posts window requests to the manager's thread from another thread, then lets every thread end.
DWORD WINAPI RequestingThread(void* parameter) {
  const auto managerThread = static_cast<DWORD>(reinterpret_cast<uintptr_t>(parameter));
  while (started.load() < 1) Sleep(1);
  SetRequestThreadId(managerThread);
  PostWindowRequest("alpha:27015");
  // Forged: a request message whose parameters point nowhere.
  PostThreadMessageA(managerThread, kWindowRequestMessage, 0, static_cast<LPARAM>(0x4B1D));
  PostThreadMessageA(managerThread, kWindowRequestMessage, 1, -1);
  while (started.load() < 2) Sleep(1);
  SetRequestThreadId(0);
  SetEvent(releaseThreads);
  return 0;
}

TEST_F(ThreadManagerTest, ServesWindowRequestsWhileItWaits) {
  ThreadManager manager(GetModuleHandleA(nullptr), &StandInThread);
  manager.AddThread("first");
  UniqueKernelHandle requester(CreateThread(
      nullptr, 0, &RequestingThread, reinterpret_cast<void*>(static_cast<uintptr_t>(GetCurrentThreadId())),
      0, nullptr));
  EXPECT_EQ(manager.Run(), 1) << "the result is the count the loop started with";
  WaitForSingleObject(requester.Get(), 5000);
  EXPECT_EQ(recorded, (std::vector<std::string>{"first", "-new alpha:27015"}));
}

}  // namespace
}  // namespace tarnwick
