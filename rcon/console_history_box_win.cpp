// Moving the history between the settings and the console's command box.
#include "rcon/console_history_box_win.h"

#include "controls/combo_box_win.h"

namespace tarnwick {

void AddHistoryToBox(HWND commandBox, const std::vector<std::string>& history) {
  for (const std::string& command : history) AddComboItem(commandBox, command);
}

std::vector<std::string> HistoryFromBox(HWND commandBox) {
  std::vector<std::string> history;
  const LRESULT count = SendMessageW(commandBox, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(commandBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) == CB_ERR) continue;
    history.push_back(ComboItemText(commandBox, static_cast<int>(i)));
  }
  return history;
}

}  // namespace tarnwick
