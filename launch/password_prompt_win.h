// PasswordPrompt: the modal "Enter server password" dialog (template IDD_PASSWORD_PROMPT): a masked
// edit box, OK (default), Cancel and a size grip. It opens centred on its owner and can be widened
// but not made taller or smaller than it opens: the edit box grows with the width while OK,
// Cancel and the grip keep their distance from the right edge. OK with a password that holds a
// double quote or ends in a backslash is refused with a beep and the prompt stays open, the text
// as typed and selected.
// It runs modally on the thread of the window that opens it.
#ifndef TARNWICK_LAUNCH_PASSWORD_PROMPT_WIN_H
#define TARNWICK_LAUNCH_PASSWORD_PROMPT_WIN_H

#include <array>
#include <string>
#include <utility>

#include "common/window_base_win.h"

namespace tarnwick {

class PasswordPrompt : public DialogBase {
 public:
  // The edit box opens with `password`.
  explicit PasswordPrompt(std::string password) : password_(std::move(password)) {}

  // Runs the prompt modally over `owner` (none: centred on the screen). True for OK, and
  // Password() then holds the text entered, even an empty one; false for Cancel, closing the
  // prompt, or a prompt that could not be created.
  bool Run(HINSTANCE instance, HWND owner);
  const std::string& Password() const { return password_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // A control's place when the prompt opened, in client coordinates.
  struct Placed {
    int id;
    RECT rect;
  };

  void OnInitDialog();
  void OnOk();
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  void OnSize(int clientWidth);
  void CentreOnOwner();

  std::string password_;
  bool measured_ = false;
  SIZE openedSize_ = {};  // the window's size when it opened: the smallest it gets
  int openedClientWidth_ = 0;
  std::array<Placed, 4> controls_ = {};
};

}  // namespace tarnwick

#endif
