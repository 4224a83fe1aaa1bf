// MatchMask against a table of names and masks, including every example the rules were written for.
#include "highlight/match_mask.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace tarnwick {
namespace {

struct MaskCase {
  const char* mask;
  const char* name;
  bool matches;
};

const MaskCase kCases[] = {
    // The default rules: anchored at the start, the dot literal.
    {"[Kx4t].*", "[KX4T].joe", true}, {"[Kx4t].*", "x[Kx4t].joe", false},
    {"[Kx4t].*", "[Kx4t]joe", false}, {"*[*]*", "a[b]c", true}, {"*[*]*", "a]b[", false},
    {"*[*]*", "abc", false},
    // '?' stands for one character, and for nothing once the name is used up.
    {"ab?", "abc", true}, {"ab?", "ab", true}, {"ab?", "abcd", false}, {"a?c", "ac", false},
    {"??", "a", true},
    // A wildcard run after a mismatch.
    {"*?", "", true}, {"*?", "anything", true}, {"*", "", true}, {"a*c", "abbbc", true},
    {"a*c", "abbbd", false}, {"*c", "abcabc", true}, {"*x*", "abc", false}, {"a*?c", "abc", true},
    {"a*b*c", "a-c-b", false},
    // A '*' in the name takes a '*' of the mask literally, for good.
    {"*a", "*ba", false}, {"*a", "*a", true},
    // Empty texts, anchoring and case.
    {"", "", true}, {"", "a", false}, {"*?*?", "", true}, {"a", "", false}, {"abc", "ABC", true},
    {"abc", "abcd", false},
    // Names and masks are UTF-8: '?' is one code point, and letters beyond ASCII fold too.
    {"\u00C4rger", "\u00E4RGER", true}, {"?ber \u2665", "\u00DCber \u2665", true},
    {"??ber", "\u00DCber", false}, {"\u0441\u0434*", "\u0421\u0414s\u0426\u0430l", true},
    {"\u03A3\u039F\u03A6\u0399\u0391", "\u03C3\u03BF\u03C6\u03B9\u03B1", true},
    {"\u4E2D?", "\u4E2D\u6587", true},
    {"\u0441", "c", false},  // Cyrillic es is not Latin c
    {"[a-z]", "b", false},    // what other wildcard syntaxes treat specially is literal
};


TEST(MatchMaskCases, ManyWildcardsAgainstALongNameTakeNoTime) {
  // Trying every combination of places would take longer than the universe has.
  std::string mask;
  for (int i = 0; i < 40; ++i) mask += "*a";
  const std::string name(2000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MatchMask(name, mask + "*b"));
  EXPECT_TRUE(MatchMask(name + "b", mask + "*b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(MatchMaskCases, MatchesAsTheTableSays) {
  for (const MaskCase& c : kCases)
    EXPECT_EQ(MatchMask(c.name, c.mask), c.matches)
        << "mask '" << c.mask << "' name '" << c.name << "'";
}

}  // namespace
}  // namespace tarnwick
