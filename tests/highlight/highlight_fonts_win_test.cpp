// The eight highlight fonts made from a real font description.
#include "highlight/highlight_fonts_win.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/unique_handle_win.h"

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

// Everything but the style comes from the window's font, or from an empty description without one.
TEST(HighlightFontsGlue, TakeEverythingButTheStyleFromTheWindowsFont) {
  LOGFONTA chosen = {};
  chosen.lfHeight = -17;
  chosen.lfWeight = FW_HEAVY;
  chosen.lfItalic = TRUE;
  std::strcpy(chosen.lfFaceName, "Courier New");
  UniqueFont font(CreateFontIndirectA(&chosen));
  for (const HFONT given : {font.Get(), HFONT{}}) {
    UniqueWindow window(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    SendMessageA(window.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(given), FALSE);
    HighlightFonts fonts;
    ASSERT_TRUE(fonts.CreateFromWindowFont(window.Get()));
    ExpectStyles(fonts, given ? -17 : 0, given ? "Courier New" : "");
  }
}

}  // namespace
}  // namespace tarnwick
