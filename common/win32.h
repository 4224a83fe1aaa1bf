// The one way the glue code includes the Win32 headers: Winsock before <windows.h>, then the
// common controls. ANSI functions throughout (UNICODE is never defined).
#ifndef TARNWICK_COMMON_WIN32_H
#define TARNWICK_COMMON_WIN32_H

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>
#include <shellapi.h>

#endif
