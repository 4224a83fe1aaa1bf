#include "dialogs/server_rows.h"

namespace tarnwick {
namespace {

bool NamesRow(const std::vector<std::string>& rows, int index) {
  return index >= 0 && static_cast<size_t>(index) < rows.size();
}

}  // namespace

std::optional<int> MoveServerRow(std::vector<std::string>& rows, int from, int to) {
  if (from == to || !NamesRow(rows, from)) return std::nullopt;
  std::string text = std::move(rows[static_cast<size_t>(from)]);
  rows.erase(rows.begin() + from);
  if (to < 0 || static_cast<size_t>(to) >= rows.size()) {
    rows.push_back(std::move(text));
    return to < 0 ? -1 : static_cast<int>(rows.size()) - 1;
  }
  rows.insert(rows.begin() + to, std::move(text));
  return to;
}

std::optional<RowMove> UpMove(int selected) {
  if (selected <= 0) return std::nullopt;
  return RowMove{selected, selected - 1};
}

std::optional<RowMove> DownMove(int selected, int count) {
  if (selected < 0 || selected >= count - 1) return std::nullopt;
  return RowMove{selected, selected + 1};
}

int RemoveServerRow(std::vector<std::string>& rows, int index) {
  if (!NamesRow(rows, index)) return index;
  rows.erase(rows.begin() + index);
  const int count = static_cast<int>(rows.size());
  if (count == 0) return -1;
  return index < count ? index : count - 1;
}

}  // namespace tarnwick
