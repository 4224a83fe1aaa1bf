// The eight highlight fonts.
#include "highlight/highlight_fonts_win.h"

namespace tarnwick {

bool HighlightFonts::Create(const LOGFONTA& base) {
  bool all = true;
  for (int index = 0; index < kHighlightFontCount; ++index) {
    LOGFONTA font = base;
    font.lfWeight = (index & 1) != 0 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (index & 2) != 0 ? TRUE : FALSE;
    font.lfUnderline = (index & 4) != 0 ? TRUE : FALSE;
    fonts_[index].Reset(CreateFontIndirectA(&font));
    if (!fonts_[index]) all = false;
  }
  return all;
}

bool HighlightFonts::CreateFromWindowFont(HWND window) {
  LOGFONTA base = {};
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (font == nullptr || GetObjectA(font, sizeof(base), &base) != sizeof(base)) base = LOGFONTA{};
  return Create(base);
}

HFONT HighlightFonts::Get(int styleIndex) const {
  if (styleIndex < 0 || styleIndex >= kHighlightFontCount) return nullptr;
  return fonts_[styleIndex].Get();
}

}  // namespace tarnwick
