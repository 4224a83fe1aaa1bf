// ProcessHook: one replaceable function shared by the whole process, for the few services tests
// stand in for (message boxes, the notification area). Window threads read it while a test may
// set it, so it is guarded by a lock; callers get a copy and call that outside the lock.
#ifndef TARNWICK_COMMON_PROCESS_HOOK_H
#define TARNWICK_COMMON_PROCESS_HOOK_H

#include <mutex>

namespace tarnwick {

template <typename Function>
class ProcessHook {
 public:
  void Set(Function function) {
    std::lock_guard<std::mutex> guard(lock_);
    function_ = std::move(function);
  }
  // The hook as it is now; an empty function when none is set.
  Function Get() const {
    std::lock_guard<std::mutex> guard(lock_);
    return function_;
  }

 private:
  mutable std::mutex lock_;
  Function function_;
};

}  // namespace tarnwick

#endif
