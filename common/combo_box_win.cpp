#include "common/combo_box_win.h"

#include <vector>

#include "common/type_ahead.h"

namespace tarnwick {

std::string ComboEditText(HWND combo, size_t limit) {
  std::vector<char> buffer(limit + 1, '\0');
  GetWindowTextA(combo, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

std::string ComboItemText(HWND combo, int index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void CompleteTypedText(HWND combo, std::string& previous) {
  const std::string text = ComboEditText(combo);
  if (!IsNewTypedText(text, previous)) return;
  const int found = static_cast<int>(
      SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
  const int selected = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
  if (ShouldComplete(text, previous, found, selected)) {
    SendMessageA(combo, CB_SETCURSEL, found, 0);
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(text.size(), -1));
  }
  previous = text;
}

}  // namespace tarnwick
