// The main thread's thread manager with stand-in window threads: the 63-thread limit and the
// return when the last thread has ended. (Serving window requests, forged ones among them, is
// driven on the real program in process_win_test.cpp.)
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "common/unique_handle_win.h"
#include "shell/thread_manager_win.h"

namespace tarnwick {
namespace {

// The stand-in threads count themselves, wait for this event, then end.
HANDLE releaseThreads = nullptr;
std::atomic<int> started{0};

DWORD WINAPI StandInThread(void* parameter) {
  std::unique_ptr<char[]> commandLine(static_cast<char*>(parameter));
  ++started;
  WaitForSingleObject(releaseThreads, INFINITE);
  return 0;
}

TEST(ThreadManagerTest, StartsAtMost63WindowThreads) {
  UniqueKernelHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  releaseThreads = release.Get();
  EXPECT_EQ(ThreadManager(GetModuleHandleA(nullptr), &StandInThread).Run(), 0) << "none: at once";
  ThreadManager manager(GetModuleHandleA(nullptr), &StandInThread);
  for (int i = 0; i < 63; ++i) ASSERT_NE(manager.AddThread("window " + std::to_string(i)), 0u) << i;
  EXPECT_EQ(manager.AddThread("one too many"), 0u);
  EXPECT_EQ(manager.Count(), 63u);
  SetEvent(releaseThreads);
  EXPECT_EQ(manager.Run(), 63);
  EXPECT_EQ(manager.Count(), 0u);
  EXPECT_EQ(started.load(), 63);
}

}  // namespace
}  // namespace tarnwick
