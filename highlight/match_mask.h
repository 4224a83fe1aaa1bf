// MatchMask: the wildcard matcher of the highlight rules. Only '*' and '?' are special; every
// other character ('[', ']' and '.' included) stands for itself. Both texts are UTF-8 and are
// compared by code point: '?' stands for one code point, and letter case is ignored (by the
// platform's fold, or the portable one of utf8_text.h, so Cyrillic and Greek masks match as Latin
// ones do). The match is anchored
// at both ends. The matcher compares before it
// interprets, so a '*' in the mask facing a '*' in the name is taken literally; a run of '*' and
// '?' after a mismatch stands for any text ('?' in such a run for nothing), and '?' characters
// left over when the name ends match nothing.
#ifndef TARNWICK_HIGHLIGHT_MATCH_MASK_H
#define TARNWICK_HIGHLIGHT_MATCH_MASK_H

#include <string_view>

#include "common/utf8_text.h"

namespace tarnwick {

// True when `mask` matches the whole of `name`. The names come from servers: time and memory grow
// at most with the product of the two lengths, whatever the wildcards.
// `fold` gives the lower-case code points (the platform's fold where it has one).
bool MatchMask(std::string_view name, std::string_view mask, TextFolder fold = &FoldText);

}  // namespace tarnwick

#endif
