#include "common/message_box_win.h"

#include "common/process_hook.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

// Boxes may be shown from any window thread; the responder is shared by the process.
ProcessHook<MessageBoxResponder>& Responder() {
  static ProcessHook<MessageBoxResponder> responder;
  return responder;
}

}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type) {
  const MessageBoxResponder responder = Responder().Get();
  if (responder) return responder(MessageBoxRequest{owner, text, title, type});
  // An empty title asks for the system's default caption.
  const std::wstring wideTitle = Widen(title);
  return MessageBoxW(owner, Widen(text).c_str(), title.empty() ? nullptr : wideTitle.c_str(), type);
}

void SetMessageBoxResponder(MessageBoxResponder responder) { Responder().Set(std::move(responder)); }

}  // namespace tarnwick
