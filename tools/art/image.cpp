#include "tools/art/image.h"

#include <cmath>
#include <stdexcept>

namespace tarnwick::art {

namespace {

uint8_t Channel(double value) {
  if (value <= 0) return 0;
  if (value >= 255) return 255;
  return static_cast<uint8_t>(std::lround(value));
}

}  // namespace

Rgba WithCoverage(Rgba colour, double coverage) {
  colour.a = Channel(colour.a * coverage);
  return colour;
}

Rgba Mix(Rgba from, Rgba to, double t) {
  return {Channel(from.r + (to.r - from.r) * t), Channel(from.g + (to.g - from.g) * t),
          Channel(from.b + (to.b - from.b) * t), Channel(from.a + (to.a - from.a) * t)};
}

Image::Image(int width, int height, Rgba fill) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("image without pixels");
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

Rgba Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kTransparent;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Image::Set(int x, int y, Rgba colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

void Image::Blend(int x, int y, Rgba colour) {
  if (colour.a == 0) return;
  if (colour.a == 255) return Set(x, y, colour);
  const Rgba under = At(x, y);
  // Straight alpha: out_a = a + u_a (1 - a), and each channel is weighted by its layer's share.
  const double a = colour.a / 255.0;
  const double ua = under.a / 255.0 * (1 - a);
  const double oa = a + ua;
  if (oa <= 0) return Set(x, y, kTransparent);
  Set(x, y, {Channel((colour.r * a + under.r * ua) / oa), Channel((colour.g * a + under.g * ua) / oa),
             Channel((colour.b * a + under.b * ua) / oa), Channel(oa * 255)});
}

void Image::Draw(const Image& source, int x, int y) {
  for (int row = 0; row < source.height(); ++row)
    for (int column = 0; column < source.width(); ++column)
      Blend(x + column, y + row, source.At(column, row));
}

}  // namespace tarnwick::art
