#include "tools/art/picture_files.h"

#include <stdexcept>

#include "tools/art/dib.h"

namespace tarnwick::art {

namespace {

constexpr uint32_t kIconDirSize = 6;
constexpr uint32_t kIconEntrySize = 16;
constexpr uint32_t kFileHeaderSize = 14;

Bytes IconImageBytes(const IconImage& icon) {
  const Image& image = icon.image;
  if (icon.bits != 4 && icon.bits != 32) throw std::invalid_argument("icons are 4 or 32 bits");
  const uint32_t colour_bytes = RowBytes(image.width(), icon.bits) * image.height();
  const uint32_t mask_bytes = RowBytes(image.width(), 1) * image.height();
  Bytes out;
  PutInfoHeader(out, image.width(), 2 * image.height(), icon.bits, colour_bytes + mask_bytes);
  if (icon.bits == 4) PutColourTable(out);
  PutPixelRows(out, image, icon.bits);
  PutMaskRows(out, image);
  return out;
}

}  // namespace

Bytes EncodeIcon(const std::vector<IconImage>& images) {
  if (images.empty()) throw std::invalid_argument("an icon needs an image");
  std::vector<Bytes> bodies;
  for (const IconImage& icon : images) {
    if (icon.image.width() > 256 || icon.image.height() > 256)
      throw std::invalid_argument("icon image larger than 256 pixels");
    bodies.push_back(IconImageBytes(icon));
  }
  Bytes out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon, not cursor
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = kIconDirSize + kIconEntrySize * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const IconImage& icon = images[i];
    Put8(out, static_cast<uint32_t>(icon.image.width() % 256));  // 0 stands for 256
    Put8(out, static_cast<uint32_t>(icon.image.height() % 256));
    Put8(out, icon.bits == 4 ? 16 : 0);  // colour count, 0 for true colour
    Put8(out, 0);
    Put16(out, 1);  // planes
    Put16(out, static_cast<uint32_t>(icon.bits));
    Put32(out, static_cast<uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(bodies[i].size());
  }
  for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes EncodeBitmap(const Image& image, int bits) {
  if (bits != 4 && bits != 24) throw std::invalid_argument("bitmaps are 4 or 24 bits");
  Bytes pixels;
  PutPixelRows(pixels, image, bits);
  const uint32_t table_bytes = bits == 4 ? 16 * 4 : 0;
  const uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize + table_bytes;
  Bytes out;
  Put8(out, 'B');
  Put8(out, 'M');
  Put32(out, pixel_offset + static_cast<uint32_t>(pixels.size()));
  Put32(out, 0);  // reserved
  Put32(out, pixel_offset);
  PutInfoHeader(out, image.width(), image.height(), bits, static_cast<uint32_t>(pixels.size()));
  if (bits == 4) PutColourTable(out);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

}  // namespace tarnwick::art
