// The rows of the Options sheet's "Servers" page (the recent servers, newest first) and how the
// buttons and dragging reorder them. Row indexes are those of the list box; -1 is "no row" and, as
// a target, "below the last row".
#ifndef TARNWICK_DIALOGS_SERVER_ROWS_H
#define TARNWICK_DIALOGS_SERVER_ROWS_H

#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// Move(from, to): when `from` names a row and differs from `to`, takes that row out and inserts
// it at `to` (at the end when `to` is -1, or past the end). Returns the row to select afterwards:
// `to`, or -1 (none) when it went to the end through -1. Nothing happens, and nothing is returned
// (the selection stays), when the rows are unchanged.
std::optional<int> MoveServerRow(std::vector<std::string>& rows, int from, int to);

// "&Up" and "&Down": the move they make for the selected row, if any.
struct RowMove {
  int from;
  int to;
};
std::optional<RowMove> UpMove(int selected);
std::optional<RowMove> DownMove(int selected, int count);

// "&Remove": deletes the row and returns the row to select: the one now at the same index, the new
// last row when the last was removed, or -1 when the list is empty. An index that names no row
// changes nothing and returns it unchanged.
int RemoveServerRow(std::vector<std::string>& rows, int index);

}  // namespace tarnwick

#endif
