#include "shell/player_sort.h"

#include "common/ansi_text.h"

namespace tarnwick {

int SortColumn(int32_t sortOrder) {
  const int64_t magnitude = sortOrder < 0 ? -static_cast<int64_t>(sortOrder) : sortOrder;
  if (magnitude < 1 || magnitude > kPlayerColumns) return 0;
  return static_cast<int>(magnitude - 1);
}

bool SortDescending(int32_t sortOrder) { return sortOrder < 0; }

int32_t SortOrderAfterClick(int32_t sortOrder, int column) {
  const int32_t clicked = column + 1;
  return sortOrder == clicked ? -sortOrder : clicked;
}

int ComparePlayerTexts(int32_t sortOrder, std::string_view first, std::string_view second,
                       TextOrder order) {
  const int column = SortColumn(sortOrder);
  int result = 0;
  if (column == 0 || column == 2) {
    const int64_t a = ParseDecimal(first);
    const int64_t b = ParseDecimal(second);
    result = a < b ? -1 : (a > b ? 1 : 0);
  } else {
    result = order(first, second);
    result = result < 0 ? -1 : (result > 0 ? 1 : 0);
  }
  return SortDescending(sortOrder) ? -result : result;
}

}  // namespace tarnwick
