#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(AnsiText, FoldsAsciiOnlySoUtf8BytesStay) {
  EXPECT_EQ(LowerCopy("Hello [KX4T]"), "hello [kx4t]");
  EXPECT_EQ(LowerCopy("\xC3\x9C\xC4\xD6"), "\xC3\x9C\xC4\xD6");
  EXPECT_TRUE(EqualsNoCase("Status", "sTATUS"));
  EXPECT_FALSE(EqualsNoCase("status", "status "));
  EXPECT_LT(CompareNoCase("alpha", "Beta"), 0);
  EXPECT_GT(CompareNoCase("beta", "alpha"), 0);
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
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

TEST(AnsiText, ReplacesEveryPlace) {
  std::string text = "a DeIsL1.isu b DeIsL1.isu";
  EXPECT_EQ(ReplaceAll(text, "DeIsL1.isu", "hl.exe"), 2);
  EXPECT_EQ(text, "a hl.exe b hl.exe");
}

}  // namespace
}  // namespace tarnwick
