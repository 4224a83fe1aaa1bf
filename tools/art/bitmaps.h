// The bitmaps other than the tool bar:
//   the sort marks of the player list's column headers, two 8 x 7 triangles (up for ascending,
//   down for descending) on magenta, the colour the header's image list treats as transparent;
//   the About box banner, 250 x 88 in true colour.
#ifndef TARNWICK_TOOLS_ART_BITMAPS_H
#define TARNWICK_TOOLS_ART_BITMAPS_H

#include "tools/art/image.h"

namespace tarnwick::art {

constexpr int kSortMarkWidth = 8;
constexpr int kSortMarkHeight = 7;
constexpr int kBannerWidth = 250;
constexpr int kBannerHeight = 88;

Image SortMarks();
Image AboutBanner();

}  // namespace tarnwick::art

#endif
