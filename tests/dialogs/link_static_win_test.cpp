// The link control on real static windows: caption and target, font, enabling, colours (through
// the parent's WM_CTLCOLORSTATIC), opening through the shell seam, visited state, tooltip, hover,
// cursor, fitting, and a picture static that keeps its picture.
#include "shell/link_static_win.h"

#include <gtest/gtest.h>

#include "common/shell_open_win.h"

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

constexpr COLORREF kNormal = RGB(0, 0, 255);
constexpr COLORREF kVisited = RGB(128, 0, 128);
constexpr COLORREF kHover = RGB(255, 0, 0);

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR colour = 0;
  if (LinkStatic::ReflectColour(message, wParam, lParam, colour)) return colour;
  return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window that hands WM_CTLCOLORSTATIC to its link controls, as the dialogs do.
class LinkHost {
 public:
  LinkHost() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickLinkTestHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassExA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "links", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              500, 300, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~LinkHost() { DestroyWindow(window_); }
  LinkHost(const LinkHost&) = delete;
  LinkHost& operator=(const LinkHost&) = delete;

  HWND hwnd() const { return window_; }
  HWND AddStatic(const char* text, DWORD style, int x = 10, int y = 10, int width = 300,
                 int height = 40) {
    HWND control = CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
  }
  // The colour the control asks its text to be drawn in.
  COLORREF TextColour(HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    const LRESULT brush = SendMessageA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
    return colour;
  }

 private:
  HWND window_ = nullptr;
};

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

RECT RectInParent(HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class LinkControl : public ::testing::Test {
 protected:
  LinkControl() {
    LinkStatic::SetColours({kNormal, kVisited, kHover, false});
    LinkHistory::ForgetRemembered();
    SetShellActions({[this](const std::string& target) {
                            opened.push_back(target);
                            return openResult;
                          },
                          [this] { ++beeps; }});
  }
  ~LinkControl() override { SetShellActions({}); }

  void Click(HWND control) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }

  LinkHost host;
  std::vector<std::string> opened;
  INT_PTR openResult = 42;
  int beeps = 0;
};

TEST_F(LinkControl, CaptionShowsTargetIsKept) {
  struct Case {
    const char* text;
    const char* caption;
    const char* url;
    bool enabled;
  } cases[] = {
      {"MSWindows\nhttps://www.example.com/windows/", "MSWindows",
       "https://www.example.com/windows/", true},
      {"Developers\nmailto:developers@tarnwick.merrowind.example", "Developers",
       "mailto:developers@tarnwick.merrowind.example", true},
      {"https://tarnwick.merrowind.example/", "https://tarnwick.merrowind.example/",
       "https://tarnwick.merrowind.example/", true},
      {"\n", "", "", false},
      {"", "", "", false},
  };
  for (const Case& c : cases) {
    HWND control = host.AddStatic(c.text, SS_LEFT);
    LinkStatic link;
    link.Attach(control);
    EXPECT_EQ(WindowText(control), c.caption) << c.text;
    EXPECT_EQ(link.Url(), c.url) << c.text;
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled) << c.text;
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    EXPECT_TRUE(font.lfUnderline) << c.text;
    DestroyWindow(control);
  }
}

TEST_F(LinkControl, SettingTheTextSplitsItAgain) {
  HWND control = host.AddStatic("\n", SS_LEFT);
  LinkStatic link;
  link.Attach(control);
  EXPECT_FALSE(IsWindowEnabled(control));
  SetWindowTextA(control, "valve");
  EXPECT_TRUE(IsWindowEnabled(control));
  EXPECT_EQ(link.Url(), "valve") << "a text without a line feed opens itself";
  SetWindowTextA(control, "Linux\nhttps://www.kernel.org/");
  EXPECT_EQ(WindowText(control), "Linux");
  EXPECT_EQ(link.Url(), "https://www.kernel.org/");
  SetWindowTextA(control, "");
  EXPECT_FALSE(IsWindowEnabled(control));
}

TEST_F(LinkControl, OpeningMarksVisitedOrBeeps) {
  struct Case {
    INT_PTR shellResult;
    bool visited;
    int beeps;
  } cases[] = {{42, true, 0}, {33, true, 0}, {32, false, 1}, {2, false, 1}, {0, false, 1}};
  int target = 0;
  for (const Case& c : cases) {
    const std::string url = "https://example.com/" + std::to_string(++target);
    HWND control = host.AddStatic(("Example\n" + url).c_str(), SS_LEFT);
    LinkStatic link;
    link.Attach(control);
    openResult = c.shellResult;
    beeps = 0;
    opened.clear();
    EXPECT_EQ(host.TextColour(control), kNormal);
    Click(control);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], url);
    EXPECT_EQ(beeps, c.beeps) << c.shellResult;
    EXPECT_EQ(link.IsVisited(), c.visited) << c.shellResult;
    EXPECT_EQ(host.TextColour(control), c.visited ? kVisited : kNormal) << c.shellResult;
    DestroyWindow(control);
  }
}

TEST_F(LinkControl, VisitedIsSharedByEveryLinkOfTheProcess) {
  HWND first = host.AddStatic("One\nhttps://example.com/shared", SS_LEFT);
  HWND second = host.AddStatic("Two\nhttps://example.com/shared", SS_LEFT, 10, 60);
  LinkStatic one;
  LinkStatic two;
  one.Attach(first);
  two.Attach(second);
  Click(first);
  EXPECT_TRUE(two.IsVisited());
  EXPECT_EQ(host.TextColour(second), kVisited);
  // Which mechanism this system gives (Wine has no such service: only the set counts).
  const bool service = LinkHistory().HasService();
  ::testing::Test::RecordProperty("url_history_service", service ? "present" : "absent");
  std::printf("URL-history service: %s\n", service ? "present" : "absent, in-memory set only");
}

TEST_F(LinkControl, ButtonUpOpensOnlyWithTheFocus) {
  HWND control = host.AddStatic("Example\nhttps://example.com/", SS_LEFT);
  LinkStatic link;
  link.Attach(control);
  SetFocus(host.hwnd());
  SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(opened.empty());
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(GetFocus(), control) << "a press takes the focus";
}

TEST_F(LinkControl, SpaceReleasedOpens) {
  HWND control = host.AddStatic("Example\nhttps://example.com/space", SS_LEFT);
  LinkStatic link;
  link.Attach(control);
  SendMessageA(control, WM_KEYUP, VK_RETURN, 0);
  EXPECT_TRUE(opened.empty());
  SendMessageA(control, WM_KEYUP, VK_SPACE, 0);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://example.com/space");
}

TEST_F(LinkControl, TooltipShowsTheTargetCutTo79Bytes) {
  const std::string longUrl = "https://example.com/" + std::string(100, 'x');
  struct Case {
    std::string url;
    std::string tip;
  } cases[] = {
      {"mailto:testers@tarnwick.merrowind.example", "mailto:testers@tarnwick.merrowind.example"},
      {longUrl, longUrl.substr(0, 79)}};
  for (const Case& c : cases) {
    HWND control = host.AddStatic(("Tip\n" + c.url).c_str(), SS_LEFT);
    LinkStatic link;
    link.Attach(control);
    ASSERT_NE(link.Tooltip(), nullptr);
    EXPECT_EQ(SendMessageA(link.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = link.Tooltip();
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(control);
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(control, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(std::string(info.lpszText), c.tip);
    DestroyWindow(control);
  }
}

TEST_F(LinkControl, HoverColourOnlyWhenTheBrowserAsksForIt) {
  for (bool useHover : {false, true}) {
    LinkStatic::SetColours({kNormal, kVisited, kHover, useHover});
    HWND control = host.AddStatic("Hover\nhttps://example.com/hover", SS_LEFT);
    LinkStatic link;
    link.Attach(control);
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetCapture() == control, useHover);
    EXPECT_EQ(host.TextColour(control), useHover ? kHover : kNormal);
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    EXPECT_NE(GetCapture(), control) << "leaving the control lets the mouse go";
    EXPECT_EQ(host.TextColour(control), kNormal);
    DestroyWindow(control);
  }
}

TEST_F(LinkControl, TakesMouseInputWithTheHandCursor) {
  HWND control = host.AddStatic("Hand\nhttps://example.com/", SS_LEFT);
  EXPECT_NE(SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT) << "a plain static lets clicks by";
  LinkStatic link;
  link.Attach(control);
  EXPECT_EQ(SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);
  EXPECT_TRUE(SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(LinkControl, FitsToTheCaptionWithinItsRoom) {
  struct Case {
    DWORD style;
    const char* text;
  } cases[] = {
      {SS_LEFT, "ab\nx"}, {SS_RIGHT, "ab\nx"}, {SS_CENTER, "ab\nx"}, {SS_LEFTNOWORDWRAP, "ab\nx"}};
  for (const Case& c : cases) {
    HWND control = host.AddStatic(c.text, c.style, 20, 20, 300, 40);
    const RECT before = RectInParent(control);
    LinkStatic link;
    link.Attach(control);
    const RECT after = RectInParent(control);
    EXPECT_LT(after.right - after.left, before.right - before.left) << c.style;
    EXPECT_GT(after.right - after.left, 0) << c.style;
    EXPECT_LT(after.bottom - after.top, before.bottom - before.top) << c.style;
    EXPECT_EQ(after.top, before.top) << c.style;
    if (c.style == SS_RIGHT) {
      EXPECT_EQ(after.right, before.right);
    } else if (c.style == SS_CENTER) {
      EXPECT_NEAR(after.left + after.right, before.left + before.right, 1);
    } else {
      EXPECT_EQ(after.left, before.left);
    }
    // A caption wider than the room keeps to the room, and a later short one shrinks again.
    SetWindowTextA(control, (std::string(200, 'w') + "\nx").c_str());
    const RECT wide = RectInParent(control);
    EXPECT_EQ(wide.right - wide.left, before.right - before.left) << c.style;
    SetWindowTextA(control, "ab\nx");
    const RECT again = RectInParent(control);
    EXPECT_EQ(again.right - again.left, after.right - after.left) << c.style;
    DestroyWindow(control);
  }
}

TEST_F(LinkControl, APictureKeepsItsPictureAndLinks) {
  HWND control = host.AddStatic("", SS_BITMAP, 10, 10, 250, 88);
  auto banner =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT_BANNER),
                                      IMAGE_BITMAP, 0, 0, LR_SHARED));
  ASSERT_NE(banner, nullptr);
  SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner));
  const HFONT fontBefore = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LinkStatic link;
  link.Attach(control);
  SetWindowTextA(control, "https://tarnwick.merrowind.example/");
  EXPECT_EQ(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0),
            reinterpret_cast<LRESULT>(banner));
  EXPECT_EQ(link.Url(), "https://tarnwick.merrowind.example/");
  EXPECT_TRUE(IsWindowEnabled(control));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), fontBefore)
      << "only text links are underlined";
  Click(control);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://tarnwick.merrowind.example/");
}

TEST_F(LinkControl, AttachingAgainLetsGoOfTheFirstControl) {
  HWND first = host.AddStatic("First\nhttps://example.com/1", SS_LEFT);
  HWND second = host.AddStatic("Second\nhttps://example.com/2", SS_LEFT, 10, 60);
  LinkStatic link;
  link.Attach(first);
  HWND firstTip = link.Tooltip();
  link.Attach(nullptr);
  EXPECT_EQ(link.hwnd(), first) << "a handle that is no window changes nothing";
  link.Attach(second);
  EXPECT_FALSE(IsWindow(firstTip));
  EXPECT_NE(SendMessageA(first, WM_NCHITTEST, 0, 0), HTCLIENT);
  EXPECT_EQ(link.Url(), "https://example.com/2");
  Click(second);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://example.com/2");
}

TEST_F(LinkControl, DestroyingTheControlDeletesItsFont) {
  HWND control = host.AddStatic("Gone\nhttps://example.com/", SS_LEFT);
  LinkStatic link;
  link.Attach(control);
  auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  DestroyWindow(control);
  EXPECT_EQ(link.hwnd(), nullptr);
  EXPECT_EQ(GetObjectType(font), 0u);
}

void SetText(Key& key, const char* name, const char* text) { SetString(key, name, text); }

TEST(LinkColourSetup, BrowserColoursComeFromTheKeyStore) {
  MemoryKeyStore store;
  std::unique_ptr<Key> key = store.Root(RootKey::kCurrentUser).CreateSubkey(kBrowserSettingsPath);
  SetText(*key, "Anchor Color", "255,0,0");
  SetText(*key, "Anchor Color Visited", "0,128,0");
  SetText(*key, "Use Anchor Hover Color", "yes");
  LinkStatic::LoadColours(store);
  const LinkColours colours = LinkStatic::Colours();
  EXPECT_EQ(colours.normal, 0x000000FFu);
  EXPECT_EQ(colours.visited, 0x00008000u);
  EXPECT_EQ(colours.hover, 0x00808000u) << "an absent value keeps the default";
  EXPECT_TRUE(colours.useHover);

  MemoryKeyStore empty;
  LinkStatic::LoadColours(empty);
  const LinkColours system = LinkStatic::Colours();
  EXPECT_EQ(system.normal, GetSysColor(COLOR_HIGHLIGHT));
  const COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
  EXPECT_EQ(system.visited, hot != 0 ? hot : RGB(0, 0, 255));
  EXPECT_EQ(system.hover, 0x00808000u);
  EXPECT_FALSE(system.useHover);
}

}  // namespace
}  // namespace tarnwick
