// Whole .ico and .bmp files, byte for byte, from drawn pictures.
#ifndef TARNWICK_TOOLS_ART_PICTURE_FILES_H
#define TARNWICK_TOOLS_ART_PICTURE_FILES_H

#include <vector>

#include "tools/art/byte_writer.h"
#include "tools/art/image.h"

namespace tarnwick::art {

// One image of an icon file and the colour depth to store it at: 4 (16 colours, fully opaque or
// fully transparent pixels) or 32 (alpha channel).
struct IconImage {
  Image image;
  int bits;
};

// An icon file (resource type 1 directory) holding the images in the order given. Every image
// carries its 1-bit mask, set where the pixel is fully transparent.
Bytes EncodeIcon(const std::vector<IconImage>& images);

// A bitmap file at 4 bits (standard 16-colour table) or 24 bits per pixel.
Bytes EncodeBitmap(const Image& image, int bits);

}  // namespace tarnwick::art

#endif
