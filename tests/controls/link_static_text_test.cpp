// The link control's portable rules: splitting caption and target, the web addresses server text
// may open, fitting, and the browser's link colours read through the key store.
#include "controls/link_static_text.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

// (A caption and its target, and a caption-less link, are the window test's.)
TEST(LinkText, SplitsAtTheFirstLineFeed) {
  struct Case {
    const char* text;
    const char* caption;
    const char* url;
  } cases[] = {
      {"https://www.example.com/", "https://www.example.com/", "https://www.example.com/"},
      {"\nhttp://a/", "", "http://a/"}, {"a\nb\nc", "a", "b\nc"}, {"", "", ""},
  };
  for (const Case& c : cases) {
    const LinkText split = SplitLinkText(c.text);
    EXPECT_EQ(split.caption, c.caption) << c.text;
    EXPECT_EQ(split.url, c.url) << c.text;
  }
}

// Whatever is opened is an http or https address of printable ASCII without blanks, within
// kMaxWebAddress, the text itself or a www. address with http:// before it: the text fuzzer's
// invariant, which finds paths, shares and other schemes let through at once. Bytes outside
// printable ASCII inside an http address it did not find in a minute: those rows stay.
TEST(LinkText, ServerTextIsATargetOnlyAsAWebAddress) {
  const std::string longest = "http://" + std::string(kMaxWebAddress - 7, 'a');
  struct Case {
    std::string text;
    std::string target;  // empty: plain text
  } cases[] = {
      {"http://www.example.com/mod/", "http://www.example.com/mod/"},
      {"HTTPS://Example.org/a?b=c&d#e", "HTTPS://Example.org/a?b=c&d#e"},
      {"www.example.org", "http://www.example.org"},
      {"WWW.example.org/x", "http://WWW.example.org/x"},
      {"http://", ""},
      {"http://example.org/a b", ""},
      {"www.example.org exec", ""},
      {"http://example.org/\x7f", ""},
      {"http://caf\xe9.example/", ""},
      {std::string("http://a\0.exe", 13), ""},
      {longest, longest},
  };
  for (const Case& c : cases) EXPECT_EQ(WebAddressFromServerText(c.text), c.target) << c.text;
  EXPECT_EQ(PlainServerText("a\nb\r\tc\x7f\xe9"), "a b  c \xe9") << "shown on one line";
}

TEST(LinkText, ColourStringsParseAsRedGreenBlue) {
  struct Case {
    const char* text;
    uint32_t colour;
  } cases[] = {
      {"255,0,0", 0x000000FFu},      {"0,128,255", 0x00FF8000u},
      {"255,0", kBadLinkColour},     {"255", kBadLinkColour},  // only two numbers, or one
      {"255,0,", kBadLinkColour},    {"", kBadLinkColour},  // nothing after the second comma
      {" 10, 20, 30", 0x001E140Au},  // blanks before a number are skipped
      {"0,0,511", 0x00FF0000u},      // blue is masked: a top byte would make a palette index
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

TEST(LinkColoursRead, PresentValuesReplaceTheirColour) {
  const std::string overlong = "1,2,3" + std::string(300, ' ');
  const char* const names[] = {"Use Anchor Hover Color", "Anchor Color", "Anchor Color Visited",
                               "Anchor Color Hover"};
  struct Case {
    bool key;                           // whether the browser's settings key exists
    std::array<const char*, 4> values;  // of `names`; null: absent
    LinkColours expected;
  } cases[] = {
      {false, {}, {1, 2, 3, true}},  // all kept
      {true, {"yes", "255,0,0", "0,255,0", "0,0,255"}, {0x0000FF, 0x00FF00, 0xFF0000, true}},
      {true, {"no", "255,0,0"}, {0x0000FF, 2, 3, false}},
      {true, {nullptr, nullptr, "1,2"}, {1, kBadLinkColour, 3, false}},
      {true, {"Yes"}, {1, 2, 3, false}},                    // only "yes" itself
      {true, {"yes", overlong.c_str()}, {1, 2, 3, true}},  // too long for its buffer: absent
  };
  for (const Case& c : cases) {
    MemoryKeyStore store;
    if (c.key) {
      std::unique_ptr<Key> key =
          store.Root(RootKey::kCurrentUser).CreateSubkey(kBrowserSettingsPath);
      for (size_t i = 0; i < c.values.size(); ++i) {
        if (c.values[i] != nullptr) SetString(*key, names[i], c.values[i]);
      }
    }
    LinkColours colours{1, 2, 3, true};
    EXPECT_EQ(ReadLinkColours(store, colours), c.key);
    const auto tie = [](const LinkColours& l) {
      return std::tuple(l.normal, l.visited, l.hover, l.useHover);
    };
    EXPECT_EQ(tie(colours), tie(c.expected)) << &c - cases;
  }
}

}  // namespace
}  // namespace tarnwick
