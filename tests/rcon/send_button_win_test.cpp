// The console's Send button: drawn by the program, its arrow part and arrow keys open its menu,
// its choices reach the console, and the dialog manager's default-button changes keep it drawn.
#include <gtest/gtest.h>

#include <functional>

#include "tests/rcon/console_fixture_win.h"

namespace tarnwick {
namespace {

using namespace testing;

// Runs `action` once from inside the modal loop of the next menu this thread shows.
class InsideMenu {
 public:
  explicit InsideMenu(std::function<void(HWND menuWindow)> action) : action_(std::move(action)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &InsideMenu::OnTimer);
  }
  ~InsideMenu() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool ran = false;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    InsideMenu* self = current_;
    if (self == nullptr || self->ran) return;
    const HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow == nullptr || !IsWindowVisible(menuWindow)) return;
    self->ran = true;
    KillTimer(nullptr, id);
    self->timer_ = 0;
    self->action_(menuWindow);
  }

  static inline InsideMenu* current_ = nullptr;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
};

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
};

TEST_F(SendButton, ArrowKeysAndArrowOpenTheMenuItsChoicesReachTheConsoleItsClosingClickPressesNot) {
  Send("echo to be cleared");
  ASSERT_TRUE(WaitForOutput("to be cleared\r\n"));
  // Down chooses "&Clear log" and Up "C&lear combo" by their mnemonics; a click on the arrow
  // (key 0) only opens it.
  const struct {
    WPARAM key;
    char choice;
  } opens[] = {{VK_DOWN, 'c'}, {VK_UP, 'l'}, {0, 0}};
  for (const auto& open : opens) {
    Focus(open.key != 0 ? Button() : Item(IDCANCEL));
    char first[16] = {};
    UINT defaultItem = 0;
    bool openWhileShown = false;
    InsideMenu inside([&](HWND menuWindow) {
      const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
      GetMenuStringA(menu, 0, first, sizeof(first), MF_BYPOSITION);
      defaultItem = GetMenuDefaultItem(menu, FALSE, 0);
      openWhileShown = Console().SendButton().IsMenuOpen();
      if (open.choice != 0) {
        PostMessageA(menuWindow, WM_CHAR, static_cast<WPARAM>(open.choice), 1);
      } else {
        EndMenu();
      }
    });
    if (open.key != 0) {
      PostMessageA(Button(), WM_KEYDOWN, open.key, 1);
    } else {
      PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, ArrowPoint());
    }
    PumpPending();
    ASSERT_TRUE(inside.ran) << open.key;
    EXPECT_STREQ(first, "Send") << "the button's own command, in front, as the default";
    EXPECT_EQ(defaultItem, static_cast<UINT>(IDOK));
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
  InsideMenu inside([&](HWND) {
    PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, left);
    PostMessageA(Button(), WM_LBUTTONUP, 0, left);
    EndMenu();
  });
  PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, ArrowPoint());
  PumpPending();
  ASSERT_TRUE(inside.ran);
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
