// The DPI a window is drawn at, and the program's own pictures drawn for it. Per-monitor DPI
// arrived with Windows 8.1 and 10; the 32-bit program also runs on systems before them, so the
// newer calls are looked up at run time and every system without them has one DPI for the screen.
#ifndef TARNWICK_COMMON_WINDOW_DPI_WIN_H
#define TARNWICK_COMMON_WINDOW_DPI_WIN_H

#include "common/win32.h"

namespace tarnwick {

inline constexpr UINT kDesignDpi = 96;  // the DPI every picture and pixel size is drawn for

// GetDpiForWindow where the system has it, else the screen's LOGPIXELSY.
UINT WindowDpi(HWND window);
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

}  // namespace tarnwick

#endif
