// The main window as a user meets it: its initial command states, menus, the address box's
// completion, the player list's sorting and the status bar, driven with real messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/combo_box_win.h"
#include "common/shell_open_win.h"
#include "common/wide_text_win.h"
#include "resources/resource.h"
#include "tests/dialogs/connected_window_win.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

using testing::BoxRecorder;
using testing::PumpPending;
using testing::SendCommand;
using testing::WindowUnderTest;

UINT MenuStateOf(HWND window, int command) {
  HMENU bar = GetMenu(window);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    HMENU popup = GetSubMenu(bar, i);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), i);
    const UINT state = GetMenuState(popup, command, MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1)) return state;
  }
  return static_cast<UINT>(-1);
}

TEST(MainWindowStart, CommandStatesAfterCreation) {
  BoxRecorder boxes;
  WindowUnderTest window;
  ASSERT_NE(window.hwnd(), nullptr);
  struct Case {
    int command;
    bool grayed;
    bool checked;
  } cases[] = {
      {ID_VIEW_TOOLBAR, false, true},          {ID_VIEW_STATUS_BAR, false, true},
      {ID_VIEW_PING_STATISTICS, true, false},  {ID_VIEW_SERVER_INFO, true, false},
      {ID_VIEW_REFRESH, true, false},          {ID_TOOLS_AUTO_UPDATE, false, true},
      {ID_TOOLS_MINIMIZE_TO_TRAY, false, true}, {ID_FILE_JOIN, true, false},
      {ID_FILE_AUTO_JOIN, false, false},       {ID_FILE_DISCONNECT, true, false},
      {ID_TOOLS_REMOTE_CONSOLE, true, false},  {ID_FILE_CONNECT, false, false},
      {ID_HELP_ABOUT, false, false},
  };
  for (const Case& c : cases) {
    const UINT state = MenuStateOf(window.hwnd(), c.command);
    ASSERT_NE(state, static_cast<UINT>(-1)) << c.command;
    EXPECT_EQ((state & MF_GRAYED) != 0, c.grayed) << c.command;
    EXPECT_EQ((state & MF_CHECKED) != 0, c.checked) << c.command;
  }
  MessageLoop::Current()->RunIdleHandlers();
  HWND toolbar = window->Bars().Toolbar();
  EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_VIEW_REFRESH, 0));
  EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_FILE_DISCONNECT, 0));
  EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_FILE_CONNECT, 0));
  EXPECT_EQ(GetWindowTextLengthA(window.hwnd()), 8) << "the idle caption is the program name";
  EXPECT_EQ(window->Status().StateTip(), "Not connected");
  EXPECT_EQ(window->Status().PaneText(1), " ping ");
  EXPECT_EQ(window->Status().PaneText(0), "Tarnwick 1.2.6 ready.");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(MainWindowStart, ToggleCommandsChangeWhatTheyShow) {
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_VIEW_TOOLBAR);
  EXPECT_FALSE(IsWindowVisible(window->Bars().Rebar()));
  EXPECT_FALSE(IsWindowVisible(window->Bars().AddressBox())) << "the address box goes with it";
  EXPECT_FALSE(MenuStateOf(window.hwnd(), ID_VIEW_TOOLBAR) & MF_CHECKED);
  SendCommand(window.hwnd(), ID_VIEW_TOOLBAR);
  EXPECT_TRUE(IsWindowVisible(window->Bars().Rebar()));
  SendCommand(window.hwnd(), ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(IsWindowVisible(window->Status().hwnd()));
  SendCommand(window.hwnd(), ID_TOOLS_AUTO_UPDATE);
  EXPECT_FALSE(window->CurrentSettings().autoUpdate);
  EXPECT_FALSE(MenuStateOf(window.hwnd(), ID_TOOLS_AUTO_UPDATE) & MF_CHECKED);
  SendCommand(window.hwnd(), ID_TOOLS_MINIMIZE_TO_TRAY);
  EXPECT_FALSE(window->CurrentSettings().minimizeToTray);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  EXPECT_TRUE(MenuStateOf(window.hwnd(), ID_FILE_AUTO_JOIN) & MF_CHECKED);
}

TEST(MainWindowStart, ConnectWithAnEmptyAddressAsksForAServer) {
  BoxRecorder boxes;
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_CONNECT);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Please specify server you want to connect");
  EXPECT_EQ(boxes.Boxes()[0].title, "Tarnwick");
  EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

void Type(HWND edit, const std::string& keys) {
  for (char key : keys) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
  PumpPending();
}

TEST(AddressBox, CompletesTypedTextAndNotAfterBackspace) {
  WindowUnderTest window;
  HWND box = window->Bars().AddressBox();
  HWND edit = window->Bars().AddressEdit();
  ASSERT_NE(edit, nullptr);
  for (const char* server : {"stuttgart.example:27015", "stockholm.example:27016", "bern.example:1"}) {
    SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(server));
  }
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetFocus(edit);
  Type(edit, "s");
  EXPECT_EQ(ComboEditText(box), "stockholm.example:27016") << "the first of the sorted items";
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 23u);
  Type(edit, "tu");
  EXPECT_EQ(ComboEditText(box), "stuttgart.example:27015");
  Type(edit, "\b");
  EXPECT_EQ(ComboEditText(box), "stu") << "deleting the completion does not complete again";
}

TEST(AddressBox, EnterConnectsLikeCtrlO) {
  BoxRecorder boxes;
  WindowUnderTest window;
  HWND edit = window->Bars().AddressEdit();
  SetFocus(edit);
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  PumpPending();
  ASSERT_EQ(boxes.Boxes().size(), 1u) << "Enter with an empty box runs Connect";
  EXPECT_EQ(boxes.Boxes()[0].text, "Please specify server you want to connect");
}

std::vector<std::string> Column(const PlayerList& list, int column) {
  std::vector<std::string> texts;
  for (const auto& row : list.VisibleRows()) texts.push_back(row[column]);
  return texts;
}

void ClickHeader(HWND list, int column) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  RECT item = {};
  SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
  PumpPending();
}

TEST(PlayerListView, HeaderClicksSortAndMoveTheMark) {
  WindowUnderTest window;
  PlayerList& list = window->Players();
  std::vector<PlayerRow> rows = {{"1", "bob", "10", "00:00:10", 4},
                                 {"2", "Alice", "-3", "01:00:00", 4},
                                 {"3", "carl", "2", "00:10:00", 4}};
  list.Show(rows, window->CurrentSettings().sortOrder);
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"1", "2", "3"}));

  ClickHeader(list.hwnd(), 1);
  EXPECT_EQ(window->CurrentSettings().sortOrder, 2);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"Alice", "bob", "carl"}));
  LVCOLUMNA spec = {};
  spec.mask = LVCF_FMT | LVCF_IMAGE;
  SendMessageA(list.hwnd(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&spec));
  EXPECT_TRUE(spec.fmt & LVCFMT_IMAGE);
  EXPECT_TRUE(spec.fmt & LVCFMT_BITMAP_ON_RIGHT);
  EXPECT_EQ(spec.iImage, 0);
  spec = {};
  spec.mask = LVCF_FMT;
  SendMessageA(list.hwnd(), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&spec));
  EXPECT_FALSE(spec.fmt & LVCFMT_IMAGE) << "the mark left the '#' column";

  ClickHeader(list.hwnd(), 1);
  EXPECT_EQ(window->CurrentSettings().sortOrder, -2);
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"carl", "bob", "Alice"}));
  spec = {};
  spec.mask = LVCF_FMT | LVCF_IMAGE;
  SendMessageA(list.hwnd(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&spec));
  EXPECT_EQ(spec.iImage, 1);

  ClickHeader(list.hwnd(), 2);
  EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"-3", "2", "10"})) << "frags sort as numbers";
  EXPECT_EQ(list.CellText(2, 1), "Alice") << "rows are found by their item data";
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// Asks the main window how a player row is to be drawn, as the list does while it paints.
LRESULT DrawStageResult(WindowUnderTest& window, LPARAM rowParam, COLORREF& color) {
  HWND list = window->Players().hwnd();
  NMLVCUSTOMDRAW draw = {};
  draw.nmcd.hdr.hwndFrom = list;
  draw.nmcd.hdr.idFrom = IDC_PLAYER_LIST;
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.nmcd.lItemlParam = rowParam;
  draw.nmcd.hdc = GetDC(list);
  draw.clrText = RGB(1, 2, 3);
  const LRESULT result =
      SendMessageA(window.hwnd(), WM_NOTIFY, IDC_PLAYER_LIST, reinterpret_cast<LPARAM>(&draw));
  ReleaseDC(list, draw.nmcd.hdc);
  color = draw.clrText;
  return result;
}

TEST(PlayerListView, NamesAreDrawnByTheFirstMatchingRule) {
  WindowUnderTest window;
  window->HighlightRules() = DefaultHighlightRules();
  window->Players().Show({{"1", "[Kx4t].joe", "1", "00:00:01", 4},
                          {"2", "[abc]joe", "1", "00:00:01", 4},
                          {"3", "joe", "1", "00:00:01", 4}},
                         1);
  COLORREF color = 0;
  EXPECT_EQ(DrawStageResult(window, 1, color), CDRF_NEWFONT);
  EXPECT_EQ(color, RGB(0, 0, 160)) << "dark blue, the bold rule of priority 31";
  EXPECT_EQ(DrawStageResult(window, 2, color), CDRF_NEWFONT);
  EXPECT_EQ(color, RGB(128, 0, 64)) << "purple, the clan tag rule";
  EXPECT_EQ(DrawStageResult(window, 3, color), CDRF_DODEFAULT);
  EXPECT_EQ(DrawStageResult(window, 99, color), CDRF_DODEFAULT) << "a row that is not there";

  window->CurrentSettings().playerListHighlight = false;
  EXPECT_EQ(DrawStageResult(window, 1, color), CDRF_DODEFAULT);
  EXPECT_EQ(color, RGB(1, 2, 3)) << "with highlighting off nothing is custom-drawn";
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// What a screen reader or another program reads through the Unicode messages.
std::wstring CellThroughW(HWND list, int row, int column) {
  wchar_t buffer[260] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = static_cast<int>(std::size(buffer));
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

using ServerTexts = testing::ConnectedWindow;

// Names over a real socket from the demo server: today's servers send UTF-8, old ones Latin-1.
TEST_F(ServerTexts, NamesAndCaptionReadBackAsWritten) {
  demo::DemoConfig config;
  config.host_name = "\u4E2D\u6587 Server";
  config.map = "de_\u00FCber";
  config.players = {{"\u0441\u0434s\u0446\u0430l", 3, 10.0f},
                    {"\u00DCber \u2665", 2, 20.0f},
                    {"\xDC" "ber", 1, 30.0f},
                    {"\uFF26\uFF55\uFF4C\uFF4C", 0, 40.0f}};
  ASSERT_TRUE(Connect(config));
  HWND list = window->Players().hwnd();
  ASSERT_TRUE(testing::PumpUntil([&] { return window->Players().RowCount() == 4; }));
  std::vector<std::wstring> names;
  for (int row = 0; row < 4; ++row) names.push_back(CellThroughW(list, row, 1));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"\u00DCber", L"\u00DCber \u2665",
                                               L"\u0441\u0434s\u0446\u0430l",
                                               L"\uFF26\uFF55\uFF4C\uFF4C"}));
  wchar_t caption[256] = {};
  GetWindowTextW(window.hwnd(), caption, static_cast<int>(std::size(caption)));
  EXPECT_NE(std::wstring(caption).find(L"de_\u00FCber"), std::wstring::npos) << Narrow(caption);
  EXPECT_NE(std::wstring(caption).find(L"\u4E2D\u6587 Server"), std::wstring::npos);
  // A mask typed in Cyrillic draws the Cyrillic name; full-width letters fold by the platform's
  // lower-casing, which the portable fold leaves alone.
  window->HighlightRules() = {{MakeHighlightAttributes(0x0000FF, 0, 20), "\u0421\u0414*"},
                              {MakeHighlightAttributes(0x00FF00, 0, 20), "\uFF46*"}};
  window->CurrentSettings().playerListHighlight = true;
  int drawn = 0;
  for (int row = 0; row < 4; ++row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    COLORREF color = 0;
    if (DrawStageResult(window, item.lParam, color) == CDRF_NEWFONT) ++drawn;
  }
  EXPECT_EQ(drawn, 2);
}

// Name sorts in the user's locale order: punctuation before letters, accented letters among theirs.
TEST(PlayerListView, NamesSortInTheUsersLocaleOrder) {
  WindowUnderTest window;
  PlayerList& list = window->Players();
  list.Show({{"1", "Zed", "0", "00:00:01", 4},
             {"2", "\u00C9mile", "0", "00:00:01", 4},
             {"3", "|pipe", "0", "00:00:01", 4},
             {"4", "alice", "0", "00:00:01", 4},
             {"5", "~tilde", "0", "00:00:01", 4},
             {"6", "Frank", "0", "00:00:01", 4}},
            2);
  const std::vector<std::string> names = Column(list, 1);
  ASSERT_EQ(names.size(), 6u);
  const std::vector<std::string> letters(names.begin() + 2, names.end());
  EXPECT_EQ(letters, (std::vector<std::string>{"alice", "\u00C9mile", "Frank", "Zed"}));
  EXPECT_EQ(names[0][0] == '|' || names[0][0] == '~', true) << names[0];
  EXPECT_EQ(names[1][0] == '|' || names[1][0] == '~', true) << names[1];
}

TEST(MainWindowStart, WebLinkCommandsOpenTheirAddressAndBeepOnlyWhenThatFails) {
  WindowUnderTest window;
  std::vector<std::string> opened;
  int beeps = 0;
  INT_PTR answer = 42;
  SetShellActions({[&](const std::string& target) {
                     opened.push_back(target);
                     return answer;
                   },
                   [&] { ++beeps; }});
  SendCommand(window.hwnd(), ID_HELP_MANUAL);
  SendCommand(window.hwnd(), ID_HELP_UPDATES);
  EXPECT_EQ(opened, (std::vector<std::string>{"https://tarnwick.merrowind.example/manual/",
                                              "https://tarnwick.merrowind.example/updates/"}));
  EXPECT_EQ(beeps, 0);
  answer = SE_ERR_NOASSOC;
  SendCommand(window.hwnd(), ID_HELP_MANUAL);
  EXPECT_EQ(beeps, 1);
  SetShellActions({});
}

}  // namespace
}  // namespace tarnwick
