#include "common/utf8_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// What a server sent, and what the program shows: the per-string rule with the code page 1252
// decoder standing in for the ANSI code page.
TEST(Utf8Text, ServerTextIsUtf8WhenWellFormedElseTheCodePage) {
  const struct {
    const char* bytes;
    const char* shown;
  } cases[] = {
      {"Player", "Player"},                                      // ASCII as it is
      {"\xD1\x81\xD0\xB4s\xD1\x86\xD0\xB0l", "\u0441\u0434s\u0446\u0430l"},  // UTF-8 kept
      {"\xC3\x9C" "ber \xE2\x99\xA5", "\u00DCber \u2665"},
      {"\xF0\x9F\x98\x80", "\U0001F600"},                        // four bytes
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

TEST(Utf8Text, ConvertsToUtf16AndBackWithReplacementForBrokenText) {
  EXPECT_EQ(Utf8ToUtf16("a\u00DC\u2665\U0001F600"), u"a\u00DC\u2665\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"a\u00DC\u2665\U0001F600"), "a\u00DC\u2665\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b\xE2\x99"), u"a\uFFFDb\uFFFD\uFFFD");
  const char16_t loneSurrogates[] = {0xD800, u'x', 0xDC00, 0};
  EXPECT_EQ(Utf16ToUtf8(loneSurrogates), "\uFFFDx\uFFFD");
}

// (Comparing without case is the player sort's default order: tested in its table.)
}  // namespace
}  // namespace tarnwick
