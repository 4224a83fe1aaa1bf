// MessageLoop: one window thread's message loop. Windows of the thread add a message filter (which
// may consume a message before it is dispatched: accelerators, dialog keyboard handling) and an
// idle handler (which runs when the queue has emptied). Each thread has at most one loop.
#ifndef TARNWICK_COMMON_MESSAGE_LOOP_WIN_H
#define TARNWICK_COMMON_MESSAGE_LOOP_WIN_H

#include <functional>
#include <vector>

#include "common/win32.h"

namespace tarnwick {

class MessageLoop {
 public:
  using Filter = std::function<bool(MSG&)>;  // true: the message was handled, do not dispatch
  using IdleHandler = std::function<void()>;

  MessageLoop();
  ~MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // The loop of the calling thread, or null when it has none.
  static MessageLoop* Current();

  // Returns an id for RemoveFilter / RemoveIdleHandler.
  int AddFilter(Filter filter);
  void RemoveFilter(int id);
  int AddIdleHandler(IdleHandler handler);
  void RemoveIdleHandler(int id);

  // Runs until WM_QUIT and returns its exit code; -1 when waiting for messages fails.
  int Run();

  // Gives one message to the filters; true when one of them handled it.
  bool PreTranslate(MSG& message);
  void RunIdleHandlers();

  // Whether a message leaves the queue in a state worth an idle pass (not paint or mouse moves).
  static bool IsIdleWorthy(const MSG& message);

 private:
  struct Entry {
    int id;
    Filter filter;
  };
  struct IdleEntry {
    int id;
    IdleHandler handler;
  };
  std::vector<Entry> filters_;
  std::vector<IdleEntry> idleHandlers_;
  int nextId_ = 1;
  MessageLoop* previous_;
};

}  // namespace tarnwick

#endif
