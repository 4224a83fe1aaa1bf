#include "common/message_box_win.h"

#include <mutex>

namespace tarnwick {
namespace {

// Boxes may be shown from any window thread; the responder is shared by the process.
std::mutex& ResponderLock() {
  static std::mutex lock;
  return lock;
}
MessageBoxResponder& Responder() {
  static MessageBoxResponder responder;
  return responder;
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type) {
  MessageBoxResponder responder;
  {
    std::lock_guard<std::mutex> guard(ResponderLock());
    responder = Responder();
  }
  if (responder) return responder(MessageBoxRequest{owner, text, title, type});
  // An empty title asks for the system's default caption.
  return MessageBoxA(owner, text.c_str(), title.empty() ? nullptr : title.c_str(), type);
}

void SetMessageBoxResponder(MessageBoxResponder responder) {
  std::lock_guard<std::mutex> guard(ResponderLock());
  Responder() = std::move(responder);
}

}  // namespace tarnwick
