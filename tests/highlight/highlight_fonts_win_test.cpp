// The eight highlight fonts made from a real font description.
#include "highlight/highlight_fonts_win.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnwick {
namespace {

LOGFONTA Describe(HFONT font) {
  LOGFONTA description = {};
  EXPECT_EQ(GetObjectA(font, sizeof(description), &description), static_cast<int>(sizeof(description)));
  return description;
}

void ExpectStyles(const HighlightFonts& fonts, LONG height, const char* face) {
  for (int index = 0; index < kHighlightFontCount; ++index) {
    ASSERT_NE(fonts.Get(index), nullptr) << index;
    const LOGFONTA font = Describe(fonts.Get(index));
    EXPECT_EQ(font.lfWeight, (index & 1) ? FW_BOLD : FW_NORMAL) << index;
    EXPECT_EQ(font.lfItalic != 0, (index & 2) != 0) << index;
    EXPECT_EQ(font.lfUnderline != 0, (index & 4) != 0) << index;
    EXPECT_EQ(font.lfHeight, height) << index;
    EXPECT_STREQ(font.lfFaceName, face) << index;
  }
  EXPECT_EQ(fonts.Get(-1), nullptr);
  EXPECT_EQ(fonts.Get(kHighlightFontCount), nullptr);
}

TEST(HighlightFontsGlue, TakeEverythingButTheStyleFromTheBaseFont) {
  LOGFONTA base = {};
  base.lfHeight = -13;
  base.lfWeight = FW_HEAVY;
  base.lfItalic = TRUE;
  base.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(base.lfFaceName, "Tahoma");
  HighlightFonts fonts;
  ASSERT_TRUE(fonts.Create(base));
  ExpectStyles(fonts, -13, "Tahoma");
}

TEST(HighlightFontsGlue, UseTheWindowsFontOrAnEmptyDescription) {
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  LOGFONTA chosen = {};
  chosen.lfHeight = -17;
  std::strcpy(chosen.lfFaceName, "Courier New");
  UniqueFont font(CreateFontIndirectA(&chosen));
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  HighlightFonts fonts;
  ASSERT_TRUE(fonts.CreateFromWindowFont(list));
  ExpectStyles(fonts, -17, "Courier New");
  DestroyWindow(list);

  HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  ASSERT_EQ(SendMessageA(plain, WM_GETFONT, 0, 0), 0);
  HighlightFonts fallback;
  ASSERT_TRUE(fallback.CreateFromWindowFont(plain));
  ExpectStyles(fallback, 0, "");
  DestroyWindow(plain);
}

}  // namespace
}  // namespace tarnwick
