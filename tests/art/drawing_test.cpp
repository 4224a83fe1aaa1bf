// The drawing and encoding code of tools/art on small made-up pictures: coverage rules, fonts,
// outlines, and what each file depth refuses.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "tests/art/picture_reader.h"
#include "tools/art/icons.h"
#include "tools/art/palette.h"
#include "tools/art/picture_files.h"
#include "tools/art/pixel_font.h"
#include "tools/art/shapes.h"

namespace tarnwick::art {
namespace {

TEST(ArtShapes, CrispEdgesTakeHalfCoveredPixelsSmoothEdgesBlendThem) {
  struct Case {
    double right;  // a box from x = 0 to `right` over a one-pixel image
    bool crisp_set;
    uint8_t smooth_alpha;
  } cases[] = {{1.0, true, 255}, {0.5, true, 128}, {0.4, false, 96}, {0.05, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.right);
    Image crisp(1, 1);
    Fill(crisp, Box(0, 0, c.right, 1), vga::kRed, Edge::kCrisp);
    EXPECT_EQ(crisp.At(0, 0).a, c.crisp_set ? 255 : 0);
    Image smooth(1, 1);
    Fill(smooth, Box(0, 0, c.right, 1), vga::kRed, Edge::kSmooth);
    EXPECT_EQ(smooth.At(0, 0).a, c.smooth_alpha);
  }
}

TEST(ArtShapes, SmoothLayersBlendOverWhatIsThere) {
  Image image(1, 1, vga::kWhite);
  Fill(image, Box(0, 0, 0.5, 1), vga::kBlack, Edge::kSmooth);
  EXPECT_EQ(image.At(0, 0), Opaque(127, 127, 127));
}

TEST(ArtShapes, OutlineRingsOpaquePixelsSidewaysOrAllRound) {
  for (bool diagonal : {false, true}) {
    Image image(3, 3);
    image.Set(1, 1, vga::kWhite);
    AddOutline(image, vga::kBlack, diagonal);
    int outlined = 0;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) outlined += image.At(x, y) == vga::kBlack ? 1 : 0;
    EXPECT_EQ(outlined, diagonal ? 8 : 4);
    EXPECT_EQ(image.At(1, 1), vga::kWhite);
  }
}

TEST(ArtFont, WidthsFollowEachGlyphsInk) {
  struct Case {
    FontFace face;
    const char* text;
    int width;
  } cases[] = {{FontFace::kLetters, "T", 5},         {FontFace::kLetters, "i", 3},
               {FontFace::kLetters, "Tarnwick", 42}, {FontFace::kLetters, "a b", 15},
               {FontFace::kNarrowDigits, "20", 9},   {FontFace::kNarrowDigits, "7", 4}};
  for (const Case& c : cases) EXPECT_EQ(TextWidth(c.face, c.text), c.width) << c.text;
}

TEST(ArtFont, TextShapeMagnifiesEachFontPixel) {
  Image image(15, 21);
  Fill(image, TextShape(FontFace::kLetters, "T", 0, 0, 3), vga::kBlack, Edge::kCrisp);
  int ink = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 15; ++x) ink += image.At(x, y).a != 0 ? 1 : 0;
  EXPECT_EQ(ink, 11 * 9);  // the T has 11 font pixels, each now 3 x 3
  EXPECT_NE(image.At(7, 20).a, 0);  // the stem reaches the bottom
  EXPECT_EQ(image.At(0, 20).a, 0);
}

TEST(ArtFont, RefusesCharactersItLacks) {
  EXPECT_THROW(TextWidth(FontFace::kLetters, "@"), std::invalid_argument);
  EXPECT_THROW(TextWidth(FontFace::kNarrowDigits, "a"), std::invalid_argument);
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

TEST(ArtEncoding, FilesHaveTheSizesTheirFormatsGive) {
  struct Case {
    const char* what;
    size_t bytes;
    std::function<Bytes()> encode;
  } cases[] = {
      // directory 6 + entry 16 + header 40 + colour table 64 + colour rows 128 + mask rows 64
      {"16 x 16 at 4 bits", 318, [] { return EncodeIcon({{Image(16, 16), 4}}); }},
      // directory 6 + entry 16 + header 40 + colour rows 4096 + mask rows 128
      {"32 x 32 at 32 bits", 4286, [] { return EncodeIcon({{Image(32, 32), 32}}); }},
      // file header 14 + info header 40 + rows of 3 * 5 = 15 bytes padded to 16, 3 rows
      {"5 x 3 bitmap at 24 bits", 102, [] { return EncodeBitmap(Image(5, 3, vga::kWhite), 24); }},
  };
  for (const Case& c : cases) EXPECT_EQ(c.encode().size(), c.bytes) << c.what;
}

TEST(ArtEncoding, ReaderGetsBackWhatWasDrawn) {
  Image image(16, 16);
  image.Set(3, 2, vga::kRed);
  image.Set(4, 2, vga::kTeal);
  image.Set(15, 15, vga::kWhite);
  const Bytes file = EncodeIcon({{image, 4}, {image, 32}});
  const auto entries = reader::ReadIconDirectory(file);
  ASSERT_EQ(entries.size(), 2u);
  for (const reader::IconEntry& entry : entries) {
    SCOPED_TRACE(entry.bits);
    const reader::Picture picture = reader::ReadIconImage(file, entry);
    EXPECT_EQ(picture.CountVisible(), 3);
    EXPECT_EQ(picture.At(3, 2), (reader::Rgb{255, 0, 0}));
    EXPECT_EQ(picture.At(4, 2), (reader::Rgb{0, 128, 128}));
    EXPECT_FALSE(picture.Hidden(15, 15));
    EXPECT_TRUE(picture.Hidden(0, 0));
  }
}

}  // namespace
}  // namespace tarnwick::art
