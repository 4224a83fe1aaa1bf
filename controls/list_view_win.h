// Small helpers for report-style list views. Texts are UTF-8 and pass through the W messages.
#ifndef TARNWICK_CONTROLS_LIST_VIEW_WIN_H
#define TARNWICK_CONTROLS_LIST_VIEW_WIN_H

#include <string>
#include <string_view>

#include "common/win32.h"

namespace tarnwick {

// Inserts column `index` with its title, alignment (LVCFMT_LEFT, LVCFMT_RIGHT) and width (pixels
// at 96 DPI, shown at the list's DPI).
void AddListColumn(HWND list, int index, const char* title, int format, int width);

// Inserts a row at `item` with its first cell's UTF-8 text and item data; returns its place or -1.
int InsertListItem(HWND list, int item, std::string_view text, LPARAM param);
// Sets one cell's UTF-8 text.
void SetListItemText(HWND list, int item, int column, std::string_view text);

// The UTF-8 text of one cell; always read with room for 259 UTF-16 units and a terminator.
std::string ListItemText(HWND list, int item, int column);

}  // namespace tarnwick

#endif
