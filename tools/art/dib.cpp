#include "tools/art/dib.h"

#include <stdexcept>
#include <string>

#include "tools/art/palette.h"

namespace tarnwick::art {

namespace {

[[noreturn]] void Refuse(const char* why, int x, int y, Rgba colour) {
  throw std::invalid_argument(std::string(why) + " at (" + std::to_string(x) + ", " +
                              std::to_string(y) + "): " + std::to_string(colour.r) + "," +
                              std::to_string(colour.g) + "," + std::to_string(colour.b) + "," +
                              std::to_string(colour.a));
}

uint8_t FourBitIndex(const Image& image, int x, int y) {
  const Rgba colour = image.At(x, y);
  if (colour.a == 0) return 0;
  if (colour.a != 255) Refuse("partly transparent pixel in a 16-colour picture", x, y, colour);
  const auto index = VgaIndex(colour);
  if (!index) Refuse("colour outside the 16-colour table", x, y, colour);
  return static_cast<uint8_t>(*index);
}

}  // namespace

void PutInfoHeader(Bytes& out, int width, int height_field, int bits, uint32_t image_bytes) {
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height_field));
  Put16(out, 1);  // planes
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // BI_RGB: no compression
  Put32(out, image_bytes);
  Put32(out, 0);  // no preferred resolution
  Put32(out, 0);
  Put32(out, bits == 4 ? 16 : 0);  // colours used
  Put32(out, 0);                   // all colours important
}

void PutColourTable(Bytes& out) {
  for (const Rgba& colour : kVgaPalette) {
    Put8(out, colour.b);
    Put8(out, colour.g);
    Put8(out, colour.r);
    Put8(out, 0);
  }
}

void PutPixelRows(Bytes& out, const Image& image, int bits) {
  const uint32_t row_bytes = RowBytes(image.width(), bits);
  for (int y = image.height() - 1; y >= 0; --y) {
    const size_t row_start = out.size();
    for (int x = 0; x < image.width(); ++x) {
      const Rgba colour = image.At(x, y);
      switch (bits) {
        case 4:
          if (x % 2 == 0) {
            Put8(out, static_cast<uint32_t>(FourBitIndex(image, x, y) << 4));
          } else {
            out.back() = static_cast<uint8_t>(out.back() | FourBitIndex(image, x, y));
          }
          break;
        case 24:
          if (colour.a != 255) Refuse("transparent pixel in a 24-bit picture", x, y, colour);
          Put8(out, colour.b);
          Put8(out, colour.g);
          Put8(out, colour.r);
          break;
        case 32:
          Put8(out, colour.a == 0 ? 0 : colour.b);
          Put8(out, colour.a == 0 ? 0 : colour.g);
          Put8(out, colour.a == 0 ? 0 : colour.r);
          Put8(out, colour.a);
          break;
        default:
          throw std::invalid_argument("unsupported colour depth " + std::to_string(bits));
      }
    }
    out.resize(row_start + row_bytes, 0);
  }
}

void PutMaskRows(Bytes& out, const Image& image) {
  const uint32_t row_bytes = RowBytes(image.width(), 1);
  for (int y = image.height() - 1; y >= 0; --y) {
    const size_t row_start = out.size();
    out.resize(row_start + row_bytes, 0);
    for (int x = 0; x < image.width(); ++x)
      if (image.At(x, y).a == 0)
        out[row_start + static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
}

}  // namespace tarnwick::art
