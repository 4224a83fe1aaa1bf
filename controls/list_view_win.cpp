#include "controls/list_view_win.h"

#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"

namespace tarnwick {

void AddListColumn(HWND list, int index, const char* title, int format, int width) {
  std::wstring text = Widen(title);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = ScaleForDpi(width, WindowDpi(list));
  column.pszText = text.data();
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&column));
}

int InsertListItem(HWND list, int item, std::string_view text, LPARAM param) {
  std::wstring wide = Widen(text);
  LVITEMW row = {};
  row.mask = LVIF_TEXT | LVIF_PARAM;
  row.iItem = item;
  row.pszText = wide.data();
  row.lParam = param;
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
}

void SetListItemText(HWND list, int item, int column, std::string_view text) {
  std::wstring wide = Widen(text);
  LVITEMW cell = {};
  cell.iSubItem = column;
  cell.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
}

std::string ListItemText(HWND list, int item, int column) {
  // Some list controls copy a text that does not fit without its terminator: always give room.
  wchar_t buffer[260] = {};
  LVITEMW lv = {};
  lv.iSubItem = column;
  lv.pszText = buffer;
  lv.cchTextMax = static_cast<int>(std::size(buffer));
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  buffer[std::size(buffer) - 1] = L'\0';
  return Narrow(buffer);
}

}  // namespace tarnwick
