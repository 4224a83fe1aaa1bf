// The pictures as the program gets them: loaded from the test program's own resources (the same
// script as Tarnwick.exe's) through the calls the windows use, and drawn with the system's own code.
#include <gtest/gtest.h>

#include <vector>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

std::vector<int> IconIds() {
  std::vector<int> ids = {IDR_MAINFRAME, IDI_STATE_CONNECTED, IDI_STATE_NOT_CONNECTED,
                          IDI_STATE_CONNECTING, IDI_TRAY_STRIPES_EMPTY};
  for (int id = IDI_TRAY_STRIPES_FIRST; id <= IDI_TRAY_STRIPES_FULL; ++id) ids.push_back(id);
  for (int id = IDI_TRAY_NUMBER_FIRST; id <= IDI_TRAY_NUMBER_LAST; ++id) ids.push_back(id);
  ids.push_back(IDI_TRAY_QUESTION);
  ids.push_back(IDI_TRAY_BLANK);
  return ids;
}

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
  bool White(int x, int y) const { return (pixels_[y * kSize + x] & 0xFFFFFF) == 0xFFFFFF; }
  int CountPainted() const {
    int painted = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) painted += White(x, y) ? 0 : 1;
    return painted;
  }

  static constexpr int kSize = 16;

 private:
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  const DWORD* pixels_ = nullptr;
  HGDIOBJ select_ = nullptr;
};

TEST(ArtResources, EveryIconLoadsAtSixteenPixels) {
  for (int id : IconIds()) {
    SCOPED_TRACE(id);
    const UniqueIcon icon = LoadIconOfSize(id, 16);
    ASSERT_TRUE(icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
    const UniqueGdiObject colour(info.hbmColor);
    const UniqueGdiObject mask(info.hbmMask);
    EXPECT_TRUE(info.fIcon);
    ASSERT_TRUE(colour);
    EXPECT_EQ(BitmapSize(colour.Get()).cx, 16);
    EXPECT_EQ(BitmapSize(colour.Get()).cy, 16);
    EXPECT_EQ(BitmapSize(mask.Get()).cx, 16);
    EXPECT_EQ(BitmapSize(mask.Get()).cy, 16);
  }
}

TEST(ArtResources, ProgramIconLoadsForTheWindowClassAndLarge) {
  EXPECT_NE(LoadIconA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);  // shared: not freed
  const UniqueIcon large = LoadIconOfSize(IDR_MAINFRAME, 32);
  ASSERT_TRUE(large);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(large.Get(), &info));
  const UniqueGdiObject colour(info.hbmColor);
  const UniqueGdiObject mask(info.hbmMask);
  EXPECT_EQ(BitmapSize(colour.Get()).cx, 32);
  EXPECT_EQ(BitmapSize(colour.Get()).cy, 32);
}

TEST(ArtResources, BitmapsHaveTheirSizes) {
  struct Case {
    int id;
    LONG width;
    LONG height;
  } cases[] = {{IDR_MAINFRAME, 176, 15}, {IDB_SORT_MARKS, 16, 7}, {IDB_ABOUT_BANNER, 250, 88}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const UniqueGdiObject bitmap(
        LoadImageA(Self(), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(BitmapSize(bitmap.Get()).cx, c.width);
    EXPECT_EQ(BitmapSize(bitmap.Get()).cy, c.height);
  }
}

TEST(ArtResources, IconsPaintOnlyTheirShape) {
  struct Case {
    int id;
    int min_painted;
    int max_painted;
    bool corner_painted;
  } cases[] = {
      {IDR_MAINFRAME, 180, 230, false},         {IDI_STATE_CONNECTED, 40, 140, false},
      {IDI_STATE_NOT_CONNECTED, 40, 140, false}, {IDI_STATE_CONNECTING, 60, 160, false},
      {IDI_TRAY_STRIPES_EMPTY, 252, 252, false}, {IDI_TRAY_STRIPES_FULL, 252, 252, false},
      {IDI_TRAY_NUMBER_FIRST + 7, 50, 90, false},  {IDI_TRAY_QUESTION, 50, 90, false},
      {IDI_TRAY_BLANK, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const UniqueIcon icon = LoadIconOfSize(c.id, 16);
    ASSERT_TRUE(icon);
    WhiteSurface surface;
    ASSERT_TRUE(surface.Draw(icon.Get()));
    // A number disc is white itself, so only its rim (44 pixels) and its ink count as painted.
    EXPECT_GE(surface.CountPainted(), c.min_painted);
    EXPECT_LE(surface.CountPainted(), c.max_painted);
    EXPECT_EQ(!surface.White(0, 0), c.corner_painted);
  }
}

TEST(ArtResources, ToolbarFaceTakesTheSystemColour) {
  // The tool bar maps the classic face colour of its bitmap to the system's button face.
  const UniqueGdiObject mapped(CreateMappedBitmap(Self(), IDR_MAINFRAME, 0, nullptr, 0));
  ASSERT_TRUE(mapped);
  EXPECT_EQ(BitmapSize(mapped.Get()).cx, 176);
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ScopedSelectObject select(dc.Get(), mapped.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc.Get(), 175, 14), GetSysColor(COLOR_BTNFACE));
}

TEST(ArtResources, SortMarksCutIntoTwoImagesOnMagenta) {
  const UniqueImageList list(ImageList_LoadImageA(Self(), MAKEINTRESOURCEA(IDB_SORT_MARKS), 8, 0,
                                                  RGB(255, 0, 255), IMAGE_BITMAP,
                                                  LR_CREATEDIBSECTION));
  ASSERT_TRUE(list);
  EXPECT_EQ(ImageList_GetImageCount(list.Get()), 2);
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list.Get(), &width, &height));
  EXPECT_EQ(width, 8);
  EXPECT_EQ(height, 7);
}

}  // namespace
}  // namespace tarnwick
