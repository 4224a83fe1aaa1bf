#include "tests/art/picture_reader.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tarnwick::art::reader {

namespace {

uint32_t U16(const Bytes& b, size_t at) {
  if (at + 2 > b.size()) throw std::runtime_error("read past the end");
  return b[at] | b[at + 1] << 8;
}

uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

size_t RowBytes(int width, int bits) { return static_cast<size_t>((width * bits + 31) / 32 * 4); }

void Expect(bool condition, const char* what) {
  if (!condition) throw std::runtime_error(what);
}

// Reads a BITMAPINFOHEADER at `at`, its colour table and the colour rows; `rows` is the height of
// the picture (half the stored height for an icon). Returns the offset after the colour rows.
size_t ReadDib(const Bytes& b, size_t at, int rows, size_t pixels_at, Picture& picture) {
  Expect(U32(b, at) == 40, "info header size");
  picture.width = static_cast<int>(U32(b, at + 4));
  picture.height = rows;
  Expect(U16(b, at + 12) == 1, "planes");
  picture.bits = static_cast<int>(U16(b, at + 14));
  Expect(U32(b, at + 16) == 0, "compression");
  if (picture.bits <= 8) {
    const uint32_t used = U32(b, at + 32);
    const uint32_t count = used != 0 ? used : 1u << picture.bits;
    for (uint32_t i = 0; i < count; ++i) {
      const size_t entry = at + 40 + 4 * i;
      picture.palette.push_back({b.at(entry + 2), b.at(entry + 1), b.at(entry)});
    }
    if (pixels_at == 0) pixels_at = at + 40 + 4 * count;
  } else if (pixels_at == 0) {
    pixels_at = at + 40;
  }
  const size_t row_bytes = RowBytes(picture.width, picture.bits);
  Expect(pixels_at + row_bytes * rows <= b.size(), "colour rows past the end");
  picture.colours.assign(static_cast<size_t>(picture.width * rows), {0, 0, 0});
  picture.indexes.assign(picture.colours.size(), 0);
  picture.hidden.assign(picture.colours.size(), false);
  for (int y = 0; y < rows; ++y) {
    const size_t row = pixels_at + row_bytes * static_cast<size_t>(rows - 1 - y);
    for (int x = 0; x < picture.width; ++x) {
      const size_t i = static_cast<size_t>(y * picture.width + x);
      switch (picture.bits) {
        case 4: {
          const uint8_t pair = b[row + static_cast<size_t>(x / 2)];
          picture.indexes[i] = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
          Expect(picture.indexes[i] < picture.palette.size(), "index past the colour table");
          picture.colours[i] = picture.palette[picture.indexes[i]];
          break;
        }
        case 24:
        case 32: {
          const size_t p = row + static_cast<size_t>(x * picture.bits / 8);
          picture.colours[i] = {b[p + 2], b[p + 1], b[p]};
          if (picture.bits == 32) picture.hidden[i] = b[p + 3] == 0;
          break;
        }
        default:
          throw std::runtime_error("unexpected depth");
      }
    }
  }
  return pixels_at + row_bytes * rows;
}

}  // namespace

Bytes ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Picture::CountVisible() const {
  int visible = 0;
  for (bool h : hidden) visible += h ? 0 : 1;
  return visible;
}

std::vector<IconEntry> ReadIconDirectory(const Bytes& file) {
  Expect(U16(file, 0) == 0 && U16(file, 2) == 1, "not an icon file");
  std::vector<IconEntry> entries;
  const uint32_t count = U16(file, 4);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = 6 + 16 * i;
    IconEntry entry;
    entry.width = file.at(at) == 0 ? 256 : file.at(at);
    entry.height = file.at(at + 1) == 0 ? 256 : file.at(at + 1);
    entry.colour_count = file.at(at + 2);
    entry.bits = static_cast<int>(U16(file, at + 6));
    entry.size = U32(file, at + 8);
    entry.offset = U32(file, at + 12);
    Expect(U16(file, at + 4) == 1, "planes in the directory");
    Expect(entry.offset + entry.size <= file.size(), "image past the end");
    entries.push_back(entry);
  }
  return entries;
}

Picture ReadIconImage(const Bytes& file, const IconEntry& entry) {
  Picture picture;
  Expect(static_cast<int>(U32(file, entry.offset + 8)) == 2 * entry.height,
         "an icon image stores twice its height");
  const size_t mask_at = ReadDib(file, entry.offset, entry.height, 0, picture);
  Expect(picture.width == entry.width && picture.bits == entry.bits, "directory and header differ");
  const size_t mask_row = RowBytes(picture.width, 1);
  Expect(mask_at + mask_row * entry.height == entry.offset + entry.size, "image size");
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t byte = file[mask_at + mask_row * static_cast<size_t>(picture.height - 1 - y) +
                                static_cast<size_t>(x / 8)];
      const bool mask_bit = (byte & (0x80 >> (x % 8))) != 0;
      const size_t i = static_cast<size_t>(y * picture.width + x);
      // A 32-bit image's alpha and its mask must tell the same story.
      if (picture.bits == 32) Expect(picture.hidden[i] == mask_bit, "mask and alpha differ");
      picture.hidden[i] = mask_bit;
    }
  }
  return picture;
}

Picture ReadBitmapFile(const Bytes& file) {
  Expect(file.size() > 54 && file[0] == 'B' && file[1] == 'M', "not a bitmap file");
  Expect(U32(file, 2) == file.size(), "file size field");
  Picture picture;
  const int height = static_cast<int>(U32(file, 22));
  Expect(height > 0, "bitmaps here are stored bottom row first");
  const size_t end = ReadDib(file, 14, height, U32(file, 10), picture);
  Expect(end == file.size(), "bytes after the pixel rows");
  return picture;
}

}  // namespace tarnwick::art::reader
