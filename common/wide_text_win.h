// The program's UTF-8 text at the platform's wide calls: window texts, list cells, combo items.
// Every text a user sees is set through the W calls, so that screen readers and other programs
// reading it through the Unicode messages get it as written.
#ifndef TARNWICK_COMMON_WIDE_TEXT_WIN_H
#define TARNWICK_COMMON_WIDE_TEXT_WIN_H

#include <string>
#include <string_view>

#include "common/win32.h"

namespace tarnwick {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The ANSI code page's reading of bytes (MultiByteToWideChar with CP_ACP).
std::u16string DecodeAnsiCodePage(std::string_view bytes);

// Server bytes as UTF-8 by the per-string rule, decoding with the ANSI code page.
std::string ServerText(std::string_view bytes);

void SetWindowTextUtf8(HWND window, std::string_view utf8);
std::string WindowTextUtf8(HWND window);
std::string DialogItemTextUtf8(HWND dialog, int id);
void SetDialogItemTextUtf8(HWND dialog, int id, std::string_view utf8);

// Folded code points of UTF-8 text by the platform's lower-casing (CharLowerBuffW), then the
// portable fold for what that leaves (Windows keeps the final sigma, for one).
std::u32string FoldWithPlatform(std::string_view utf8);

// The user's locale order without regard to case (CompareStringW, NORM_IGNORECASE): -1, 0 or 1.
int CompareInUserLocale(std::string_view a, std::string_view b);

}  // namespace tarnwick

#endif
