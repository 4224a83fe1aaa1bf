// The Highlight page's edits of one rule's attributes word (the style buttons and the selection
// after Remove are driven on the real page).
#include "highlight/highlight_edits.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(HighlightEdits, ColourKeepsStyleAndPriority) {
  EXPECT_EQ(WithRuleColour(0xF9A00000u, 0x0000FF), 0xF90000FFu);
  EXPECT_EQ(WithRuleColour(0x20000000u, 0xFF123456u), 0x20123456u) << "only 24 bits of colour";
}

TEST(HighlightEdits, PriorityKeepsColourAndStyle) {
  struct Case {
    uint32_t before;
    uint32_t priority;
    uint32_t after;
  } cases[] = {
      {0x20000000u, 31, 0xF8000000u}, {0xF9A00000u, 0, 0x01A00000u},
      {0x07FFFFFFu, 4, 0x27FFFFFFu},  {0x00000000u, 33, 0x08000000u},  // kept to 5 bits
  };
  for (const Case& c : cases) EXPECT_EQ(WithRulePriority(c.before, c.priority), c.after);
}

}  // namespace
}  // namespace tarnwick
