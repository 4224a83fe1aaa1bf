#include "highlight/highlight_edits.h"

#include "common/ansi_text.h"
#include "highlight/highlight_rules.h"

namespace tarnwick {

uint32_t WithRuleColour(uint32_t attributes, uint32_t colour) {
  return (attributes & ~kHighlightColourMask) | (colour & kHighlightColourMask);
}

uint32_t WithRulePriority(uint32_t attributes, uint32_t priority) {
  const uint32_t below = (1u << kHighlightPriorityShift) - 1;
  return (attributes & below) | ((priority & kHighlightMaxPriority) << kHighlightPriorityShift);
}

uint32_t AfterStyleButton(uint32_t attributes, uint32_t bit, bool wasChecked) {
  return wasChecked ? attributes & ~bit : attributes | bit;
}

std::string PriorityText(uint32_t attributes) {
  return Format("%d", static_cast<int>(RulePriority(attributes)));
}

int SelectionAfterRemoval(int removed, int count) {
  if (count <= 0) return -1;
  return removed < count ? removed : count - 1;
}

}  // namespace tarnwick
