#include "tools/art/icons.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/art/palette.h"
#include "tools/art/pixel_font.h"
#include "tools/art/sprite.h"

namespace tarnwick::art {

namespace {

struct RadarColours {
  Rgba rim;
  Rgba light;  // the bezel where the light falls on it
  Rgba bezel;
  Rgba shade;
  Rgba screen;
  Rgba screen_centre;
  Rgba grid;
  Rgba sweep;
  Rgba beam;
  Rgba blip;
};

constexpr RadarColours kRadarVga = {vga::kBlack, vga::kWhite, vga::kSilver, vga::kGray,
                                    vga::kBlack, vga::kBlack, vga::kTeal,   vga::kGreen,
                                    vga::kLime,  vga::kYellow};
constexpr RadarColours kRadarTrue = {
    Opaque(26, 32, 40),   Opaque(236, 240, 244), Opaque(184, 192, 200), Opaque(112, 122, 134),
    Opaque(6, 34, 24),    Opaque(18, 72, 50),    Opaque(44, 120, 80),   Opaque(34, 168, 92),
    Opaque(178, 255, 196), Opaque(255, 226, 72)};

// At 16 pixels every pixel is placed by hand: the shapes below lose their line at that size.
// clang-format off
void DrawSmallRadar(Image& image, const RadarColours& colours) {
  const Ink inks[] = {{'K', colours.rim},   {'W', colours.light}, {'s', colours.bezel},
                      {'g', colours.shade}, {'k', colours.screen}, {'G', colours.sweep},
                      {'L', colours.beam},  {'Y', colours.blip},  {'r', colours.grid}};
  DrawSprite(image, 0, 0, {
    ".....KKKKKK.....",
    "...KKWWWWWWKK...",
    "..KWWkkkGGGssK..",
    ".KWkkkkkGGGGLsK.",
    ".KWkkGrrGGGLkgK.",
    "KWkkGYGkGGLkkkgK",
    "KWkkrGkkGLkrkkgK",
    "KskkrkkkLkkrkkgK",
    "KskkrkkLkkkrkkgK",
    "KskkrkkkkkkrkkgK",
    "KskkkrkkkkrkkkgK",
    ".KskkkrrrrkkkgK.",
    ".KskkkkkkkkkkgK.",
    "..KsgkkkkkkggK..",
    "...KKggggggKK...",
    ".....KKKKKK.....",
  }, inks);
}
// clang-format on

// Larger sizes are drawn from shapes in a 16-unit design square magnified to `size` pixels: a
// round screen in a bezel lit from the upper left, one range ring, the beam pointing to the upper
// right with the glow it leaves behind, and the blip of a server it has found.
void DrawRadar(Image& image, double size, Edge edge, const RadarColours& colours) {
  const double s = size / 16;
  const Point c = {8, 8};
  auto fill = [&](const Shape& shape, Rgba colour) { Fill(image, Scaled(shape, s), colour, edge); };
  fill(Disc(c, 8), colours.rim);
  Fill(image, Scaled(Disc(c, 7.1), s),
       [&](double x, double y) {
         const double lit = (x + y) / s - 2 * c.x;  // negative towards the upper left
         if (lit < -5) return colours.light;
         if (lit > 5) return colours.shade;
         if (edge == Edge::kCrisp) return colours.bezel;
         return lit < 0 ? Mix(colours.light, colours.bezel, (lit + 5) / 5)
                        : Mix(colours.bezel, colours.shade, lit / 5);
       },
       edge);
  const Shape screen = Disc(c, 6);
  Fill(image, Scaled(screen, s),
       [&](double x, double y) {
         const double dx = x / s - c.x;
         const double dy = y / s - c.y;
         return Mix(colours.screen_centre, colours.screen, (dx * dx + dy * dy) / 36);
       },
       edge);
  fill(Intersection(screen, Ring(c, 3.75, 3.25)), colours.grid);
  // The glow trails the beam by 45 degrees, counter-clockwise, as the beam turns clockwise.
  const Point beam = {0.7071068, -0.7071068};
  const Point trail = {0, -1};
  const Shape glow = Intersection(Disc(c, 5.6), Wedge(c, trail, beam));
  if (edge == Edge::kSmooth) {
    Fill(image, Scaled(glow, s),
         [&](double x, double y) {
           // Brightest at the beam, fading towards the trailing edge.
           const double dx = x / s - c.x;
           const double dy = y / s - c.y;
           const double length = std::sqrt(dx * dx + dy * dy);
           const double across = length > 0 ? (trail.x * dy - trail.y * dx) / length : 0;
           return WithCoverage(colours.sweep, 0.25 + 0.75 * across / 0.7071068);
         },
         edge);
  } else {
    fill(glow, colours.sweep);
  }
  fill(Stroke({c.x - 0.3, c.y + 0.3}, {c.x + 3.85, c.y - 3.85}, 1.1), colours.beam);
  const Point blip = {5.5, 5.5};
  if (edge == Edge::kSmooth) fill(Disc(blip, 1.6), WithCoverage(colours.blip, 0.3));
  fill(Disc(blip, 0.95), colours.blip);
}

// The points of a five-pointed star and the notches between them, as directions from its centre,
// clockwise from the top point.
constexpr Point kStarOuter[] = {{0, -1},           {0.9510565, -0.3090170}, {0.5877853, 0.8090170},
                                {-0.5877853, 0.8090170}, {-0.9510565, -0.3090170}};
constexpr Point kStarInner[] = {{0.5877853, -0.8090170}, {0.9510565, 0.3090170}, {0, 1},
                                {-0.9510565, 0.3090170}, {-0.5877853, -0.8090170}};

Shape Star(Point centre, double outer, double inner) {
  std::vector<Point> corners;
  for (int i = 0; i < 5; ++i) {
    corners.push_back({centre.x + outer * kStarOuter[i].x, centre.y + outer * kStarOuter[i].y});
    corners.push_back({centre.x + inner * kStarInner[i].x, centre.y + inner * kStarInner[i].y});
  }
  return Polygon(std::move(corners));
}

Image WhiteDisc() {
  Image image(kIconSize, kIconSize);
  Fill(image, Disc({8, 8}, 7.2), vga::kWhite, Edge::kCrisp);
  AddOutline(image, vga::kGray, false);
  return image;
}

}  // namespace

void AddOutline(Image& image, Rgba colour, bool diagonal) {
  const Image before = image;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (before.At(x, y).a != 0) continue;
      bool beside = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if ((diagonal || dx == 0 || dy == 0) && before.At(x + dx, y + dy).a == 255) beside = true;
      if (beside) image.Set(x, y, colour);
    }
  }
}

Image ProgramIcon(int size, Edge edge) {
  if (size < kIconSize) throw std::invalid_argument("the program icon needs 16 pixels or more");
  Image image(size, size);
  const RadarColours& colours = edge == Edge::kCrisp ? kRadarVga : kRadarTrue;
  if (size == kIconSize) {
    DrawSmallRadar(image, colours);
  } else {
    DrawRadar(image, size, edge, colours);
  }
  return image;
}

Image StateIcon(StateMark mark) {
  Image image(kIconSize, kIconSize);
  switch (mark) {
    case StateMark::kCheck:
      Fill(image, Union(Stroke({3.5, 8.5}, {6.5, 11.5}, 2.4), Stroke({6.5, 11.5}, {12.5, 4.0}, 2.4)),
           vga::kLime, Edge::kCrisp);
      AddOutline(image, vga::kGreen, true);
      break;
    case StateMark::kCross:
      Fill(image, Union(Stroke({4.5, 4.5}, {11.5, 11.5}, 2.4), Stroke({11.5, 4.5}, {4.5, 11.5}, 2.4)),
           vga::kRed, Edge::kCrisp);
      AddOutline(image, vga::kMaroon, true);
      break;
    case StateMark::kStar:
      Fill(image, Star({8, 8.6}, 7.0, 2.9), vga::kYellow, Edge::kCrisp);
      AddOutline(image, vga::kOlive, false);
      break;
  }
  return image;
}

Image StripesIcon(int fifths, bool occupied) {
  if (fifths < 0 || fifths > 5) throw std::invalid_argument("stripes fill 0 to 5 fifths");
  Image image(kIconSize, kIconSize);
  // The stripes fill the 14 rows inside a one-pixel frame; red rows are rounded to whole rows.
  constexpr int kInside = kIconSize - 2;
  int red_rows = (kInside * fifths + 2) / 5;
  if (occupied && red_rows == 0) red_rows = 1;
  for (int y = 1; y <= kInside; ++y) {
    const bool red = y > kInside - red_rows;
    for (int x = 1; x <= kInside; ++x) {
      const bool light = (x + y) % 4 < 2;
      image.Set(x, y, red ? (light ? vga::kRed : vga::kMaroon) : (light ? vga::kLime : vga::kGreen));
    }
  }
  AddOutline(image, vga::kBlack, false);
  return image;
}

Image NumberIcon(int number) {
  if (number < 0 || number > 99) throw std::invalid_argument("tray numbers are 0 to 99");
  Image image = WhiteDisc();
  const std::string text = std::to_string(number);
  const FontFace face = text.size() == 1 ? FontFace::kLetters : FontFace::kNarrowDigits;
  const int width = TextWidth(face, text);
  Fill(image, TextShape(face, text, (kIconSize - width) / 2, 5, 1), vga::kBlack, Edge::kCrisp);
  return image;
}

Image QuestionIcon() {
  Image image = WhiteDisc();
  const int width = TextWidth(FontFace::kLetters, "?");
  Fill(image, TextShape(FontFace::kLetters, "?", (kIconSize - width) / 2, 5, 1), vga::kBlack,
       Edge::kCrisp);
  return image;
}

Image BlankIcon() { return Image(kIconSize, kIconSize); }

}  // namespace tarnwick::art
