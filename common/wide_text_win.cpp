#include "common/wide_text_win.h"

#include <climits>

#include "common/utf8_text.h"

namespace tarnwick {

// wchar_t is UTF-16 on Windows, so the two string types share one layout.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(std::string_view utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::u16string DecodeAnsiCodePage(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return std::u16string();
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return DecodeCodePage1252(bytes);
  std::u16string out(static_cast<size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()),
                      needed);
  return out;
}

std::string ServerText(std::string_view bytes) {
  return ServerTextToUtf8(bytes, &DecodeAnsiCodePage);
}

void SetWindowTextUtf8(HWND window, std::string_view utf8) {
  SetWindowTextW(window, Widen(utf8).c_str());
}

std::string WindowTextUtf8(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return Narrow(text);
}

std::string DialogItemTextUtf8(HWND dialog, int id) {
  return WindowTextUtf8(GetDlgItem(dialog, id));
}

void SetDialogItemTextUtf8(HWND dialog, int id, std::string_view utf8) {
  SetDlgItemTextW(dialog, id, Widen(utf8).c_str());
}

std::u32string FoldWithPlatform(std::string_view utf8) {
  std::wstring wide = Widen(utf8);
  if (!wide.empty() && wide.size() <= MAXDWORD) {
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  }
  return FoldText(Narrow(wide));
}

int CompareInUserLocale(std::string_view a, std::string_view b) {
  const std::wstring first = Widen(a);
  const std::wstring second = Widen(b);
  if (first.size() > INT_MAX || second.size() > INT_MAX) return CompareUtf8NoCase(a, b);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first.c_str(),
                                    static_cast<int>(first.size()), second.c_str(),
                                    static_cast<int>(second.size()));
  if (result == 0) return CompareUtf8NoCase(a, b);
  return result - CSTR_EQUAL;
}

}  // namespace tarnwick
