#include "shell/window_requests_win.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace tarnwick {
namespace {

// No more than the windows the main thread could start: the rest would be dropped there anyway.
constexpr size_t kMaxQueuedRequests = MAXIMUM_WAIT_OBJECTS - 1;

std::atomic<DWORD> requestThread{0};

struct RequestQueue {
  std::mutex lock;
  std::deque<std::string> lines;
};

RequestQueue& Queue() {
  static RequestQueue queue;
  return queue;
}

}  // namespace

void SetRequestThreadId(DWORD threadId) { requestThread = threadId; }

DWORD RequestThreadId() { return requestThread; }

bool PostWindowRequest(const std::string& serverText) {
  const DWORD thread = requestThread;
  if (thread == 0) return false;
  {
    RequestQueue& queue = Queue();
    std::lock_guard<std::mutex> guard(queue.lock);
    if (queue.lines.size() >= kMaxQueuedRequests) return false;
    queue.lines.push_back("-new " + serverText);
  }
  // A wake-up that cannot be posted (the receiver's queue full, or not made yet) leaves the
  // request queued for the receiver's next wake-up.
  PostThreadMessageA(thread, kWindowRequestMessage, 0, 0);
  return true;
}

std::vector<std::string> TakeWindowRequests() {
  RequestQueue& queue = Queue();
  std::lock_guard<std::mutex> guard(queue.lock);
  std::vector<std::string> lines(std::make_move_iterator(queue.lines.begin()),
                                 std::make_move_iterator(queue.lines.end()));
  queue.lines.clear();
  return lines;
}

}  // namespace tarnwick
