#include "shell/player_list_win.h"

#include <unordered_map>

#include "controls/list_view_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "resources/resource.h"
#include "shell/player_sort.h"

namespace tarnwick {
namespace {

struct ColumnSpec {
  const char* title;
  int format;
};
constexpr ColumnSpec kColumns[kPlayerColumns] = {
    {"#", LVCFMT_RIGHT}, {"Name", LVCFMT_LEFT}, {"Frags", LVCFMT_RIGHT}, {"Time", LVCFMT_RIGHT}};

constexpr COLORREF kSortMarkKey = RGB(255, 0, 255);
constexpr int kSortMarks = 2;

LPARAM ItemParam(HWND list, int item) {
  LVITEMA lv = {};
  lv.mask = LVIF_PARAM;
  lv.iItem = item;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lv));
  return lv.lParam;
}

// What the sort callback compares: the sorted column's text of every row, by item data. The list
// must not be asked for anything while it sorts, so the texts are read before.
struct SortContext {
  int32_t sortOrder;
  std::unordered_map<LPARAM, std::string> texts;
};

int CALLBACK ComparePlayers(LPARAM first, LPARAM second, LPARAM context) {
  const auto* sort = reinterpret_cast<const SortContext*>(context);
  const auto a = sort->texts.find(first);
  const auto b = sort->texts.find(second);
  static const std::string empty;
  return ComparePlayerTexts(sort->sortOrder, a != sort->texts.end() ? a->second : empty,
                            b != sort->texts.end() ? b->second : empty, &CompareInUserLocale);
}

}  // namespace

bool PlayerList::Create(HWND parent, HINSTANCE instance, const Settings& settings) {
  window_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PLAYER_LIST)),
                            instance, nullptr);
  if (window_ == nullptr) return false;
  instance_ = instance;
  dpi_ = WindowDpi(parent);
  SendMessageA(window_, CCM_SETVERSION, 5, 0);
  SendMessageA(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_LABELTIP);
  HWND header = reinterpret_cast<HWND>(SendMessageA(window_, LVM_GETHEADER, 0, 0));
  if (header != nullptr) {
    SetWindowLongPtrA(header, GWL_STYLE,
                      GetWindowLongPtrA(header, GWL_STYLE) | HDS_HOTTRACK | HDS_FULLDRAG);
    SetDpi(WindowDpi(parent));
  }

  const int sorted = SortColumn(settings.sortOrder);
  for (int i = 0; i < kPlayerColumns; ++i) {
    std::wstring title = Widen(kColumns[i].title);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = kColumns[i].format;
    // Stored widths are pixels at 96 DPI, so they keep their meaning on any screen.
    column.cx = ScaleForDpi(settings.listWidths[i], dpi_);
    column.pszText = title.data();
    column.iSubItem = i;
    if (i == sorted) {
      column.mask |= LVCF_IMAGE;
      column.fmt |= LVCFMT_IMAGE;
      if (kColumns[i].format != LVCFMT_RIGHT) column.fmt |= LVCFMT_BITMAP_ON_RIGHT;
      column.iImage = SortDescending(settings.sortOrder) ? 1 : 0;
    }
    SendMessageW(window_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  int order[kPlayerColumns];
  for (int i = 0; i < kPlayerColumns; ++i) order[i] = settings.listOrders[i];
  SendMessageA(window_, LVM_SETCOLUMNORDERARRAY, kPlayerColumns, reinterpret_cast<LPARAM>(order));
  return true;
}

void PlayerList::SetDpi(UINT dpi) {
  if (dpi_ != dpi) {
    for (int i = 0; i < kPlayerColumns; ++i) {
      const int width = static_cast<int>(SendMessageA(window_, LVM_GETCOLUMNWIDTH, i, 0));
      if (width <= 0) continue;
      SendMessageA(window_, LVM_SETCOLUMNWIDTH, i,
                   MAKELPARAM(MulDiv(width, static_cast<int>(dpi), static_cast<int>(dpi_)), 0));
    }
    dpi_ = dpi;
  }
  HWND header = reinterpret_cast<HWND>(SendMessageA(window_, LVM_GETHEADER, 0, 0));
  if (header == nullptr) return;
  UniqueImageList marks(
      LoadImageStripForDpi(instance_, IDB_SORT_MARKS, kSortMarks, kSortMarkKey, dpi));
  if (!marks) return;
  SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(marks.Get()));
  // The header's own margin around a mark (three edges each side) leaves the narrow "#" column no
  // room for its title beside the mark.
  SendMessageA(header, HDM_SETBITMAPMARGIN, static_cast<WPARAM>(ScaleForDpi(2, dpi)), 0);
  // The old list goes only once the header no longer draws from it.
  sortMarks_ = std::move(marks);
}

void PlayerList::Clear() { SendMessageA(window_, LVM_DELETEALLITEMS, 0, 0); }

void PlayerList::Show(const std::vector<PlayerRow>& rows, int32_t sortOrder) {
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  Clear();
  for (size_t i = 0; i < rows.size(); ++i) {
    const PlayerRow& row = rows[i];
    const int at =
        InsertListItem(window_, static_cast<int>(i), row.index, static_cast<LPARAM>(i + 1));
    if (at < 0) continue;
    // Names as the players wrote them: UTF-8 from today's servers, a code page from old ones.
    const std::string texts[] = {ServerText(row.name), row.frags, row.time};
    for (int column = 1; column < row.columns && column < kPlayerColumns; ++column) {
      SetListItemText(window_, at, column, texts[column - 1]);
    }
  }
  Sort(sortOrder);
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_, nullptr, TRUE);
}

void PlayerList::SetSortMark(int column, bool on, bool descending) {
  LVCOLUMNA spec = {};
  spec.mask = LVCF_FMT;
  SendMessageA(window_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&spec));
  if (on) {
    spec.mask |= LVCF_IMAGE;
    spec.fmt |= LVCFMT_IMAGE;
    if ((spec.fmt & LVCFMT_JUSTIFYMASK) != LVCFMT_RIGHT) spec.fmt |= LVCFMT_BITMAP_ON_RIGHT;
    spec.iImage = descending ? 1 : 0;
  } else {
    spec.fmt &= ~(LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT);
  }
  SendMessageA(window_, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&spec));
}

void PlayerList::OnColumnClick(int column, int32_t& sortOrder) {
  if (column < 0 || column >= kPlayerColumns) return;
  const int32_t next = SortOrderAfterClick(sortOrder, column);
  if (SortColumn(next) != SortColumn(sortOrder) || SortDescending(sortOrder)) {
    SetSortMark(SortColumn(sortOrder), false, false);
  }
  sortOrder = next;
  SetSortMark(SortColumn(sortOrder), true, SortDescending(sortOrder));
  Sort(sortOrder);
}

void PlayerList::Sort(int32_t sortOrder) {
  SortContext context;
  context.sortOrder = sortOrder;
  const int column = SortColumn(sortOrder);
  const int count = RowCount();
  for (int i = 0; i < count; ++i) context.texts[ItemParam(window_, i)] = ListItemText(window_, i, column);
  SendMessageA(window_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
               reinterpret_cast<LPARAM>(&ComparePlayers));
}

int PlayerList::FindRow(LPARAM param) const {
  LVFINDINFOA find = {};
  find.flags = LVFI_PARAM;
  find.lParam = param;
  return static_cast<int>(SendMessageA(window_, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(&find)));
}

std::string PlayerList::CellText(LPARAM param, int column) const {
  const int row = FindRow(param);
  return row < 0 ? std::string() : ListItemText(window_, row, column);
}

int PlayerList::RowCount() const {
  return static_cast<int>(SendMessageA(window_, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::array<std::string, 4>> PlayerList::VisibleRows() const {
  std::vector<std::array<std::string, 4>> rows;
  const int count = RowCount();
  for (int i = 0; i < count; ++i) {
    std::array<std::string, 4> row;
    for (int column = 0; column < kPlayerColumns; ++column) row[column] = ListItemText(window_, i, column);
    rows.push_back(row);
  }
  return rows;
}

LRESULT PlayerList::OnCustomDraw(NMLVCUSTOMDRAW& draw, const HighlightLookup& lookup) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const int row = FindRow(draw.nmcd.lItemlParam);
      if (row < 0) return CDRF_DODEFAULT;
      COLORREF color = 0;
      HFONT font = nullptr;
      if (!lookup || !lookup(ListItemText(window_, row, 1), color, font)) return CDRF_DODEFAULT;
      draw.clrText = color;
      if (font != nullptr) SelectObject(draw.nmcd.hdc, font);
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

std::array<int32_t, 4> PlayerList::ColumnOrder() const {
  int order[kPlayerColumns] = {0, 1, 2, 3};
  SendMessageA(window_, LVM_GETCOLUMNORDERARRAY, kPlayerColumns, reinterpret_cast<LPARAM>(order));
  return {order[0], order[1], order[2], order[3]};
}

std::array<int32_t, 4> PlayerList::ColumnWidths() const {
  std::array<int32_t, 4> widths{};
  for (int i = 0; i < kPlayerColumns; ++i) {
    const int width = static_cast<int>(SendMessageA(window_, LVM_GETCOLUMNWIDTH, i, 0));
    widths[i] = MulDiv(width, static_cast<int>(kDesignDpi), static_cast<int>(dpi_));
  }
  return widths;
}

bool PlayerList::ReadFont(LOGFONTA& font) const {
  auto handle = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return GetObjectA(handle, sizeof(font), &font) == sizeof(font);
}

}  // namespace tarnwick
