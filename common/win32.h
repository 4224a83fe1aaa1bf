// The one way the glue code includes the Win32 headers: Winsock before <windows.h>, then the
// common controls. UNICODE is never defined: text a user sees goes through the W calls by name
// (common/wide_text_win.h), fixed ASCII texts of the program may use the A calls.
#ifndef TARNWICK_COMMON_WIN32_H
#define TARNWICK_COMMON_WIN32_H

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>
#include <shellapi.h>

#endif
