#include "common/list_view_win.h"

#include "common/window_dpi_win.h"

namespace tarnwick {

void AddListColumn(HWND list, int index, const char* title, int format, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = ScaleForDpi(width, WindowDpi(list));
  column.pszText = const_cast<char*>(title);
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

std::string ListItemText(HWND list, int item, int column) {
  // Some list controls copy a text that does not fit without its terminator: always give room.
  char buffer[260] = {};
  LVITEMA lv = {};
  lv.iSubItem = column;
  lv.pszText = buffer;
  lv.cchTextMax = sizeof(buffer);
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  buffer[sizeof(buffer) - 1] = '\0';
  return buffer;
}

}  // namespace tarnwick
