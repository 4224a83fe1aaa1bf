// The pictures as the program gets them: loaded from the test program's own resources (the same
// script as Tarnwick.exe's) through the calls the windows use, and drawn by the system's own code.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

UniqueIcon LoadIconOfSize(int id, int size) {
  return UniqueIcon(static_cast<HICON>(
      LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

SIZE BitmapSize(HGDIOBJ bitmap) {
  BITMAP info = {};
  if (GetObjectA(bitmap, sizeof(info), &info) != sizeof(info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

// The icon drawn over white on a 16 x 16 true-colour surface: what a user would see of it.
class WhiteSurface {
 public:
  WhiteSurface() : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<const DWORD*>(bits);
    select_ = SelectObject(dc_.Get(), bitmap_.Get());
    RECT all = {0, 0, kSize, kSize};
    FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~WhiteSurface() { SelectObject(dc_.Get(), select_); }
  WhiteSurface(const WhiteSurface&) = delete;
  WhiteSurface& operator=(const WhiteSurface&) = delete;

  bool Draw(HICON icon) {
    const BOOL drawn = DrawIconEx(dc_.Get(), 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
    GdiFlush();
    return drawn != FALSE;
  }
  DWORD Rgb(int x, int y) const { return pixels_[y * kSize + x] & 0xFFFFFF; }
  int CountPainted() const {
    int painted = 0;
    for (int i = 0; i < kSize * kSize; ++i) painted += Rgb(i % kSize, i / kSize) != 0xFFFFFF;
    return painted;
  }

  static constexpr int kSize = 16;

 private:
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  const DWORD* pixels_ = nullptr;
  HGDIOBJ select_ = nullptr;
};

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
    const UniqueIcon icon = LoadIconOfSize(id, 16);
    ASSERT_TRUE(icon) << id;
    WhiteSurface surface;
    ASSERT_TRUE(surface.Draw(icon.Get())) << id;
    const auto range = ranges.find(id);
    const Range expected = range != ranges.end() ? range->second : Range{40, 252};
    EXPECT_GE(surface.CountPainted(), expected.least) << id;
    EXPECT_LE(surface.CountPainted(), expected.most) << id;
    EXPECT_EQ(surface.Rgb(0, 0), 0xFFFFFFu) << id;
  }
  EXPECT_TRUE(LoadIconOfSize(IDR_MAINFRAME, 32));
  EXPECT_NE(LoadIconA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);  // shared: not freed

  // The lowest fill level: the bottom row inside the frame red, the top one not. The system reads
  // the rows the right way up and the colours from the right entries of the table.
  WhiteSurface stripes;
  ASSERT_TRUE(stripes.Draw(LoadIconOfSize(IDI_TRAY_STRIPES_FIRST, 16).Get()));
  for (int x = 1; x <= 14; ++x) {
    EXPECT_TRUE(stripes.Rgb(x, 14) == 0xFF0000 || stripes.Rgb(x, 14) == 0x800000) << x;
    EXPECT_FALSE(stripes.Rgb(x, 1) == 0xFF0000 || stripes.Rgb(x, 1) == 0x800000) << x;
  }
}

TEST(ArtResources, BitmapsLoadAsTheWindowsUseThem) {
  struct Case {
    int id;
    LONG width;
    LONG height;
  } cases[] = {{IDR_MAINFRAME, 176, 15}, {IDB_SORT_MARKS, 16, 7}, {IDB_ABOUT_BANNER, 250, 88}};
  for (const Case& c : cases) {
    const UniqueGdiObject bitmap(
        LoadImageA(Self(), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_TRUE(bitmap) << c.id;
    EXPECT_EQ(BitmapSize(bitmap.Get()).cx, c.width) << c.id;
    EXPECT_EQ(BitmapSize(bitmap.Get()).cy, c.height) << c.id;
  }

  // The tool bar maps the classic face colour of its bitmap to the system's button face.
  const UniqueGdiObject mapped(CreateMappedBitmap(Self(), IDR_MAINFRAME, 0, nullptr, 0));
  ASSERT_TRUE(mapped);
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelectObject select(dc.Get(), mapped.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc.Get(), 175, 14), GetSysColor(COLOR_BTNFACE));

  // The column headers cut the sort marks into two images on magenta.
  const UniqueImageList list(ImageList_LoadImageA(Self(), MAKEINTRESOURCEA(IDB_SORT_MARKS), 8, 0,
                                                  RGB(255, 0, 255), IMAGE_BITMAP,
                                                  LR_CREATEDIBSECTION));
  ASSERT_TRUE(list);
  EXPECT_EQ(ImageList_GetImageCount(list.Get()), 2);
}

}  // namespace
}  // namespace tarnwick
