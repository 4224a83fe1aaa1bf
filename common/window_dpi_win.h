// The DPI a window is drawn at, and the program's own pictures drawn for it. Per-monitor DPI
// arrived with Windows 8.1 and 10; the 32-bit program also runs on systems before them, so the
// newer calls are looked up at run time and every system without them has one DPI for the screen.
#ifndef TARNWICK_COMMON_WINDOW_DPI_WIN_H
#define TARNWICK_COMMON_WINDOW_DPI_WIN_H

#include "common/unique_handle_win.h"
#include "common/win32.h"

namespace tarnwick {

inline constexpr UINT kDesignDpi = 96;  // the DPI every picture and pixel size is drawn for
// WM_DPICHANGED and WM_DPICHANGED_AFTERPARENT, which the headers for the oldest supported system
// do not name.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
inline constexpr UINT kDpiChangedAfterParentMessage = 0x02E3;

// GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
UINT WindowDpi(HWND window);
// The screen's LOGPIXELSY: the DPI the stock fonts and a control's default font are made for.
UINT ScreenDpi();
// `pixels` at 96 DPI, at `dpi`.
int ScaleForDpi(int pixels, UINT dpi);
// GetSystemMetricsForDpi where the system has it, else GetSystemMetrics (one DPI for all).
int SystemMetricForDpi(int index, UINT dpi);

// A bitmap resource enlarged for `dpi` pixel by pixel (no blending, so drawn pictures stay
// sharp); the caller owns it. Null when the resource is missing.
HBITMAP LoadBitmapForDpi(HINSTANCE instance, int id, UINT dpi);
// An image list of `count` pictures from a strip bitmap resource drawn at 96 DPI, enlarged for
// `dpi`; pixels of `transparent` colour are left out. The caller owns it.
HIMAGELIST LoadImageStripForDpi(HINSTANCE instance, int id, int count, COLORREF transparent,
                                UINT dpi);

// A control's font kept at its window's DPI. The first rescale remembers the font the control had
// (its description and the DPI it was made for; the stock GUI font when it has none of its own) and
// every rescale scales that description, so moves back and forth between screens never drift. The
// object owns the font it made last, and must live as long as the control uses it.
class DpiFont {
 public:
  void Rescale(HWND control, UINT fromDpi, UINT toDpi);

 private:
  LOGFONTW base_ = {};
  UINT baseDpi_ = 0;
  UniqueFont font_;
};

}  // namespace tarnwick

#endif
