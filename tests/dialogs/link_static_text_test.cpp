// The link control's portable rules: splitting caption and target, the tip, fitting, and the
// browser's link colours read through the key store.
#include "shell/link_static_text.h"

#include <gtest/gtest.h>

#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

TEST(LinkText, SplitsAtTheFirstLineFeed) {
  struct Case {
    const char* text;
    const char* caption;
    const char* url;
  } cases[] = {
      {"MSWindows\nhttps://www.example.com/", "MSWindows", "https://www.example.com/"},
      {"Developers\nmailto:developers@example.com", "Developers", "mailto:developers@example.com"},
      {"https://www.example.com/", "https://www.example.com/", "https://www.example.com/"},
      {"\n", "", ""},
      {"\nhttp://a/", "", "http://a/"},
      {"a\nb\nc", "a", "b\nc"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const LinkText split = SplitLinkText(c.text);
    EXPECT_EQ(split.caption, c.caption) << c.text;
    EXPECT_EQ(split.url, c.url) << c.text;
  }
}

TEST(LinkText, TipIsCutTo79Bytes) {
  const std::string longUrl = "http://" + std::string(100, 'x');
  EXPECT_EQ(LinkTipText(longUrl), longUrl.substr(0, 79));
  EXPECT_EQ(LinkTipText(std::string(79, 'y')), std::string(79, 'y'));
  EXPECT_EQ(LinkTipText("mailto:a@b"), "mailto:a@b");
}

TEST(LinkText, ColourStringsParseAsRedGreenBlue) {
  struct Case {
    const char* text;
    uint32_t colour;
  } cases[] = {
      {"255,0,0", 0x000000FFu},
      {"0,0,255", 0x00FF0000u},
      {"0,128,128", 0x00808000u},
      {"128,0,128", 0x00800080u},
      {"255,0", kBadLinkColour},  // only two numbers
      {"255", kBadLinkColour},
      {"255,0,", kBadLinkColour},  // nothing after the second comma
      {"", kBadLinkColour},
      {" 10, 20, 30", 0x001E140Au},  // blanks before a number are skipped
      {"0,0,511", 0x00FF0000u},      // blue is masked to 8 bits
      {"300,0,0", 300u},             // red and green are not
      {"0,1,0", 0x00000100u},
      {"x,y,z", 0u},  // no digits read as 0
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLinkColour(c.text), c.colour) << c.text;
}

TEST(LinkText, FittingFollowsTheAlignment) {
  const LinkRect control{10, 20, 110, 60};  // 100 wide, 40 high
  struct Case {
    uint32_t style;
    LinkRect fitted;
  } cases[] = {
      {0, {10, 20, 40, 32}},                   // left, top
      {kStaticCenter, {45, 20, 75, 32}},       // centred across
      {kStaticRight, {80, 20, 110, 32}},       // kept at the right
      {kStaticCenterImage, {10, 34, 40, 46}},  // centred vertically
      {kStaticCenter | kStaticCenterImage, {45, 34, 75, 46}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitLinkRect(control, 30, 12, c.style), c.fitted) << c.style;
}

TEST(LinkText, TextStylesAreTheTextStatics) {
  for (uint32_t kind : {0u, 1u, 2u, 11u, 12u}) EXPECT_TRUE(IsTextStaticStyle(kind | 0x100)) << kind;
  for (uint32_t kind : {3u, 4u, 7u, 14u, 15u}) EXPECT_FALSE(IsTextStaticStyle(kind)) << kind;
}

void SetText(Key& key, const char* name, const char* text) { SetString(key, name, text); }

TEST(LinkColoursRead, NoSettingsKeyKeepsTheDefaults) {
  MemoryKeyStore store;
  LinkColours colours{1, 2, 3, true};
  EXPECT_FALSE(ReadLinkColours(store, colours));
  EXPECT_EQ(colours.normal, 1u);
  EXPECT_EQ(colours.visited, 2u);
  EXPECT_EQ(colours.hover, 3u);
  EXPECT_TRUE(colours.useHover);
}

TEST(LinkColoursRead, PresentValuesReplaceTheirColour) {
  struct Case {
    const char* useHover;  // null: absent
    const char* normal;
    const char* visited;
    const char* hover;
    LinkColours expected;
  } cases[] = {
      {"yes", "255,0,0", "0,255,0", "0,0,255", {0x0000FF, 0x00FF00, 0xFF0000, true}},
      {"no", "255,0,0", nullptr, nullptr, {0x0000FF, 2, 3, false}},
      {nullptr, nullptr, "1,2", nullptr, {1, kBadLinkColour, 3, false}},
      {"Yes", nullptr, nullptr, nullptr, {1, 2, 3, false}},  // only "yes" itself
  };
  for (const Case& c : cases) {
    MemoryKeyStore store;
    std::unique_ptr<Key> key = store.Root(RootKey::kCurrentUser).CreateSubkey(kBrowserSettingsPath);
    ASSERT_TRUE(key);
    if (c.useHover != nullptr) SetText(*key, "Use Anchor Hover Color", c.useHover);
    if (c.normal != nullptr) SetText(*key, "Anchor Color", c.normal);
    if (c.visited != nullptr) SetText(*key, "Anchor Color Visited", c.visited);
    if (c.hover != nullptr) SetText(*key, "Anchor Color Hover", c.hover);
    LinkColours colours{1, 2, 3, true};
    EXPECT_TRUE(ReadLinkColours(store, colours));
    EXPECT_EQ(colours.normal, c.expected.normal);
    EXPECT_EQ(colours.visited, c.expected.visited);
    EXPECT_EQ(colours.hover, c.expected.hover);
    EXPECT_EQ(colours.useHover, c.expected.useHover);
  }
}

TEST(LinkColoursRead, AnOverlongValueCountsAsAbsent) {
  MemoryKeyStore store;
  std::unique_ptr<Key> key = store.Root(RootKey::kCurrentUser).CreateSubkey(kBrowserSettingsPath);
  SetText(*key, "Anchor Color", ("1,2,3" + std::string(300, ' ')).c_str());
  LinkColours colours{7, 8, 9, false};
  EXPECT_TRUE(ReadLinkColours(store, colours));
  EXPECT_EQ(colours.normal, 7u);
}

}  // namespace
}  // namespace tarnwick
