// The device-independent bitmap parts that .bmp and .ico files share: the 40-byte info header,
// the 16-colour table and the pixel rows, bottom row first, each padded to a 32-bit boundary.
// A picture that a depth cannot hold exactly is refused with std::invalid_argument: 4-bit rows take
// only transparent pixels and opaque colours of the standard table, 24-bit rows only opaque pixels.
#ifndef TARNWICK_TOOLS_ART_DIB_H
#define TARNWICK_TOOLS_ART_DIB_H

#include "tools/art/byte_writer.h"
#include "tools/art/image.h"

namespace tarnwick::art {

constexpr uint32_t kInfoHeaderSize = 40;

// `height_field` is the height as stored: an icon image stores twice its height (colour rows and
// mask rows). A 4-bit header names 16 used colours.
void PutInfoHeader(Bytes& out, int width, int height_field, int bits, uint32_t image_bytes);

// The standard 16-colour table as 4-byte blue, green, red, zero entries.
void PutColourTable(Bytes& out);

// The colour rows at 4, 24 or 32 bits per pixel; transparent pixels are written as black, which
// an icon's mask leaves invisible.
void PutPixelRows(Bytes& out, const Image& image, int bits);

// An icon's 1-bit mask rows: a set bit where the pixel is fully transparent.
void PutMaskRows(Bytes& out, const Image& image);

}  // namespace tarnwick::art

#endif
