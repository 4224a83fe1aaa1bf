// The eight highlight fonts made from a real font description.
#include "highlight/highlight_fonts_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "common/unique_handle_win.h"

namespace tarnwick {
namespace {

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
    for (int index = 0; index < kHighlightFontCount; ++index) {
      LOGFONTA f = {};
      ASSERT_EQ(GetObjectA(fonts.Get(index), sizeof(f), &f), static_cast<int>(sizeof(f))) << index;
      EXPECT_EQ(std::tuple(f.lfWeight, f.lfItalic != 0, f.lfUnderline != 0, f.lfHeight,
                           std::string(f.lfFaceName)),
                std::tuple(LONG{(index & 1) ? FW_BOLD : FW_NORMAL}, (index & 2) != 0,
                           (index & 4) != 0, LONG{given ? -17 : 0},
                           std::string(given ? "Courier New" : "")))
          << index;
    }
  }
}

}  // namespace
}  // namespace tarnwick
