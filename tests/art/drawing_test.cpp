// The encoding code of tools/art on small made-up pictures: what each depth refuses, and whole
// true-colour .ico and .bmp files against bytes written by hand from the formats. (How shapes are
// drawn is pinned by the committed pictures, which art_test.cpp compares with what the generator
// draws.)
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <stdexcept>

#include "tools/art/palette.h"
#include "tools/art/picture_files.h"

namespace tarnwick::art {
namespace {

Bytes B(std::initializer_list<int> values) { return Bytes(values.begin(), values.end()); }

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
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
  EXPECT_EQ(EncodeIcon({{icon, 32}}),
            Cat({B({0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 32, 0, 64, 0, 0, 0, 22, 0, 0, 0}),
                 B({40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 24, 0, 0, 0,
                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                 B({0xFF, 0xFF, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}),  // BGRA
                 B({0x40, 0, 0, 0, 0x80, 0, 0, 0})}));                               // masks

  Image bitmap(2, 1);
  bitmap.Set(0, 0, vga::kRed);
  bitmap.Set(1, 0, vga::kTeal);
  EXPECT_EQ(EncodeBitmap(bitmap, 24),
            Cat({B({'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}),
                 B({40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,
                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                 B({0, 0, 0xFF, 0x80, 0x80, 0, 0, 0})}));  // rows padded to four bytes
}

}  // namespace
}  // namespace tarnwick::art
