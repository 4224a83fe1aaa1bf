// Text helpers: ASCII-only case folding and atoi's reading of numbers, server text as shown and
// its UTF-16 form. (That well-formed UTF-8 stays as sent and survives the wide calls is the text
// fuzzer's invariant; replacing words is seen where the uninstall command and the window command
// line are read.)
#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "common/utf8_text.h"

namespace tarnwick {
namespace {

TEST(AnsiText, FoldsAsciiOnlySoUtf8BytesStay) {
  EXPECT_EQ(LowerCopy("Hello [KX4T]"), "hello [kx4t]");
  EXPECT_EQ(LowerCopy("\xC3\x9C\xC4\xD6"), "\xC3\x9C\xC4\xD6");
  EXPECT_TRUE(EqualsNoCase("Status", "sTATUS"));
  EXPECT_FALSE(EqualsNoCase("status", "status "));
  EXPECT_TRUE(StartsWithNoCase("Status", "ST"));
  EXPECT_FALSE(StartsWithNoCase("s", "st"));
}

TEST(AnsiText, ParsesDecimalsLikeAtoi) {
  struct Case {
    const char* text;
    int32_t value;
  } cases[] = {{"27016", 27016}, {"", 0},         {"abc", 0},   {"  -3x", -3},
               {"+12", 12},      {"\t7", 7},      {"70000", 70000},
               {"4294967296", 0}, {"-", 0}};
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
}

// What a server sent, and what the program shows: the per-string rule with the code page 1252
// decoder standing in for the ANSI code page.
TEST(Utf8Text, ServerTextIsUtf8WhenWellFormedElseTheCodePage) {
  const struct {
    const char* bytes;
    const char* shown;
  } cases[] = {
      {"\xDC" "ber", "\u00DCber"},                               // Latin-1 of an old server
      {"\x80\x99\x9F", "\u20AC\u2122\u0178"},                    // code page 1252's own places
      {"\xC3\x9C" "ber \xDC", "\u00C3\u0153ber \u00DC"},         // one stray byte: all code page
      {"\xC0\xAF", "\u00C0\u00AF"},                              // overlong form is not UTF-8
      {"\xED\xA0\x80", "\u00ED\u00A0\u20AC"},                    // a surrogate is not UTF-8
      {"\xF4\x90\x80\x80", "\u00F4\u0090\u20AC\u20AC"},          // beyond U+10FFFF
      {"\xE2\x99", "\u00E2\u2122"},                              // cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ServerTextToUtf8(c.bytes, &DecodeCodePage1252), c.shown) << c.bytes;
  }
}

TEST(Utf8Text, ConvertsToUtf16WithReplacementForBrokenText) {
  EXPECT_EQ(Utf8ToUtf16("a\u00DC\u2665\U0001F600"), u"a\u00DC\u2665\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b\xE2\x99"), u"a\uFFFDb\uFFFD\uFFFD");
  const char16_t loneSurrogates[] = {0xD800, u'x', 0xDC00, 0};
  EXPECT_EQ(Utf16ToUtf8(loneSurrogates), "\uFFFDx\uFFFD");
}

// (Comparing without case is the player sort's default order: tested in its table.)
}  // namespace
}  // namespace tarnwick
