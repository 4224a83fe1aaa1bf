// The command history as the remote console shows it: the items of its command box (a combo box
// that keeps its list sorted). Loading adds every stored command without a duplicate check.
#ifndef TARNWICK_RCON_CONSOLE_HISTORY_BOX_WIN_H
#define TARNWICK_RCON_CONSOLE_HISTORY_BOX_WIN_H

#include <string>
#include <vector>

#include "common/win32.h"

namespace tarnwick {

// Adds each command to the box's list (CB_ADDSTRING).
void AddHistoryToBox(HWND commandBox, const std::vector<std::string>& history);

// The box's list items in list order.
std::vector<std::string> HistoryFromBox(HWND commandBox);

}  // namespace tarnwick

#endif
