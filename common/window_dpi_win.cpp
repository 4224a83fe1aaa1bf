#include "common/window_dpi_win.h"

#include <utility>

#include "common/unique_handle_win.h"

namespace tarnwick {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
  // Through a function type without parameters, which every function pointer converts to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

UINT ScreenDpi() {
  ScopedWindowDc screen(nullptr);
  const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  return ScreenDpi();
}

int ScaleForDpi(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto forDpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, dpi);
  return GetSystemMetrics(index);
}

namespace {

HBITMAP LoadBitmapResource(HINSTANCE instance, int id, BITMAP& size) {
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(size), &size) == 0) return nullptr;
  return bitmap;
}

// `original` stretched to `width` x `height`, each pixel copied whole.
HBITMAP StretchedCopy(HBITMAP original, const BITMAP& size, int width, int height) {
  ScopedWindowDc screen(nullptr);
  UniqueMemoryDc from(CreateCompatibleDC(screen.Get()));
  UniqueMemoryDc to(CreateCompatibleDC(screen.Get()));
  UniqueGdiObject scaled(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!from || !to || !scaled) return nullptr;
  {
    ScopedSelectObject source(from.Get(), original);
    ScopedSelectObject target(to.Get(), scaled.Get());
    SetStretchBltMode(to.Get(), COLORONCOLOR);
    StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, size.bmWidth, size.bmHeight,
               SRCCOPY);
  }
  return static_cast<HBITMAP>(scaled.Release());
}

}  // namespace

HBITMAP LoadBitmapForDpi(HINSTANCE instance, int id, UINT dpi) {
  BITMAP size = {};
  UniqueGdiObject original(LoadBitmapResource(instance, id, size));
  if (!original) return nullptr;
  return StretchedCopy(static_cast<HBITMAP>(original.Get()), size, ScaleForDpi(size.bmWidth, dpi),
                       ScaleForDpi(size.bmHeight, dpi));
}

HIMAGELIST LoadImageStripForDpi(HINSTANCE instance, int id, int count, COLORREF transparent,
                                UINT dpi) {
  BITMAP size = {};
  UniqueGdiObject original(LoadBitmapResource(instance, id, size));
  if (!original || count <= 0) return nullptr;
  // Each picture is scaled, not the strip, so rounding never shifts one into the next.
  const int width = ScaleForDpi(size.bmWidth / count, dpi);
  const int height = ScaleForDpi(size.bmHeight, dpi);
  UniqueGdiObject strip(
      StretchedCopy(static_cast<HBITMAP>(original.Get()), size, width * count, height));
  if (!strip) return nullptr;
  HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
  if (list != nullptr) ImageList_AddMasked(list, static_cast<HBITMAP>(strip.Get()), transparent);
  return list;
}

void DpiFont::Rescale(HWND control, UINT fromDpi, UINT toDpi) {
  if (control == nullptr || fromDpi == 0 || toDpi == 0) return;
  if (baseDpi_ == 0) {
    auto current = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (current == nullptr) current = GetStockObject(DEFAULT_GUI_FONT);
    if (GetObjectW(current, sizeof(base_), &base_) != sizeof(base_)) return;
    baseDpi_ = fromDpi;
  }
  LOGFONTW scaled = base_;
  scaled.lfHeight = MulDiv(base_.lfHeight, static_cast<int>(toDpi), static_cast<int>(baseDpi_));
  scaled.lfWidth = MulDiv(base_.lfWidth, static_cast<int>(toDpi), static_cast<int>(baseDpi_));
  UniqueFont made(CreateFontIndirectW(&scaled));
  if (!made) return;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), TRUE);
  // The control has let go of the font it used before, which may be the one made last time.
  font_ = std::move(made);
}

}  // namespace tarnwick
