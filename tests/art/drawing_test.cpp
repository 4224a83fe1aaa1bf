// The encoding code of tools/art on small made-up pictures: what each depth refuses, and whole
// true-colour .ico and .bmp files against bytes written by hand from the formats. (How shapes are
// drawn is pinned by the committed pictures, which art_test.cpp compares with what the generator
// draws.)
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "tests/support/byte_builder.h"
#include "tools/art/palette.h"
#include "tools/art/picture_files.h"

namespace tarnwick::art {
namespace {

using testing::ByteBuilder;

// A BITMAPINFOHEADER, uncompressed, with `size` bytes of pixels.
ByteBuilder& InfoHeader(ByteBuilder& b, int32_t width, int32_t height, int16_t bits, int32_t size) {
  return b.I32(40).I32(width).I32(height).I16(1).I16(bits).I32(0).I32(size).I64(0).I64(0);
}

TEST(ArtEncoding, RefusesWhatADepthCannotHold) {
  struct Case {
    const char* what;
    std::function<void()> encode;
  } cases[] = {
      {"a colour outside the table in 16 colours",
       [] { EncodeIcon({{Image(16, 16, Opaque(1, 2, 3)), 4}}); }},
      {"a partly transparent pixel in 16 colours",
       [] { EncodeIcon({{Image(16, 16, Rgba{255, 255, 255, 128}), 4}}); }},
      {"a transparent pixel in a 24-bit bitmap", [] { EncodeBitmap(Image(4, 4), 24); }},
      {"an 8-bit icon", [] { EncodeIcon({{Image(16, 16), 8}}); }},
      {"an icon without images", [] { EncodeIcon({}); }},
  };
  for (const Case& c : cases) EXPECT_THROW(c.encode(), std::invalid_argument) << c.what;
}

// (A 16-colour icon's rows, mask and colour table are read back by the system in art_win_test.cpp.)
TEST(ArtEncoding, TrueColourIconAndBitmapAreTheFormatByteForByte) {
  Image icon(2, 2);
  icon.Set(1, 0, vga::kRed);
  icon.Set(0, 1, Rgba{255, 255, 255, 128});
  ByteBuilder file;
  file.I16(0).I16(1).I16(1);  // an icon file of one image
  file.Byte(2).Byte(2).Byte(0).Byte(0).I16(1).I16(32).I32(64).I32(22);
  InfoHeader(file, 2, 4, 32, 24)                                 // the height counts the mask too
      .Raw("\xFF\xFF\xFF\x80\0\0\0\0\0\0\0\0\0\0\xFF\xFF", 16)  // BGRA, bottom row first
      .Raw("\x40\0\0\0\x80\0\0\0", 8);                            // masks
  EXPECT_EQ(EncodeIcon({{icon, 32}}), file.Bytes());

  Image bitmap(2, 1);
  bitmap.Set(0, 0, vga::kRed);
  bitmap.Set(1, 0, vga::kTeal);
  ByteBuilder bmp;
  bmp.Text("BM").I32(62).I32(0).I32(54);
  InfoHeader(bmp, 2, 1, 24, 8).Raw("\0\0\xFF\x80\x80\0\0\0", 8);  // rows padded to four bytes
  EXPECT_EQ(EncodeBitmap(bitmap, 24), bmp.Bytes());
}

}  // namespace
}  // namespace tarnwick::art
