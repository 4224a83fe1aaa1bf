// The icons of the program, each drawn on a transparent square:
//   the program icon, a radar screen whose sweep has just found a server (16 or 32 pixels, in the
//   16 standard colours or in true colour with soft edges);
//   the connection state marks of the status bar;
//   the two tray sets: a square of diagonal stripes that fills with red from the bottom as the
//   server fills, and player counts on a white disc;
//   the empty picture shown in the dark phase of a tray flash.
#ifndef TARNWICK_TOOLS_ART_ICONS_H
#define TARNWICK_TOOLS_ART_ICONS_H

#include "tools/art/image.h"
#include "tools/art/shapes.h"

namespace tarnwick::art {

constexpr int kIconSize = 16;

// `size` is 16 or more (the icon is drawn at 16 and 32, the About banner shows it larger). A crisp
// edge keeps to the 16 standard colours; a smooth one blends.
Image ProgramIcon(int size, Edge edge);

enum class StateMark { kCheck, kCross, kStar };
Image StateIcon(StateMark mark);

// Stripes with the bottom `fifths` fifths red (0 to 5). An `occupied` server shows at least one
// red row, so that fill level 0 (fewer players than a fifth) differs from an empty server.
Image StripesIcon(int fifths, bool occupied);

// The number 0 to 99 on a white disc: one digit in the letter font, two in the narrow digits.
Image NumberIcon(int number);
Image QuestionIcon();
Image BlankIcon();

// Gives every transparent pixel beside an opaque one (sideways or diagonally, as `diagonal` says)
// the outline colour: a sticker edge that keeps a small picture readable on any background.
void AddOutline(Image& image, Rgba colour, bool diagonal);

}  // namespace tarnwick::art

#endif
