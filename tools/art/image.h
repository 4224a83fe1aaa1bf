// The canvas every picture is drawn on: a rectangle of RGBA pixels, top row first, with
// straight (not premultiplied) alpha. Alpha 0 is a transparent pixel, 255 an opaque one.
#ifndef TARNWICK_TOOLS_ART_IMAGE_H
#define TARNWICK_TOOLS_ART_IMAGE_H

#include <cstdint>
#include <vector>

namespace tarnwick::art {

struct Rgba {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  uint8_t a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

constexpr Rgba Opaque(uint8_t r, uint8_t g, uint8_t b) { return {r, g, b, 255}; }
constexpr Rgba kTransparent = {0, 0, 0, 0};

// The same colour with its alpha scaled by `coverage` (0 to 1).
Rgba WithCoverage(Rgba colour, double coverage);

// Linear mix of two opaque colours: t = 0 gives `from`, t = 1 gives `to`.
Rgba Mix(Rgba from, Rgba to, double t);

class Image {
 public:
  Image(int width, int height, Rgba fill = kTransparent);

  int width() const { return width_; }
  int height() const { return height_; }

  // Reads outside the image give a transparent pixel; writes outside it are ignored, so shapes
  // may run over the edges.
  Rgba At(int x, int y) const;
  void Set(int x, int y, Rgba colour);
  // Lays `colour` over the pixel with the usual "over" rule.
  void Blend(int x, int y, Rgba colour);

  // Copies `source` with its top left corner at (x, y), blending it over what is there.
  void Draw(const Image& source, int x, int y);

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

}  // namespace tarnwick::art

#endif
