// Small helpers for report-style list views.
#ifndef TARNWICK_COMMON_LIST_VIEW_WIN_H
#define TARNWICK_COMMON_LIST_VIEW_WIN_H

#include <string>

#include "common/win32.h"

namespace tarnwick {

// Inserts column `index` with its title, alignment (LVCFMT_LEFT, LVCFMT_RIGHT) and width (pixels
// at 96 DPI, shown at the list's DPI).
void AddListColumn(HWND list, int index, const char* title, int format, int width);

// The text of one cell; always read with room for 259 characters and a terminator.
std::string ListItemText(HWND list, int item, int column);

}  // namespace tarnwick

#endif
