// Every message box of the program goes through ShowMessageBox, so that tests can answer boxes
// instead of leaving a modal loop waiting for a user. Without a responder it is MessageBoxW.
#ifndef TARNWICK_COMMON_MESSAGE_BOX_WIN_H
#define TARNWICK_COMMON_MESSAGE_BOX_WIN_H

#include <functional>
#include <string>

#include "common/win32.h"

namespace tarnwick {

struct MessageBoxRequest {
  HWND owner;
  std::string text;
  std::string title;
  UINT type;
};

// Returns the button the box would have returned (IDOK, IDYES, ...). A responder may also show a
// real box by calling MessageBoxW itself.
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT type);

// Installs a process-wide responder (tests only); an empty function restores real boxes.
void SetMessageBoxResponder(MessageBoxResponder responder);

}  // namespace tarnwick

#endif
