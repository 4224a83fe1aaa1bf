// PlayerList: the main window's client area, a report list of the server's players with four
// columns ("#", "Name", "Frags", "Time"). It is the only store of the players: the players reply
// refills it. Rows are found by their item data (their place in the reply, from 1), never by
// their position, which sorting changes.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_SHELL_PLAYER_LIST_WIN_H
#define TARNWICK_SHELL_PLAYER_LIST_WIN_H

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "engine/reply_readers.h"
#include "settings/settings.h"

namespace tarnwick {

class PlayerList {
 public:
  // Given a player's name, the colour and font its row is drawn in; false: drawn normally.
  using HighlightLookup = std::function<bool(const std::string& name, COLORREF& color, HFONT& font)>;

  // Creates the list with the columns, widths, order and sort mark of `settings`.
  bool Create(HWND parent, HINSTANCE instance, const Settings& settings);
  HWND hwnd() const { return window_; }

  void Clear();
  // Column widths and sort marks for a window moved to a screen of `dpi`.
  void SetDpi(UINT dpi);
  // Replaces every row (row i gets item data i + 1), then sorts by `sortOrder`.
  void Show(const std::vector<PlayerRow>& rows, int32_t sortOrder);
  // A click on a column header: changes `sortOrder`, moves the mark and sorts.
  void OnColumnClick(int column, int32_t& sortOrder);
  void Sort(int32_t sortOrder);

  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw, const HighlightLookup& lookup);

  // The text of the row with item data `param` in `column`; empty when there is no such row.
  std::string CellText(LPARAM param, int column) const;
  int RowCount() const;
  // The rows as shown, top to bottom, one vector of four texts each (for tests and checks).
  std::vector<std::array<std::string, 4>> VisibleRows() const;

  std::array<int32_t, 4> ColumnOrder() const;
  // In pixels at 96 DPI, as stored.
  std::array<int32_t, 4> ColumnWidths() const;
  UINT Dpi() const { return dpi_; }
  // The list's font, for making the highlight fonts; false when it cannot be read.
  bool ReadFont(LOGFONTA& font) const;

 private:
  void SetSortMark(int column, bool on, bool descending);
  int FindRow(LPARAM param) const;

  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  UINT dpi_ = 96;
  UniqueImageList sortMarks_;
};

}  // namespace tarnwick

#endif
