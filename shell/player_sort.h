// The player list's sort: the sort state S (|S| = column + 1, negative = descending), what a click
// on a column header does to it, and the comparison of two rows' texts.
#ifndef TARNWICK_SHELL_PLAYER_SORT_H
#define TARNWICK_SHELL_PLAYER_SORT_H

#include <cstdint>
#include <string_view>

#include "common/utf8_text.h"

namespace tarnwick {

inline constexpr int kPlayerColumns = 4;  // "#", "Name", "Frags", "Time"

// The column the state sorts by, 0 to 3; a stored state out of range reads as column 0.
int SortColumn(int32_t sortOrder);
bool SortDescending(int32_t sortOrder);

// A click on column `column`: the same column flips the direction, another one sorts it ascending.
int32_t SortOrderAfterClick(int32_t sortOrder, int column);

// A three-way order of two UTF-8 texts without regard to case. Windows gives the user's locale
// order (so "|", "~", "{" and accented letters sort where the user expects them); the portable
// one compares folded code points.
using TextOrder = int (*)(std::string_view first, std::string_view second);

// Compares two rows' texts of the sorted column: "#" and "Frags" as decimal numbers, "Name" and
// "Time" in `order`; negated when descending.
int ComparePlayerTexts(int32_t sortOrder, std::string_view first, std::string_view second,
                       TextOrder order = &CompareUtf8NoCase);

}  // namespace tarnwick

#endif
