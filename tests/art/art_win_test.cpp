// The pictures as the program gets them: loaded from the test program's own resources (the same
// script as Tarnwick.exe's) through the calls the windows use, and drawn by the system's own code.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "resources/resource.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

UniqueIcon LoadIconOfSize(int id, int size) {
  return UniqueIcon(static_cast<HICON>(
      LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// Icon `id` drawn over white at 16 x 16 as RGB values, top row first: what a user would see of it.
// Empty when it does not load or draw.
std::vector<uint32_t> OnWhite(int id) {
  const UniqueIcon icon = LoadIconOfSize(id, 16);
  bool drawn = false;
  std::vector<uint32_t> pixels = testing::DrawnPixels(16, 16, [&](HDC dc) {
    const RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    drawn = icon && DrawIconEx(dc, 0, 0, icon.Get(), 16, 16, 0, nullptr, DI_NORMAL);
  });
  return drawn ? pixels : std::vector<uint32_t>{};
}

TEST(ArtResources, EveryIconLoadsAndPaintsOnlyItsShape) {
  struct Range {
    int least;
    int most;
  };
  // A number disc is white itself, so only its rim (44 pixels) and its ink count as painted.
  const std::map<int, Range> ranges = {
      {IDR_MAINFRAME, {180, 230}},           {IDI_STATE_CONNECTED, {40, 140}},
      {IDI_STATE_NOT_CONNECTED, {40, 140}},  {IDI_STATE_CONNECTING, {60, 160}},
      {IDI_TRAY_STRIPES_EMPTY, {252, 252}},  {IDI_TRAY_STRIPES_FULL, {252, 252}},
      {IDI_TRAY_NUMBER_FIRST + 7, {50, 90}}, {IDI_TRAY_QUESTION, {50, 90}},
      {IDI_TRAY_BLANK, {0, 0}}};
  std::vector<int> ids = {IDR_MAINFRAME, IDI_STATE_CONNECTED, IDI_STATE_NOT_CONNECTED,
                          IDI_STATE_CONNECTING, IDI_TRAY_QUESTION, IDI_TRAY_BLANK};
  for (int id = IDI_TRAY_STRIPES_EMPTY; id <= IDI_TRAY_STRIPES_FULL; ++id) ids.push_back(id);
  for (int id = IDI_TRAY_NUMBER_FIRST; id <= IDI_TRAY_NUMBER_LAST; ++id) ids.push_back(id);
  for (int id : ids) {
    const std::vector<uint32_t> pixels = OnWhite(id);
    ASSERT_EQ(pixels.size(), 256u) << id;
    const auto painted =
        std::count_if(pixels.begin(), pixels.end(), [](uint32_t c) { return c != 0xFFFFFF; });
    const auto range = ranges.find(id);
    const Range expected = range != ranges.end() ? range->second : Range{40, 252};
    EXPECT_GE(painted, expected.least) << id;
    EXPECT_LE(painted, expected.most) << id;
    EXPECT_EQ(pixels[0], 0xFFFFFFu) << id;
  }

  // The lowest fill level: the bottom row inside the frame red, the top one not. The system reads
  // the rows the right way up and the colours from the right entries of the table.
  const std::vector<uint32_t> stripes = OnWhite(IDI_TRAY_STRIPES_FIRST);
  ASSERT_EQ(stripes.size(), 256u);
  const auto red = [&](int x, int y) {
    return stripes[y * 16 + x] == 0xFF0000 || stripes[y * 16 + x] == 0x800000;
  };
  for (int x = 1; x <= 14; ++x) {
    EXPECT_TRUE(red(x, 14)) << x;
    EXPECT_FALSE(red(x, 1)) << x;
  }
}

// The tool bar maps the classic face colour of its bitmap to the system's button face. (The sort
// marks are cut into their images where the DPI test reads the column headers' image list.)
TEST(ArtResources, TheToolBarsKeyColourBecomesTheButtonFace) {
  const UniqueGdiObject mapped(CreateMappedBitmap(Self(), IDR_MAINFRAME, 0, nullptr, 0));
  ASSERT_TRUE(mapped);
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelectObject select(dc.Get(), mapped.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc.Get(), 175, 14), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace tarnwick
