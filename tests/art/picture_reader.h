// A small reader for the .ico and .bmp files in resources/art, written apart from the encoder so
// that the tests check the files against the formats and not against the encoder's own idea of them.
#ifndef TARNWICK_TESTS_ART_PICTURE_READER_H
#define TARNWICK_TESTS_ART_PICTURE_READER_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::art::reader {

using Bytes = std::vector<uint8_t>;

Bytes ReadFileBytes(const std::filesystem::path& path);

struct Rgb {
  uint8_t r, g, b;
  friend auto operator<=>(const Rgb&, const Rgb&) = default;
};

// One decoded picture: its depth and, per pixel (top row first), the colour and whether an icon's
// mask hides it (always false for a bitmap).
struct Picture {
  int width = 0;
  int height = 0;
  int bits = 0;
  std::vector<Rgb> palette;
  std::vector<Rgb> colours;
  std::vector<bool> hidden;
  std::vector<uint8_t> indexes;  // palette indexes of a 4-bit picture

  Rgb At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
  bool Hidden(int x, int y) const { return hidden[static_cast<size_t>(y * width + x)]; }
  int CountVisible() const;
};

struct IconEntry {
  int width, height, colour_count, bits;
  uint32_t size, offset;
};

// The directory of an icon file; throws std::runtime_error on a malformed file.
std::vector<IconEntry> ReadIconDirectory(const Bytes& file);
Picture ReadIconImage(const Bytes& file, const IconEntry& entry);
Picture ReadBitmapFile(const Bytes& file);

}  // namespace tarnwick::art::reader

#endif
