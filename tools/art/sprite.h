// Pictures drawn as rows of characters, one character a pixel: the form of the small tool bar
// glyphs, where every pixel is placed by hand.
#ifndef TARNWICK_TOOLS_ART_SPRITE_H
#define TARNWICK_TOOLS_ART_SPRITE_H

#include <initializer_list>
#include <span>

#include "tools/art/image.h"

namespace tarnwick::art {

// A character of a sprite and the colour it stands for.
struct Ink {
  char key;
  Rgba colour;
};

// Paints the rows with their top left corner at (x, y). '.' leaves a pixel as it is; any other
// character must have an ink, and rows must be of one width (std::invalid_argument otherwise).
void DrawSprite(Image& image, int x, int y, std::initializer_list<const char*> rows,
                std::span<const Ink> inks);

}  // namespace tarnwick::art

#endif
