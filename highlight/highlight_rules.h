// Highlight rules: a wildcard mask with a colour, a style and a priority, packed in one 32-bit
// attributes word. A window keeps its own list; the player list draws a name with the first rule
// in list order whose mask matches it. The list is stored under the settings key as the subkey
// "Highlight": one REG_DWORD value per rule, named by the mask, holding the attributes, written in
// list order.
//
// A rule may also notify: the tray shows a balloon when a matching player joins or leaves. The
// flag lives in a sibling subkey, "Highlight Notify", one REG_DWORD 1 per notifying mask. Builds
// before the flag read "Highlight" up to its first value that is not a 4-byte REG_DWORD, and every
// bit of the attributes word is taken, so the flag can go neither into that key nor into the
// word; those builds never open the sibling, and "Highlight" keeps exactly the bytes it had.
#ifndef TARNWICK_HIGHLIGHT_HIGHLIGHT_RULES_H
#define TARNWICK_HIGHLIGHT_HIGHLIGHT_RULES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8_text.h"
#include "settings/key_store.h"

namespace tarnwick {

// Layout of the attributes word.
inline constexpr uint32_t kHighlightColourMask = 0x00FFFFFF;  // a COLORREF: red, green, blue
inline constexpr uint32_t kHighlightBold = 1u << 24;
inline constexpr uint32_t kHighlightItalic = 1u << 25;
inline constexpr uint32_t kHighlightUnderline = 1u << 26;
inline constexpr int kHighlightStyleShift = 24;               // bits 24-26: the style index 0-7
inline constexpr uint32_t kHighlightStyleMask = 7u << kHighlightStyleShift;
inline constexpr int kHighlightPriorityShift = 27;            // bits 27-31: priority 0-31
inline constexpr uint32_t kHighlightMaxPriority = 31;

inline constexpr char kHighlightKeyName[] = "Highlight";
inline constexpr char kHighlightNotifyKeyName[] = "Highlight Notify";

struct HighlightRule {
  uint32_t attributes = 0;
  std::string mask;
  bool notify = false;  // a matching player's join or leave shows a tray balloon

  bool operator==(const HighlightRule&) const = default;
};

inline uint32_t RuleColour(uint32_t attributes) { return attributes & kHighlightColourMask; }
// 0-7: bit 0 bold, bit 1 italic, bit 2 underline; selects one of the eight highlight fonts.
inline int RuleStyleIndex(uint32_t attributes) {
  return static_cast<int>((attributes & kHighlightStyleMask) >> kHighlightStyleShift);
}
inline uint32_t RulePriority(uint32_t attributes) { return attributes >> kHighlightPriorityShift; }
// Packs the parts; out-of-range parts are cut to their bits.
uint32_t MakeHighlightAttributes(uint32_t colour, int styleIndex, uint32_t priority);

// The two rules used when the settings have no "Highlight" subkey: "[Kx4t].*" dark blue, bold,
// priority 31, then "*[*]*" purple, priority 0.
std::vector<HighlightRule> DefaultHighlightRules();

// The rule the Highlight page adds: "<<Mask>>", black, no style, priority 4.
HighlightRule NewHighlightRule();

// Reads the "Highlight" subkey of the open settings key, in the order the store enumerates. No
// subkey (or `settingsKey` null: no settings key at all) gives the defaults; a subkey without
// values gives an empty list. Reading stops at the first value that is not a REG_DWORD, whose
// name has 260 characters or more, or whose data is longer than 4 bytes. A rule notifies when
// "Highlight Notify" holds a non-zero REG_DWORD named by its mask (names compare without regard
// to case, as in "Highlight"); an entry whose mask has no rule is ignored. An earlier build that
// deletes a rule leaves its entry behind: should that build add the mask again, it notifies here.
std::vector<HighlightRule> LoadHighlightRules(Key* settingsKey);

// Deletes the "Highlight" subkey and writes it again from `rules` in list order (a later mask
// equal to an earlier one without regard to case overwrites its data); then does the same with
// "Highlight Notify", which is left out when no rule notifies. Returns the status of the first
// subkey that could not be created, or success.
KeyStatus SaveHighlightRules(Key& settingsKey, const std::vector<HighlightRule>& rules);

// Orders the list by priority, largest first; rules of equal priority keep their order.
void SortByPriority(std::vector<HighlightRule>& rules);

// The first rule in list order whose mask matches `name`, or null; `fold` as MatchMask's.
const HighlightRule* FindHighlightRule(const std::vector<HighlightRule>& rules,
                                       std::string_view name, TextFolder fold = &FoldText);

}  // namespace tarnwick

#endif
