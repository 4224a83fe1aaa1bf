// Moving the history between the settings and the console's command box.
#include "rcon/console_history_box_win.h"

namespace tarnwick {

void AddHistoryToBox(HWND commandBox, const std::vector<std::string>& history) {
  for (const std::string& command : history)
    SendMessageA(commandBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(command.c_str()));
}

std::vector<std::string> HistoryFromBox(HWND commandBox) {
  std::vector<std::string> history;
  const LRESULT count = SendMessageA(commandBox, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(commandBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == CB_ERR) continue;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(commandBox, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    history.push_back(std::move(text));
  }
  return history;
}

}  // namespace tarnwick
