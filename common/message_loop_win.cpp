#include "common/message_loop_win.h"

namespace tarnwick {
namespace {

thread_local MessageLoop* currentLoop = nullptr;

// WM_SYSTIMER: the caret's blink timer, which would otherwise run the idle handlers constantly.
constexpr UINT kSystemTimerMessage = 0x0118;

}  // namespace

MessageLoop::MessageLoop() : previous_(currentLoop) { currentLoop = this; }

MessageLoop::~MessageLoop() { currentLoop = previous_; }

MessageLoop* MessageLoop::Current() { return currentLoop; }

int MessageLoop::AddFilter(Filter filter) {
  filters_.push_back({nextId_, std::move(filter)});
  return nextId_++;
}

void MessageLoop::RemoveFilter(int id) {
  std::erase_if(filters_, [id](const Entry& entry) { return entry.id == id; });
}

int MessageLoop::AddIdleHandler(IdleHandler handler) {
  idleHandlers_.push_back({nextId_, std::move(handler)});
  return nextId_++;
}

void MessageLoop::RemoveIdleHandler(int id) {
  std::erase_if(idleHandlers_, [id](const IdleEntry& entry) { return entry.id == id; });
}

bool MessageLoop::PreTranslate(MSG& message) {
  // A filter may remove itself (its window closing) while running: walk a copy.
  const std::vector<Entry> filters = filters_;
  for (const Entry& entry : filters) {
    if (entry.filter(message)) return true;
  }
  return false;
}

void MessageLoop::RunIdleHandlers() {
  const std::vector<IdleEntry> handlers = idleHandlers_;
  for (const IdleEntry& entry : handlers) entry.handler();
}

bool MessageLoop::IsIdleWorthy(const MSG& message) {
  switch (message.message) {
    case WM_PAINT:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case kSystemTimerMessage:
      return false;
    default:
      return true;
  }
}

int MessageLoop::Run() {
  MSG message;
  bool idlePending = true;
  for (;;) {
    while (idlePending && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      RunIdleHandlers();
      idlePending = false;
    }
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) break;
    // A failed wait for messages would fail again at once: end instead of spinning.
    if (got == -1) return -1;
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (IsIdleWorthy(message)) idlePending = true;
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarnwick
