#include "controls/combo_box_win.h"

#include <vector>

#include "common/type_ahead.h"
#include "common/wide_text_win.h"

namespace tarnwick {

std::string ComboEditText(HWND combo, size_t limit) {
  std::vector<wchar_t> buffer(limit + 1, L'\0');
  GetWindowTextW(combo, buffer.data(), static_cast<int>(buffer.size()));
  return Narrow(buffer.data());
}

std::string ComboItemText(HWND combo, int index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return Narrow(text);
}

void AddComboItem(HWND combo, std::string_view text) {
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void CompleteTypedText(HWND combo, std::string& previous) {
  const std::string text = ComboEditText(combo);
  if (!IsNewTypedText(text, previous)) return;
  const std::wstring wide = Widen(text);
  const int found = static_cast<int>(SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(wide.c_str())));
  const int selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (ShouldComplete(text, previous, found, selected)) {
    SendMessageW(combo, CB_SETCURSEL, found, 0);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(wide.size(), -1));
  }
  previous = text;
}

}  // namespace tarnwick
