#include "tools/art/bitmaps.h"

#include "tools/art/icons.h"
#include "tools/art/palette.h"
#include "tools/art/pixel_font.h"
#include "tools/art/shapes.h"

namespace tarnwick::art {

namespace {

constexpr Rgba kBannerTop = Opaque(28, 52, 82);
constexpr Rgba kBannerBottom = Opaque(10, 22, 40);
constexpr Rgba kTitleTop = Opaque(255, 255, 255);
constexpr Rgba kTitleBottom = Opaque(170, 236, 196);
constexpr Rgba kTitleShadow = Opaque(4, 10, 20);
constexpr Rgba kTagline = Opaque(150, 190, 180);
constexpr Rgba kEcho = {120, 200, 170, 20};
constexpr Rgba kRule = Opaque(90, 200, 130);

}  // namespace

Image SortMarks() {
  Image image(2 * kSortMarkWidth, kSortMarkHeight, vga::kFuchsia);
  // Four rows, 1, 3, 5 and 7 pixels wide from the point, in rows 2 to 5; the point sits in
  // column 3 of its half, which leaves column 7 as a gap before the next image.
  for (int row = 0; row < 4; ++row) {
    for (int x = 3 - row; x <= 3 + row; ++x) {
      image.Set(x, 2 + row, vga::kGray);                   // ascending: point up
      image.Set(kSortMarkWidth + x, 5 - row, vga::kGray);  // descending: point down
    }
  }
  return image;
}

Image AboutBanner() {
  Image image(kBannerWidth, kBannerHeight);
  Fill(image, Box(0, 0, kBannerWidth, kBannerHeight),
       [](double, double y) { return Mix(kBannerTop, kBannerBottom, y / kBannerHeight); },
       Edge::kSmooth);
  // Faint echoes of the radar behind the picture.
  const Point centre = {34, 44};
  for (double radius = 34; radius < 260; radius += 18)
    Fill(image, Ring(centre, radius + 0.6, radius - 0.6), kEcho, Edge::kSmooth);
  image.Draw(ProgramIcon(44, Edge::kSmooth), 12, 22);

  constexpr int kScale = 4;
  constexpr double kTitleX = 68;
  constexpr double kTitleY = 18;
  Fill(image, TextShape(FontFace::kLetters, "Tarnwick", kTitleX + 2, kTitleY + 2, kScale),
       WithCoverage(kTitleShadow, 0.7), Edge::kSmooth);
  Fill(image, TextShape(FontFace::kLetters, "Tarnwick", kTitleX, kTitleY, kScale),
       [](double, double y) { return Mix(kTitleTop, kTitleBottom, (y - kTitleY) / (7 * kScale)); },
       Edge::kSmooth);
  // A rule under the name that fades out towards the right.
  const double rule_end = kTitleX + TextWidth(FontFace::kLetters, "Tarnwick") * kScale;
  Fill(image, Box(kTitleX, 53, rule_end, 54),
       [&](double x, double) { return WithCoverage(kRule, 1 - (x - kTitleX) / (rule_end - kTitleX)); },
       Edge::kSmooth);
  Fill(image, TextShape(FontFace::kLetters, "Half-Life server monitor", kTitleX, 60, 1), kTagline,
       Edge::kSmooth);
  return image;
}

}  // namespace tarnwick::art
