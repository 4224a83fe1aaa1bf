// The "Servers" page's Move rule and Remove on the rows A, B, C, D (Up, Down, an upward drag and a
// drop below the rows are driven on the real page).
#include "dialogs/server_rows.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Rows = std::vector<std::string>;

TEST(ServerRows, MoveTakesTheRowOutThenInsertsItAtTheTarget) {
  struct Case {
    const char* what;
    int from;
    int to;
    Rows after;
    std::optional<int> selected;
  } cases[] = {
      {"A dragged onto C", 0, 2, {"B", "C", "A", "D"}, 2},
      {"Up on D", 3, 2, {"A", "B", "D", "C"}, 2},
      {"C dropped on itself", 2, 2, {"A", "B", "C", "D"}, std::nullopt},
      {"D dropped below the last row", 3, -1, {"A", "B", "C", "D"}, -1},
      {"no source row", -1, 1, {"A", "B", "C", "D"}, std::nullopt},
  };
  for (const Case& c : cases) {
    Rows rows = {"A", "B", "C", "D"};
    EXPECT_EQ(MoveServerRow(rows, c.from, c.to), c.selected) << c.what;
    EXPECT_EQ(rows, c.after) << c.what;
  }
}

TEST(ServerRows, RemoveSelectsTheRowNowAtTheSamePlace) {
  struct Case {
    Rows before;
    int index;
    Rows after;
    int selected;
  } cases[] = {
      {{"A", "B", "C", "D"}, 1, {"A", "C", "D"}, 1},
      {{"A", "B", "C", "D"}, 3, {"A", "B", "C"}, 2},
      {{"A"}, 0, {}, -1},
      {{"A", "B"}, -1, {"A", "B"}, -1},
  };
  for (Case& c : cases) {
    EXPECT_EQ(RemoveServerRow(c.before, c.index), c.selected);
    EXPECT_EQ(c.before, c.after);
  }
}

}  // namespace
}  // namespace tarnwick
