// Small helpers for combo boxes: reading texts and completing typed text to a list item.
#ifndef TARNWICK_CONTROLS_COMBO_BOX_WIN_H
#define TARNWICK_CONTROLS_COMBO_BOX_WIN_H

#include <string>
#include <string_view>

#include "common/win32.h"

namespace tarnwick {

// The edit field's UTF-8 text, at most `limit` UTF-16 units.
std::string ComboEditText(HWND combo, size_t limit = 255);
std::string ComboItemText(HWND combo, int index);
// CB_ADDSTRING of a UTF-8 text.
void AddComboItem(HWND combo, std::string_view text);

// One step of completion while typing: reads the edit text, and when it is new and a list item
// begins with it (without regard to case), selects that item and the completed rest. `previous`
// holds the text of the previous change and is updated.
void CompleteTypedText(HWND combo, std::string& previous);

}  // namespace tarnwick

#endif
