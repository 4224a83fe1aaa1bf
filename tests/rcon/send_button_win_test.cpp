// The console's Send button: drawn by the program, its arrow part and arrow keys open its menu,
// its choices reach the console, and the dialog manager's default-button changes keep it drawn.
#include <gtest/gtest.h>

#include <functional>

#include "tests/rcon/console_fixture_win.h"

namespace tarnwick {
namespace {

using testing::ConsoleTest;
using testing::PumpPending;
using testing::PumpUntil;

// Runs `action` once from inside the next modal loop of this thread (here: the menu's), then
// leaves the menu should the action not have closed it.
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

struct MenuItem {
  std::string text;  // empty for a separator
  UINT id;
  bool operator==(const MenuItem&) const = default;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::vector<MenuItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
    items.push_back({text, GetMenuItemID(menu, i)});
  }
  return items;
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
};

TEST_F(SendButton, TheArrowAndTheArrowKeysOpenTheMenuWithSendInFront) {
  const std::vector<MenuItem> expected = {{"Send", IDOK},
                                          {"", 0},
                                          {"&Clear log", ID_RCON_CLEAR_LOG},
                                          {"Save log &as...", ID_RCON_SAVE_LOG},
                                          {"", 0},
                                          {"C&lear combo", ID_RCON_CLEAR_COMBO}};
  for (WPARAM key : {WPARAM{VK_DOWN}, WPARAM{VK_UP}}) {
    Focus(Button());
    std::vector<MenuItem> items;
    UINT defaultItem = 0;
    bool openWhileShown = false;
    InsideMenu inside([&](HWND menuWindow) {
      const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
      items = ItemsOf(menu);
      defaultItem = GetMenuDefaultItem(menu, FALSE, 0);
      openWhileShown = Console().SendButton().IsMenuOpen();
      EndMenu();
    });
    PostMessageA(Button(), WM_KEYDOWN, key, 1);
    PumpPending();
    ASSERT_TRUE(inside.ran) << key;
    EXPECT_EQ(items, expected);
    EXPECT_EQ(defaultItem, static_cast<UINT>(IDOK));
    EXPECT_TRUE(openWhileShown) << "the arrow is drawn pressed while the menu is open";
    EXPECT_FALSE(Console().SendButton().IsMenuOpen());
  }

  // The choices reach the console: "&Clear log" from a click on the arrow, Send by the keys.
  Focus(Item(IDCANCEL));
  Console().AppendConsoleText("to be cleared\n");
  {
    InsideMenu inside([](HWND menuWindow) { PostMessageA(menuWindow, WM_CHAR, 'c', 1); });
    PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, ArrowPoint());
    PumpPending();
    ASSERT_TRUE(inside.ran);
  }
  PumpPending();
  EXPECT_EQ(Output(), "");
  EXPECT_EQ(GetFocus(), Button()) << "a click on the arrow gives the button the focus";
  SetCommand("echo from the menu");
  {
    InsideMenu inside([](HWND menuWindow) {
      PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 1);
      PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 1);
    });
    PostMessageA(Button(), WM_KEYDOWN, VK_DOWN, 1);
    PumpPending();
    ASSERT_TRUE(inside.ran);
  }
  EXPECT_TRUE(WaitForOutput("from the menu\r\n"));
}

TEST_F(SendButton, TheClickThatClosesTheMenuDoesNotPressTheButton) {
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
class Drawing {
 public:
  Drawing(HWND dialog, HWND button, UINT state) {
    GetClientRect(button, &rect_);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rect_.right;
    info.bmiHeader.biHeight = -rect_.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDOK;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = dc_;
    item.rcItem = rect_;
    SendMessageA(dialog, WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&item));
  }
  ~Drawing() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Whether any pixel of the rectangle has the colour.
  bool Has(const RECT& area, COLORREF color) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) == color) return true;
    return false;
  }
  const RECT& Rect() const { return rect_; }

 private:
  RECT rect_ = {};
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
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
    const RECT caption{2, 2, arrow.left, plain.Rect().bottom - 2};
    EXPECT_TRUE(plain.Has(caption, text)) << "the caption";
    EXPECT_TRUE(greyed.Has(caption, grey));
    EXPECT_FALSE(greyed.Has(caption, text));
  }
}

}  // namespace
}  // namespace tarnwick
