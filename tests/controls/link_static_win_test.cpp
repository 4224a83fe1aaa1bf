// The link control on real static windows: caption and target, server text, font, enabling,
// colours (through the parent's WM_CTLCOLORSTATIC), opening through the shell seam, visited state,
// tooltip, hover, cursor and fitting.
#include "controls/link_static_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_key_store.h"
#include "tests/support/modal_driver_win.h"

namespace tarnwick {
namespace {

using namespace testing;

constexpr COLORREF kNormal = RGB(0, 0, 255);
constexpr COLORREF kVisited = RGB(128, 0, 128);
constexpr COLORREF kHover = RGB(255, 0, 0);
using Targets = std::vector<std::string>;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR colour = 0;
  if (LinkStatic::ReflectColour(message, wParam, lParam, colour)) return colour;
  return DefWindowProcA(window, message, wParam, lParam);
}

// Statics on a top-level window that hands WM_CTLCOLORSTATIC to its links as the dialogs do, with
// the shell's "open" and the beep recorded.
class LinkControl : public ::testing::Test {
 protected:
  LinkControl() {
    WNDCLASSEXA wc = {sizeof(wc), 0, &HostProc, 0, 0, GetModuleHandleA(nullptr)};
    wc.lpszClassName = "TarnwickLinkTestHost";
    RegisterClassExA(&wc);
    host = CreateWindowExA(0, wc.lpszClassName, "links", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           500, 300, nullptr, nullptr, wc.hInstance, nullptr);
    LinkStatic::SetColours({kNormal, kVisited, kHover, false});
    LinkHistory::ForgetRemembered();
  }
  ~LinkControl() override { DestroyWindow(host); }

  HWND AddStatic(const char* text, DWORD style = SS_LEFT, int y = 10) {
    HWND control = CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE | style, 20, y, 300, 40,
                                   host, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
  }
  // The colour the control asks its text to be drawn in (on a transparent background).
  COLORREF TextColour(HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT brush = SendMessageA(host, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
    return colour;
  }

  HWND host = nullptr;
  testing::ShellRecorder shell;
  Targets& opened = shell.opened;
  int& beeps = shell.beeps;
};

bool Underlined(HWND control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfUnderline != 0;
}

// (How each text splits is the portable table's part; here the window shows and opens the split.)
TEST_F(LinkControl, OwnTextShowsAnUnderlinedCaptionAndOpensItsTargetOnAClickOrSpace) {
  HWND control = AddStatic("\n");
  LinkStatic link;
  link.Attach(control);
  EXPECT_FALSE(IsWindowEnabled(control)) << "the text at attaching counts: no caption";
  SetWindowTextA(control, "Example\nhttps://example.com/");
  EXPECT_EQ(WindowText(control), "Example");
  EXPECT_EQ(link.Url(), "https://example.com/");
  EXPECT_TRUE(IsWindowEnabled(control));
  EXPECT_TRUE(Underlined(control));
  EXPECT_EQ(SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);
  EXPECT_TRUE(SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  SetFocus(host);
  SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  SendMessageA(control, WM_KEYUP, VK_RETURN, 0);
  EXPECT_TRUE(opened.empty()) << "a release without the press (and focus), or another key";
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(GetFocus(), control) << "a press takes the focus";
  SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  SendMessageA(control, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(opened, (Targets{"https://example.com/", "https://example.com/"}));
}

// (That a www. address shows and opens as http:// is seen on the Mod page of Server Info.)
TEST_F(LinkControl, ServerTextOpensOnlyTheWebAddressItShows) {
  const char* kCrafted = "www.example.org\nC:\\windows\\system32\\notepad.exe";
  HWND control = AddStatic(kCrafted);
  LinkStatic link;
  link.Attach(control, LinkTexts::kServer);
  // The text at attaching counts too: shown on one line as plain text, not greyed.
  ClickLink(control);
  SendMessageA(control, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(WindowText(control), "www.example.org C:\\windows\\system32\\notepad.exe");
  EXPECT_NE(SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);
  EXPECT_TRUE(IsWindowEnabled(control));
  EXPECT_FALSE(Underlined(control));
  // A refill between press and release (a reply that came in) opens nothing.
  for (const char* swapped : {"http://b.example/", kCrafted}) {
    SetWindowTextA(control, "http://a.example/");
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SetWindowTextA(control, swapped);
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }
  EXPECT_EQ(opened, Targets{});
  EXPECT_EQ(beeps, 0);
}

TEST_F(LinkControl, OpeningMarksEveryLinkToTheTargetVisitedOrBeepsAndHoverColoursOnlyWhenAsked) {
  HWND first = AddStatic("One\nhttps://example.com/v");
  HWND second = AddStatic("Two\nhttps://example.com/v", SS_LEFT, 60);
  LinkStatic one;
  LinkStatic two;
  one.Attach(first);
  two.Attach(second);
  for (const INT_PTR answer : {32, 33}) {  // the shell's answer: failed, then opened
    shell.answer = answer;
    ClickLink(first);
    EXPECT_EQ(beeps, 1) << "only the failure beeps";
    EXPECT_EQ(two.IsVisited(), answer > 32) << answer;
    EXPECT_EQ(TextColour(second), answer > 32 ? kVisited : kNormal) << answer;
  }
  EXPECT_EQ(opened, (Targets{"https://example.com/v", "https://example.com/v"}));
  for (const bool useHover : {false, true}) {  // as the browser's settings say
    LinkStatic::SetColours({kNormal, kVisited, kHover, useHover});
    SendMessageA(second, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetCapture() == second, useHover);
    EXPECT_EQ(TextColour(second), useHover ? kHover : kVisited);
    SendMessageA(second, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    EXPECT_NE(GetCapture(), second) << "leaving the control lets the mouse go";
    EXPECT_EQ(TextColour(second), kVisited);
  }
}

// (That a picture link keeps its picture and opens its target is seen on the About box's banner.)
TEST_F(LinkControl, TextIsFittedToItsCaptionWithinItsRoom) {
  // Right-aligned, so that the fitting reads the control's own style (every alignment is in the
  // portable table).
  HWND control = AddStatic("ab\nx", SS_RIGHT);
  const RECT room = RectInParent(control);
  LinkStatic link;
  link.Attach(control);
  const RECT fitted = RectInParent(control);
  EXPECT_GT(fitted.right - fitted.left, 0);
  EXPECT_LT(fitted.right - fitted.left, room.right - room.left);
  EXPECT_LT(fitted.bottom - fitted.top, room.bottom - room.top);
  EXPECT_EQ(fitted.top, room.top);
  EXPECT_EQ(fitted.right, room.right);
  // A caption wider than the room keeps to the room, and a later short one shrinks again.
  SetWindowTextA(control, (std::string(200, 'w') + "\nx").c_str());
  EXPECT_EQ(RectInParent(control).left, room.left);
  SetWindowTextA(control, "ab\nx");
  EXPECT_EQ(RectInParent(control).left, fitted.left);
}

TEST_F(LinkControl, TipShowsTheTargetCutTo79BytesAndAttachingAgainOrDestroyingLetsGo) {
  const std::string url = "https://example.com/" + std::string(100, 'x');
  HWND first = AddStatic(("First\n" + url).c_str());
  HWND second = AddStatic("Second\nhttps://example.com/2", SS_LEFT, 60);
  LinkStatic link;
  link.Attach(first);
  HWND firstTip = link.Tooltip();
  ASSERT_NE(firstTip, nullptr);
  EXPECT_EQ(SendMessageA(firstTip, TTM_GETTOOLCOUNT, 0, 0), 1);
  // The tooltip asks in the Unicode form, as the control tells it to.
  EXPECT_EQ(SendMessageW(first, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(firstTip), NF_QUERY),
            NFR_UNICODE);
  NMTTDISPINFOW info = {};
  info.hdr = {firstTip, reinterpret_cast<UINT_PTR>(first), TTN_GETDISPINFOW};
  SendMessageW(first, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_EQ(std::wstring(info.lpszText), std::wstring(url.begin(), url.begin() + 79));
  auto firstFont = reinterpret_cast<HFONT>(SendMessageA(first, WM_GETFONT, 0, 0));
  ASSERT_EQ(GetObjectType(firstFont), static_cast<DWORD>(OBJ_FONT));
  link.Attach(nullptr);
  EXPECT_EQ(link.hwnd(), first) << "a handle that is no window changes nothing";
  link.Attach(second);
  EXPECT_FALSE(IsWindow(firstTip));
  EXPECT_EQ(GetObjectType(firstFont), 0u);
  EXPECT_NE(SendMessageA(first, WM_NCHITTEST, 0, 0), HTCLIENT);
  ClickLink(first);
  ClickLink(second);
  EXPECT_EQ(opened, Targets{"https://example.com/2"});
  auto secondFont = reinterpret_cast<HFONT>(SendMessageA(second, WM_GETFONT, 0, 0));
  DestroyWindow(second);
  EXPECT_EQ(link.hwnd(), nullptr);
  EXPECT_EQ(GetObjectType(secondFont), 0u);
}

// Which browser values replace which colour is the portable table's part.
TEST(LinkColourSetup, WithoutBrowserSettingsTheSystemsColoursHold) {
  MemoryKeyStore empty;
  LinkStatic::LoadColours(empty);
  EXPECT_EQ(LinkStatic::Colours().normal, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_FALSE(LinkStatic::Colours().useHover);
}

}  // namespace
}  // namespace tarnwick
