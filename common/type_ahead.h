// Completion while typing in a combo box's edit field (the address box and the console's command
// box): the text is completed to the first list item that begins with it, with the completed rest
// selected so that typing on replaces it.
#ifndef TARNWICK_COMMON_TYPE_AHEAD_H
#define TARNWICK_COMMON_TYPE_AHEAD_H

#include <string_view>

namespace tarnwick {

// Whether to complete: a list item was found (`found` >= 0), it is not the selected item, and the
// text got longer than the text of the previous change (the user typed rather than deleted).
inline bool ShouldComplete(std::string_view text, std::string_view previous, int found,
                           int selected) {
  return found >= 0 && found != selected && text.size() > previous.size();
}

// Whether a change is worth looking at: not empty and not the text of the previous change.
inline bool IsNewTypedText(std::string_view text, std::string_view previous) {
  return !text.empty() && text != previous;
}

}  // namespace tarnwick

#endif
