// The main window as a user meets it: its command states and toggles, the address box's completion,
// the player list's sorting and highlighting, Unicode names from a server and the web commands,
// driven with real messages.
#include <gtest/gtest.h>

#include <map>

#include "controls/combo_box_win.h"
#include "controls/list_view_win.h"
#include "common/wide_text_win.h"
#include "resources/resource.h"
#include "tests/support/connected_window_win.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

using namespace testing;
using Texts = std::vector<std::string>;

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

// The command state table's start as the menus and the tool bar show it to the user.
TEST(MainWindowStart, MenusShowTheCommandStatesAndTheCommandsDoWhatTheySay) {
  BoxRecorder boxes;
  WindowUnderTest window;
  struct Case {
    int command;
    UINT state;
  } cases[] = {{ID_VIEW_SERVER_INFO, MF_GRAYED}, {ID_TOOLS_AUTO_UPDATE, MF_CHECKED},
               {ID_FILE_AUTO_JOIN, 0},            {ID_FILE_CONNECT, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(MenuStateOf(window.hwnd(), c.command) & (MF_GRAYED | MF_CHECKED), c.state)
        << c.command;
  }
  MessageLoop::Current()->RunIdleHandlers();
  HWND toolbar = window->Bars().Toolbar();
  EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_FILE_DISCONNECT, 0));
  EXPECT_EQ(testing::WindowText(window.hwnd()), "Tarnwick");
  EXPECT_EQ(window->Status().StateTip(), "Not connected");
  EXPECT_EQ(window->Status().PaneText(0), "Tarnwick 1.2.6 ready.");

  SendCommand(window.hwnd(), ID_VIEW_TOOLBAR);
  EXPECT_FALSE(IsWindowVisible(window->Bars().Rebar()));
  EXPECT_FALSE(IsWindowVisible(window->Bars().AddressBox())) << "the address box goes with it";
  EXPECT_FALSE(MenuStateOf(window.hwnd(), ID_VIEW_TOOLBAR) & MF_CHECKED);
  SendCommand(window.hwnd(), ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(IsWindowVisible(window->Status().hwnd()));
  SendCommand(window.hwnd(), ID_TOOLS_AUTO_UPDATE);
  EXPECT_FALSE(window->CurrentSettings().autoUpdate);
  EXPECT_FALSE(MenuStateOf(window.hwnd(), ID_TOOLS_AUTO_UPDATE) & MF_CHECKED);
  SendCommand(window.hwnd(), ID_TOOLS_MINIMIZE_TO_TRAY);
  EXPECT_FALSE(window->CurrentSettings().minimizeToTray);
  SendCommand(window.hwnd(), ID_FILE_AUTO_JOIN);
  EXPECT_TRUE(MenuStateOf(window.hwnd(), ID_FILE_AUTO_JOIN) & MF_CHECKED);
  EXPECT_TRUE(boxes.Boxes().empty());

  // (The beep when an address cannot be opened is the About box's and the links' test.)
  testing::ShellRecorder shell;
  SendCommand(window.hwnd(), ID_HELP_MANUAL);
  SendCommand(window.hwnd(), ID_HELP_UPDATES);
  EXPECT_EQ(shell.opened.size(), 2u) << "the web commands open their addresses";
}

void Type(HWND edit, const std::string& keys) {
  for (char key : keys) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
  PumpPending();
}

TEST(AddressBox, CompletesTypedTextButNotAfterBackspaceAndEnterConnects) {
  BoxRecorder boxes;
  WindowUnderTest window;
  HWND box = window->Bars().AddressBox();
  HWND edit = window->Bars().AddressEdit();
  for (const char* server : {"stuttgart.example:27015", "stockholm.example:27016", "bern.example:1"}) {
    SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(server));
  }
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetFocus(edit);
  Type(edit, "s");
  EXPECT_EQ(ComboEditText(box), "stockholm.example:27016") << "the first of the sorted items";
  EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELONG(1, 23)) << "the completion selected";
  Type(edit, "tu");
  EXPECT_EQ(ComboEditText(box), "stuttgart.example:27015");
  Type(edit, "\b");
  EXPECT_EQ(ComboEditText(box), "stu") << "deleting the completion does not complete again";

  SetWindowTextA(edit, "");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  PumpPending();
  ASSERT_EQ(boxes.Boxes().size(), 1u) << "Enter with an empty box runs Connect, which asks";
  EXPECT_EQ(boxes.Boxes()[0].text, "Please specify server you want to connect");
}

Texts Column(const PlayerList& list, int column) {
  Texts texts;
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

// The sort mark a column's title shows: its image, or -1 without one.
int SortMark(HWND list, int column) {
  LVCOLUMNA spec = {};
  spec.mask = LVCF_FMT | LVCF_IMAGE;
  SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&spec));
  const bool shown = (spec.fmt & LVCFMT_IMAGE) && (spec.fmt & LVCFMT_BITMAP_ON_RIGHT);
  return shown ? spec.iImage : -1;
}

// Names sort in the user's locale order: punctuation before letters, accented letters among theirs.
TEST(PlayerListView, HeaderClicksSortInTheUsersLocaleOrderAndMoveTheMark) {
  WindowUnderTest window;
  PlayerList& list = window->Players();
  list.Show({{"1", "bob", "10", "00:00:10", 4},
             {"2", "\u00C9mile", "-3", "01:00:00", 4},
             {"3", "|pipe", "2", "00:10:00", 4},
             {"4", "Alice", "0", "00:00:01", 4}},
            window->CurrentSettings().sortOrder);
  EXPECT_EQ(Column(list, 0), (Texts{"1", "2", "3", "4"}));

  ClickHeader(list.hwnd(), 1);
  EXPECT_EQ(window->CurrentSettings().sortOrder, 2);
  EXPECT_EQ(Column(list, 1), (Texts{"|pipe", "Alice", "bob", "\u00C9mile"}));
  EXPECT_EQ(SortMark(list.hwnd(), 1), 0);
  EXPECT_EQ(SortMark(list.hwnd(), 0), -1) << "the mark left the '#' column";
  ClickHeader(list.hwnd(), 1);
  EXPECT_EQ(window->CurrentSettings().sortOrder, -2);
  EXPECT_EQ(Column(list, 1), (Texts{"\u00C9mile", "bob", "Alice", "|pipe"}));
  EXPECT_EQ(SortMark(list.hwnd(), 1), 1);

  ClickHeader(list.hwnd(), 2);
  EXPECT_EQ(Column(list, 2), (Texts{"-3", "0", "2", "10"})) << "frags sort as numbers";
  EXPECT_EQ(list.CellText(2, 1), "\u00C9mile") << "rows are found by their item data";
}

// Asks the main window how a player row is to be drawn, as the list does while it paints: its
// answer and the text colour.
using Drawn = std::pair<LRESULT, COLORREF>;
Drawn DrawStage(WindowUnderTest& window, LPARAM rowParam) {
  HWND list = window->Players().hwnd();
  NMLVCUSTOMDRAW draw = {};
  draw.nmcd.hdr = {list, IDC_PLAYER_LIST, static_cast<UINT>(NM_CUSTOMDRAW)};
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.nmcd.lItemlParam = rowParam;
  draw.nmcd.hdc = GetDC(list);
  draw.clrText = RGB(1, 2, 3);
  const LRESULT result =
      SendMessageA(window.hwnd(), WM_NOTIFY, IDC_PLAYER_LIST, reinterpret_cast<LPARAM>(&draw));
  ReleaseDC(list, draw.nmcd.hdc);
  return {result, draw.clrText};
}

using ServerTexts = testing::ConnectedWindow;

// Names over a real socket from the demo server: today's servers send UTF-8, old ones Latin-1.
// Each name is drawn in the colour of the first rule that matches it.
TEST_F(ServerTexts, NamesAndCaptionReadBackAsWrittenAndNamesTakeTheColourOfTheirRule) {
  demo::DemoConfig config;
  config.host_name = "\u4E2D\u6587 Server";
  config.map = "de_\u00FCber";
  config.players = {{"\u0441\u0434s\u0446\u0430l", 3, 10.0f},
                    {"\u00DCber \u2665", 2, 20.0f},
                    {"\xDC" "ber", 1, 30.0f},
                    {"\uFF26\uFF55\uFF4C\uFF4C", 0, 40.0f},
                    {"[Kx4t].joe", 0, 50.0f},
                    {"[abc]joe", 0, 60.0f}};
  ASSERT_TRUE(Connect(config));
  HWND list = window->Players().hwnd();
  ASSERT_TRUE(testing::PumpUntil([&] { return window->Players().RowCount() == 6; }));
  // Each name as a screen reader reads it through the Unicode messages, and its row's item data.
  std::map<std::string, LPARAM> rows;
  for (int row = 0; row < 6; ++row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    rows[ListItemText(list, row, 1)] = item.lParam;
  }
  const std::string cyrillic = "\u0441\u0434s\u0446\u0430l";
  const std::string fullWidth = "\uFF26\uFF55\uFF4C\uFF4C";
  Texts names;
  for (const auto& [name, param] : rows) names.push_back(name);
  EXPECT_EQ(names, (Texts{"[Kx4t].joe", "[abc]joe", "\u00DCber", "\u00DCber \u2665", cyrillic,
                          fullWidth}));
  wchar_t caption[256] = {};
  GetWindowTextW(window.hwnd(), caption, static_cast<int>(std::size(caption)));
  EXPECT_NE(std::wstring(caption).find(L"de_\u00FCber"), std::wstring::npos) << Narrow(caption);
  EXPECT_NE(std::wstring(caption).find(L"\u4E2D\u6587 Server"), std::wstring::npos);

  // (Which rule matches first is the portable matcher's part; here the rows take its colour.)
  window->HighlightRules() = DefaultHighlightRules();
  // Dark blue is the bold rule of priority 31, purple the clan tag rule; RGB(1, 2, 3) is the
  // list's own colour, left alone.
  const Drawn kDefault{CDRF_DODEFAULT, RGB(1, 2, 3)};
  EXPECT_EQ(DrawStage(window, rows["[Kx4t].joe"]), Drawn(CDRF_NEWFONT, RGB(0, 0, 160)));
  EXPECT_EQ(DrawStage(window, rows["[abc]joe"]), Drawn(CDRF_NEWFONT, RGB(128, 0, 64)));
  EXPECT_EQ(DrawStage(window, rows["\u00DCber"]), kDefault);
  EXPECT_EQ(DrawStage(window, 99), kDefault) << "a row that is not there";
  // A mask typed in Cyrillic draws the Cyrillic name; full-width letters fold by the platform's
  // lower-casing, which the portable fold leaves alone.
  window->HighlightRules() = {{MakeHighlightAttributes(0x0000FF, 0, 20), "\u0421\u0414*"},
                              {MakeHighlightAttributes(0x00FF00, 0, 20), "\uFF46*"}};
  EXPECT_EQ(DrawStage(window, rows[cyrillic]), Drawn(CDRF_NEWFONT, 0x0000FFu));
  EXPECT_EQ(DrawStage(window, rows[fullWidth]), Drawn(CDRF_NEWFONT, 0x00FF00u));
  window->CurrentSettings().playerListHighlight = false;
  EXPECT_EQ(DrawStage(window, rows[cyrillic]), kDefault) << "highlighting off: nothing custom";
}

}  // namespace
}  // namespace tarnwick
