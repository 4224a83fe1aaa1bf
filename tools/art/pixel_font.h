// Two hand-drawn bitmap fonts, seven pixels high, and text as a shape that can be painted at any
// whole-number magnification:
//   letters: 5 x 7 capitals, small letters (without descenders), digits and a little punctuation,
//            spaced by the width of each glyph's ink, one empty column between glyphs;
//   narrow digits: 4 x 7 digits at a fixed pitch, so that two of them fit side by side in a
//            16-pixel tray icon.
// Asking for a character a font lacks throws std::invalid_argument.
#ifndef TARNWICK_TOOLS_ART_PIXEL_FONT_H
#define TARNWICK_TOOLS_ART_PIXEL_FONT_H

#include <string_view>

#include "tools/art/shapes.h"

namespace tarnwick::art {

enum class FontFace { kLetters, kNarrowDigits };

constexpr int kFontHeight = 7;

// Width in font pixels of the text, without trailing space.
int TextWidth(FontFace face, std::string_view text);

// The text's ink with its top left corner at (x, y), each font pixel a square of `scale` pixels.
Shape TextShape(FontFace face, std::string_view text, double x, double y, int scale);

}  // namespace tarnwick::art

#endif
