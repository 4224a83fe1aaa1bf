// The console's Send button: drawn by the program, its arrow part and arrow keys open its menu,
// its choices reach the console, and the dialog manager's default-button changes keep it drawn.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "tests/rcon/console_fixture_win.h"

namespace tarnwick {
namespace {

using namespace testing;

// Runs the action once from inside the modal loop of the next menu this thread shows.
std::function<void(HWND menuWindow)> insideMenu;

void CALLBACK RunInsideMenu(HWND, UINT, UINT_PTR, DWORD) {
  const HWND menuWindow = FindWindowA("#32768", nullptr);
  if (insideMenu && menuWindow != nullptr && IsWindowVisible(menuWindow)) {
    std::exchange(insideMenu, nullptr)(menuWindow);
  }
}

class SendButton : public ConsoleTest {
 protected:
  void SetUp() override {
    Connect();
    SetPassword("demo");
    Console().Show();
    // Mouse messages carry the cursor's place: keep it away from the menu.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  }
  HWND Button() { return Item(IDOK); }
  LPARAM ArrowPoint() {
    const RECT arrow = Console().SendButton().ArrowPart();
    return MAKELPARAM((arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2);
  }
  void Focus(HWND control) {
    SendMessageA(Console().hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
  // Posts the button what opens its menu, with `action` to run inside it; whether it ran.
  bool OpenMenu(UINT message, WPARAM wParam, LPARAM lParam, std::function<void(HWND)> action) {
    insideMenu = std::move(action);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &RunInsideMenu);
    PostMessageA(Button(), message, wParam, lParam);
    PumpPending();
    KillTimer(nullptr, timer);
    return !std::exchange(insideMenu, nullptr);
  }
};

TEST_F(SendButton, ArrowKeysAndArrowOpenTheMenuItsChoicesReachTheConsoleItsClosingClickPressesNot) {
  Send("echo to be cleared");
  ASSERT_TRUE(WaitForOutput("to be cleared\r\n"));
  // Down chooses "&Clear log" and Up "C&lear combo" by their mnemonics; a click on the arrow only
  // opens it.
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    char choice;
  } opens[] = {{WM_KEYDOWN, VK_DOWN, 1, 'c'},
               {WM_KEYDOWN, VK_UP, 1, 'l'},
               {WM_LBUTTONDOWN, MK_LBUTTON, ArrowPoint(), 0}};
  for (const auto& open : opens) {
    Focus(open.message == WM_KEYDOWN ? Button() : Item(IDCANCEL));
    bool openWhileShown = false;
    ASSERT_TRUE(OpenMenu(open.message, open.wParam, open.lParam, [&](HWND menuWindow) {
      openWhileShown = Console().SendButton().IsMenuOpen();
      if (open.choice != 0) {
        PostMessageA(menuWindow, WM_CHAR, static_cast<WPARAM>(open.choice), 1);
      } else {
        EndMenu();
      }
    })) << open.wParam;
    EXPECT_TRUE(openWhileShown) << "the arrow is drawn pressed while the menu is open";
    EXPECT_FALSE(Console().SendButton().IsMenuOpen());
  }
  PumpPending();
  EXPECT_EQ(Output(), "");
  EXPECT_TRUE(History().empty());
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "");
  EXPECT_EQ(GetFocus(), Button()) << "a click on the arrow gives the button the focus";

  // The click that closes the menu does not press the button.
  SetCommand("echo pressed");
  const LPARAM left = MAKELPARAM(4, 4);
  ASSERT_TRUE(OpenMenu(WM_LBUTTONDOWN, MK_LBUTTON, ArrowPoint(), [&](HWND) {
    PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, left);
    PostMessageA(Button(), WM_LBUTTONUP, 0, left);
    EndMenu();
  }));
  PumpPending();
  // Datagrams from one socket arrive in order: once a later command is there, a press would be.
  SetCommand("echo marker");
  ClickSend();
  ASSERT_TRUE(WaitForRequest("rcon demo echo marker"));
  EXPECT_EQ(CountRequests("rcon demo echo pressed"), 0u);

  // Clicks on the left part are ordinary clicks; a quick second one presses it again.
  SetCommand("echo pressed");
  PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, left);
  PostMessageA(Button(), WM_LBUTTONUP, 0, left);
  PostMessageA(Button(), WM_LBUTTONDBLCLK, MK_LBUTTON, left);
  PostMessageA(Button(), WM_LBUTTONUP, 0, left);
  PumpPending();
  EXPECT_TRUE(PumpUntil([&] { return CountRequests("rcon demo echo pressed") == 2; }));
}

// The button drawn into a bitmap of its own, as WM_DRAWITEM asks.
struct Drawing {
  Drawing(HWND dialog, HWND button, UINT state) {
    GetClientRect(button, &rect);
    pixels = testing::DrawnPixels(rect.right, rect.bottom, [&](HDC dc) {
      DRAWITEMSTRUCT item = {ODT_BUTTON, IDOK, 0, ODA_DRAWENTIRE, state, button, dc, rect, 0};
      SendMessageA(dialog, WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&item));
    });
  }
  COLORREF At(int x, int y) const {
    const uint32_t pixel = pixels[static_cast<size_t>(y * rect.right + x)];  // 0xRRGGBB
    return RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  // Whether any pixel of the rectangle has the colour.
  bool Has(const RECT& area, COLORREF color) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) == color) return true;
    return false;
  }
  RECT rect = {};
  std::vector<uint32_t> pixels;
};

TEST_F(SendButton, DrawsFrameArrowAndGreyedState) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const RECT arrow = Console().SendButton().ArrowPart();

  // The dialog manager makes the button the default while the command box has the focus, and
  // Close the default on Close; the button stays drawn by the program and frames itself.
  Focus(Console().CommandBox());
  {
    Drawing asDefault(Console().hwnd(), Button(), 0);
    EXPECT_EQ(asDefault.At(0, 0), text) << "the default button's frame";
    EXPECT_TRUE(asDefault.Has(arrow, text)) << "the arrow";
  }
  Focus(Item(IDCANCEL));
  EXPECT_EQ(GetWindowLongA(Button(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  {
    Drawing plain(Console().hwnd(), Button(), 0);
    EXPECT_EQ(plain.At(0, 0), face) << "no frame: neither default nor focused";
    Drawing focused(Console().hwnd(), Button(), ODS_FOCUS);
    EXPECT_EQ(focused.At(0, 0), text) << "the focused button's frame";
    Drawing greyed(Console().hwnd(), Button(), ODS_DISABLED);
    EXPECT_TRUE(greyed.Has(arrow, grey));
    EXPECT_FALSE(greyed.Has(arrow, text));
    const RECT caption{2, 2, arrow.left, plain.rect.bottom - 2};
    EXPECT_TRUE(plain.Has(caption, text)) << "the caption";
    EXPECT_TRUE(greyed.Has(caption, grey));
    EXPECT_FALSE(greyed.Has(caption, text));
  }
}

}  // namespace
}  // namespace tarnwick
