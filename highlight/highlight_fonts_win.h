// HighlightFonts: the eight fonts the player list and the Highlight page draw rules with, one per
// style index 0-7 (bit 0 bold: weight 700, else 400; bit 1 italic; bit 2 underlined), every other
// property taken from a base font description. The object owns the fonts.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_HIGHLIGHT_HIGHLIGHT_FONTS_WIN_H
#define TARNWICK_HIGHLIGHT_HIGHLIGHT_FONTS_WIN_H

#include <array>

#include "common/unique_handle_win.h"
#include "common/win32.h"

namespace tarnwick {

inline constexpr int kHighlightFontCount = 8;

class HighlightFonts {
 public:
  // Replaces the fonts by eight made from `base`; false when one of them could not be made (the
  // others are kept).
  bool Create(const LOGFONTA& base);
  // Made from the font the window uses (WM_GETFONT); when that cannot be read, from an all-zero
  // description, so only weight, italic and underline are set.
  bool CreateFromWindowFont(HWND window);

  // The font of a style index; null before Create or for an index outside 0-7.
  HFONT Get(int styleIndex) const;

 private:
  std::array<UniqueFont, kHighlightFontCount> fonts_;
};

}  // namespace tarnwick

#endif
