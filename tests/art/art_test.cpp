// The pictures in resources/art against the code that draws them, and the facts the program relies
// on: the key colours, what the tray and sort-mark pictures show. How the system loads and draws
// them (and so their sizes) is art_win_test.cpp's part, and the DPI test's in tests/shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tools/art/art_set.h"
#include "tools/art/bitmaps.h"
#include "tools/art/icons.h"
#include "tools/art/palette.h"

namespace tarnwick::art {
namespace {

const std::filesystem::path kSourceDir = TARNWICK_SOURCE_DIR;
const std::filesystem::path kArtDir = kSourceDir / "resources" / "art";

const std::vector<ArtFile>& Drawn() {
  static const std::vector<ArtFile> files = DrawAllArt();
  return files;
}

TEST(ArtFiles, CommittedPicturesAreWhatTheGeneratorDrawsNow) {
  std::set<std::string> drawn;
  for (const ArtFile& file : Drawn()) {
    EXPECT_TRUE(drawn.insert(file.name).second) << file.name;
    std::ifstream in(kArtDir / file.name, std::ios::binary);
    EXPECT_TRUE(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}) == file.bytes)
        << "resources/art/" << file.name << " differs from what tools/art draws; run "
        << "tools/art/regenerate, look at the pictures and commit them with the code";
  }
  std::set<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(kArtDir))
    present.insert(entry.path().filename().string());
  EXPECT_EQ(present, drawn);
  // (That the resource script names each of them, art_win_test.cpp sees by loading every one.)
}

TEST(ArtIcons, StripesTurnRedFromTheBottomAFifthAtATime) {
  const int red_rows[] = {1, 3, 6, 8, 11, 14};  // of the 14 rows inside the frame, per fifth
  for (int fifths = -1; fifths <= 5; ++fifths) {
    const Image icon = fifths < 0 ? StripesIcon(0, false) : StripesIcon(fifths, true);
    const int want = fifths < 0 ? 0 : red_rows[fifths];
    std::string rows;
    for (int y = 1; y <= 14; ++y) {
      int red = 0;
      for (int x = 1; x <= 14; ++x)
        red += icon.At(x, y) == vga::kRed || icon.At(x, y) == vga::kMaroon;
      rows += red == 0 ? '.' : red == 14 ? 'r' : '?';
    }
    EXPECT_EQ(rows, std::string(14 - want, '.') + std::string(want, 'r')) << fifths;
  }
}

TEST(ArtIcons, EveryCountLooksDifferent) {
  std::set<std::vector<uint8_t>> seen;
  for (const ArtFile& file : Drawn()) {
    if (file.name.starts_with("tray_number_") || file.name == "tray_question.ico") {
      EXPECT_TRUE(seen.insert(file.bytes).second) << file.name;
    }
  }
  EXPECT_EQ(seen.size(), 22u);
}

// (The tool bar's key colour is checked where the system maps it to the button face.)
TEST(ArtBitmaps, SortMarksPointUpThenDownOnTheKeyColour) {
  const Image marks = SortMarks();
  EXPECT_EQ(marks.At(0, 0), vga::kFuchsia);
  // Widening downwards the first points up, widening upwards the second points down.
  for (int image = 0; image < 2; ++image) {
    std::vector<int> ink;
    for (int y = 0; y < kSortMarkHeight; ++y) {
      ink.push_back(0);
      for (int x = 0; x < kSortMarkWidth; ++x)
        ink.back() += marks.At(image * 8 + x, y) == vga::kGray;
    }
    EXPECT_EQ(ink, (image == 0 ? std::vector<int>{0, 0, 1, 3, 5, 7, 0}
                               : std::vector<int>{0, 0, 7, 5, 3, 1, 0}));
  }
}

}  // namespace
}  // namespace tarnwick::art
