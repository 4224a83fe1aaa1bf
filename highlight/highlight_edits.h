// The edits the Highlight page makes to one rule's attributes word, and which item it selects
// after a removal. The page keeps each rule's attributes as its list item's data.
#ifndef TARNWICK_HIGHLIGHT_HIGHLIGHT_EDITS_H
#define TARNWICK_HIGHLIGHT_HIGHLIGHT_EDITS_H

#include <cstdint>
#include <string>

namespace tarnwick {

// The attributes with their colour (bits 0-23) replaced; style and priority stay.
uint32_t WithRuleColour(uint32_t attributes, uint32_t colour);
// The attributes with their priority (bits 27-31) replaced; priorities above 31 are cut to 5 bits.
uint32_t WithRulePriority(uint32_t attributes, uint32_t priority);
// A style button press: the button's bit (kHighlightBold, ...) is set when the button was clear
// before the press and cleared when it was checked.
uint32_t AfterStyleButton(uint32_t attributes, uint32_t bit, bool wasChecked);
// The text of the list's "Priority" column.
std::string PriorityText(uint32_t attributes);

// The item to select after the item at `removed` was deleted from a list that now holds `count`
// items: the one now at the same position, or the new last one; -1 when the list is empty.
int SelectionAfterRemoval(int removed, int count);

}  // namespace tarnwick

#endif
