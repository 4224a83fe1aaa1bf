// The Highlight page's edits of one rule's attributes word.
#include "highlight/highlight_edits.h"

#include <gtest/gtest.h>

#include "highlight/highlight_rules.h"

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
      {0x20000000u, 31, 0xF8000000u},
      {0xF9A00000u, 0, 0x01A00000u},
      {0x07FFFFFFu, 4, 0x27FFFFFFu},
      {0x00000000u, 33, 0x08000000u},
  };
  for (const Case& c : cases) EXPECT_EQ(WithRulePriority(c.before, c.priority), c.after);
  EXPECT_EQ(PriorityText(0xF8000000u), "31");
  EXPECT_EQ(PriorityText(NewHighlightRule().attributes), "4");
}

TEST(HighlightEdits, PressingAStyleButtonTwiceRestoresTheBit) {
  for (uint32_t bit : {kHighlightBold, kHighlightItalic, kHighlightUnderline}) {
    for (uint32_t start : {0x20000000u, 0x27FFFFFFu}) {
      const bool checked = (start & bit) != 0;
      const uint32_t once = AfterStyleButton(start, bit, checked);
      EXPECT_EQ((once & bit) != 0, !checked);
      EXPECT_EQ(once & ~bit, start & ~bit);
      EXPECT_EQ(AfterStyleButton(once, bit, !checked), start);
    }
  }
}

TEST(HighlightEdits, SelectionAfterRemoval) {
  EXPECT_EQ(SelectionAfterRemoval(1, 3), 1);
  EXPECT_EQ(SelectionAfterRemoval(3, 3), 2) << "the last item went: the new last one";
  EXPECT_EQ(SelectionAfterRemoval(0, 0), -1);
}

}  // namespace
}  // namespace tarnwick
