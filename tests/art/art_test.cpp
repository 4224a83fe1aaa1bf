// The pictures in resources/art against the code that draws them, and the facts the program relies
// on: sizes, colour depths, masks, the tool bar's key colour, what each tray picture shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "tests/art/picture_reader.h"
#include "tools/art/art_set.h"

namespace tarnwick::art {
namespace {

using reader::IconEntry;
using reader::Picture;
using reader::ReadBitmapFile;
using reader::ReadFileBytes;
using reader::ReadIconDirectory;
using reader::ReadIconImage;
using reader::Rgb;

const std::filesystem::path kSourceDir = TARNWICK_SOURCE_DIR;
const std::filesystem::path kArtDir = kSourceDir / "resources" / "art";

constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kSilver = {192, 192, 192};
constexpr Rgb kGray = {128, 128, 128};
constexpr Rgb kMagenta = {255, 0, 255};
constexpr Rgb kRed = {255, 0, 0};
constexpr Rgb kMaroon = {128, 0, 0};

const std::vector<ArtFile>& Drawn() {
  static const std::vector<ArtFile> files = DrawAllArt();
  return files;
}

reader::Bytes Committed(const std::string& name) { return ReadFileBytes(kArtDir / name); }

// The only image of a 16 x 16, 16-colour icon file, checked to be one.
Picture SmallIcon(const std::string& name) {
  const reader::Bytes file = Committed(name);
  const std::vector<IconEntry> entries = ReadIconDirectory(file);
  if (entries.size() != 1) throw std::runtime_error(name + " has more than one image");
  return ReadIconImage(file, entries[0]);
}

TEST(ArtFiles, CommittedPicturesAreWhatTheGeneratorDrawsNow) {
  for (const ArtFile& file : Drawn()) {
    SCOPED_TRACE(file.name);
    ASSERT_TRUE(std::filesystem::exists(kArtDir / file.name)) << "run tools/art/regenerate";
    EXPECT_TRUE(Committed(file.name) == file.bytes)
        << "resources/art/" << file.name << " differs from what tools/art draws; run "
        << "tools/art/regenerate, look at the pictures and commit them with the code";
  }
}

TEST(ArtFiles, FolderHoldsOnlyTheGeneratedPictures) {
  std::set<std::string> drawn;
  for (const ArtFile& file : Drawn()) EXPECT_TRUE(drawn.insert(file.name).second) << file.name;
  std::set<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(kArtDir))
    present.insert(entry.path().filename().string());
  EXPECT_EQ(present, drawn);
}

TEST(ArtFiles, ResourceScriptNamesEveryPictureOnce) {
  const reader::Bytes script_bytes = ReadFileBytes(kSourceDir / "resources" / "art.rc");
  const std::string script(script_bytes.begin(), script_bytes.end());
  size_t references = 0;
  for (size_t at = script.find("\"art/"); at != std::string::npos; at = script.find("\"art/", at + 1))
    ++references;
  EXPECT_EQ(references, Drawn().size());
  for (const ArtFile& file : Drawn()) {
    const std::string quoted = "\"art/" + file.name + "\"";
    const size_t first = script.find(quoted);
    EXPECT_NE(first, std::string::npos) << file.name;
    EXPECT_EQ(script.find(quoted, first + 1), std::string::npos) << file.name;
  }
}

TEST(ArtFiles, ResourceIdsAreUniquePerKind) {
  std::set<std::pair<bool, int>> seen;
  for (const ArtFile& file : Drawn()) {
    const bool icon = file.name.ends_with(".ico");
    EXPECT_TRUE(seen.insert({icon, file.resource_id}).second) << file.name;
  }
}

TEST(ArtIcons, StatusAndTrayIconsAreSixteenPixelsInTheStandardColours) {
  const std::vector<Rgb> standard = {
      {0, 0, 0},       {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
      {0, 128, 128},   kSilver,     kGray,       kRed,          {0, 255, 0},   {255, 255, 0},
      {0, 0, 255},     kMagenta,    {0, 255, 255}, kWhite};
  for (const ArtFile& file : Drawn()) {
    if (!file.name.ends_with(".ico") || file.name == "tarnwick.ico") continue;
    SCOPED_TRACE(file.name);
    const reader::Bytes bytes = Committed(file.name);
    const std::vector<IconEntry> entries = ReadIconDirectory(bytes);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].width, 16);
    EXPECT_EQ(entries[0].height, 16);
    EXPECT_EQ(entries[0].bits, 4);
    EXPECT_EQ(entries[0].colour_count, 16);
    EXPECT_EQ(ReadIconImage(bytes, entries[0]).palette, standard);
  }
}

TEST(ArtIcons, ProgramIconHasBothSizesInSixteenAndTrueColour) {
  const reader::Bytes bytes = Committed("tarnwick.ico");
  const std::vector<IconEntry> entries = ReadIconDirectory(bytes);
  ASSERT_EQ(entries.size(), 4u);
  const std::pair<int, int> expected[] = {{16, 4}, {32, 4}, {16, 32}, {32, 32}};
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i].width, expected[i].first);
    EXPECT_EQ(entries[i].height, expected[i].first);
    EXPECT_EQ(entries[i].bits, expected[i].second);
    const Picture picture = ReadIconImage(bytes, entries[i]);
    const int last = picture.width - 1;
    // Round: the corners show the background, the middle is drawn.
    EXPECT_TRUE(picture.Hidden(0, 0) && picture.Hidden(last, 0) && picture.Hidden(0, last) &&
                picture.Hidden(last, last));
    EXPECT_FALSE(picture.Hidden(picture.width / 2, picture.height / 2));
    EXPECT_GT(picture.CountVisible(), picture.width * picture.height * 3 / 4);
  }
}

TEST(ArtIcons, MasksShowEachPicturesShape) {
  struct Case {
    const char* name;
    int min_visible;
    int max_visible;
    bool corners_hidden;
  } cases[] = {
      {"state_connected.ico", 40, 140, true},      {"state_not_connected.ico", 40, 140, true},
      // The stripes fill the square but for its four corner pixels, which round it off.
      {"state_connecting.ico", 60, 160, true},     {"tray_stripes_empty.ico", 252, 252, true},
      {"tray_stripes_02.ico", 252, 252, true},     {"tray_stripes_full.ico", 252, 252, true},
      {"tray_number_00.ico", 190, 230, true},      {"tray_number_20.ico", 190, 230, true},
      {"tray_question.ico", 190, 230, true},       {"tray_blank.ico", 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = SmallIcon(c.name);
    EXPECT_GE(picture.CountVisible(), c.min_visible);
    EXPECT_LE(picture.CountVisible(), c.max_visible);
    EXPECT_EQ(picture.Hidden(0, 0) && picture.Hidden(15, 0) && picture.Hidden(0, 15) &&
                  picture.Hidden(15, 15),
              c.corners_hidden);
  }
}

TEST(ArtIcons, BlankIconLeavesTheScreenAsItIs) {
  const Picture blank = SmallIcon("tray_blank.ico");
  // Every mask bit set and every colour black: the screen is ANDed with ones and XORed with zeros.
  EXPECT_EQ(blank.CountVisible(), 0);
  EXPECT_TRUE(std::all_of(blank.colours.begin(), blank.colours.end(),
                          [](const Rgb& c) { return c == kBlack; }));
}

TEST(ArtIcons, StripesTurnRedFromTheBottomAFifthAtATime) {
  struct Case {
    const char* name;
    int red_rows;  // of the 14 rows inside the frame
  } cases[] = {{"tray_stripes_empty.ico", 0}, {"tray_stripes_00.ico", 1}, {"tray_stripes_01.ico", 3},
               {"tray_stripes_02.ico", 6},    {"tray_stripes_03.ico", 8}, {"tray_stripes_04.ico", 11},
               {"tray_stripes_full.ico", 14}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = SmallIcon(c.name);
    for (int y = 1; y <= 14; ++y) {
      const bool want_red = y > 14 - c.red_rows;
      for (int x = 1; x <= 14; ++x) {
        const Rgb colour = picture.At(x, y);
        const bool red = colour == kRed || colour == kMaroon;
        EXPECT_EQ(red, want_red) << "at " << x << "," << y;
      }
    }
  }
}

TEST(ArtIcons, EachCountIsBlackInkInsideTheWhiteDisc) {
  std::set<std::vector<Rgb>> seen;
  std::vector<std::string> names;
  for (int n = 0; n <= 20; ++n) names.push_back((n < 10 ? "tray_number_0" : "tray_number_") +
                                                std::to_string(n) + ".ico");
  names.push_back("tray_question.ico");
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const Picture picture = SmallIcon(name);
    int ink = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if (picture.Hidden(x, y) || !(picture.At(x, y) == kBlack)) continue;
        ++ink;
        // Ink never touches the disc's edge: white or ink on all four sides.
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const Rgb beside = picture.At(x + dx, y + dy);
          EXPECT_TRUE(beside == kWhite || beside == kBlack) << "ink at " << x << "," << y;
        }
      }
    }
    EXPECT_GE(ink, 7);
    EXPECT_TRUE(seen.insert(picture.colours).second) << "looks like another count";
  }
}

TEST(ArtBitmaps, SizesDepthsAndKeyColours) {
  struct Case {
    const char* name;
    int width;
    int height;
    int bits;
    Rgb corner;  // the transparent key of the tool bar and the sort marks
  } cases[] = {{"toolbar.bmp", 176, 15, 4, kSilver},
               {"sort_marks.bmp", 16, 7, 4, kMagenta},
               {"about_banner.bmp", 250, 88, 24, {0, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = ReadBitmapFile(Committed(c.name));
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    EXPECT_EQ(picture.bits, c.bits);
    if (c.bits == 4) {
      EXPECT_EQ(picture.palette.size(), 16u);
      EXPECT_EQ(picture.At(0, 0), c.corner);
      EXPECT_EQ(picture.At(c.width - 1, c.height - 1), c.corner);
    }
  }
}

TEST(ArtBitmaps, EveryToolbarButtonHasItsOwnGlyph) {
  const Picture strip = ReadBitmapFile(Committed("toolbar.bmp"));
  std::set<std::vector<Rgb>> glyphs;
  for (int button = 0; button < 11; ++button) {
    std::vector<Rgb> glyph;
    int ink = 0;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 16; ++x) {
        glyph.push_back(strip.At(button * 16 + x, y));
        if (!(glyph.back() == kSilver)) ++ink;
      }
    }
    EXPECT_GE(ink, 25) << "button " << button;
    EXPECT_TRUE(glyphs.insert(glyph).second) << "button " << button;
  }
}

TEST(ArtBitmaps, SortMarksPointUpThenDown) {
  const Picture marks = ReadBitmapFile(Committed("sort_marks.bmp"));
  auto row_ink = [&](int image, int y) {
    int ink = 0;
    for (int x = 0; x < 8; ++x) ink += marks.At(image * 8 + x, y) == kGray ? 1 : 0;
    return ink;
  };
  for (int y : {0, 1, 6}) {
    EXPECT_EQ(row_ink(0, y), 0);
    EXPECT_EQ(row_ink(1, y), 0);
  }
  for (int step = 0; step < 4; ++step) {
    EXPECT_EQ(row_ink(0, 2 + step), 1 + 2 * step);  // widening downwards: points up
    EXPECT_EQ(row_ink(1, 5 - step), 1 + 2 * step);  // widening upwards: points down
  }
}

}  // namespace
}  // namespace tarnwick::art
