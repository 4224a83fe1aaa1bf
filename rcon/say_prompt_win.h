// SayPrompt: the modal "Say to all" dialog (template IDD_SAY_TO_ALL): one line of text, OK and
// Cancel. What the text becomes on the wire is SayCommand's business (admin_actions.h).
// It runs modally on the thread of the window that opens it.
#ifndef TARNWICK_RCON_SAY_PROMPT_WIN_H
#define TARNWICK_RCON_SAY_PROMPT_WIN_H

#include <string>

#include "common/window_base_win.h"

namespace tarnwick {

class SayPrompt : public DialogBase {
 public:
  // True for OK; Text() then holds what was typed (UTF-8).
  bool Run(HINSTANCE instance, HWND owner);
  const std::string& Text() const { return text_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string text_;
};

}  // namespace tarnwick

#endif
