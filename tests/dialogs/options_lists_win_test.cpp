// The two list pages of the Options sheet on a real window: "Servers" (buttons and dragging, taken
// over only by OK) and "Highlight" (add, rename, remove, styles, colour, priority).
#include <gtest/gtest.h>

#include "highlight/highlight_rules.h"
#include "tests/dialogs/connected_window_win.h"
#include "tests/dialogs/modal_driver_win.h"

namespace tarnwick {
namespace {

using testing::Click;
using testing::ModalDriver;
using testing::MoveTrackbar;
using testing::PressCancel;
using testing::PressOk;
using testing::SelectPage;
using testing::SendCommand;

constexpr int kServers = 4;
constexpr int kHighlight = 5;

using Rows = std::vector<std::string>;

class OptionsLists : public testing::ConnectedWindow {
 protected:
  void Run(std::deque<ModalDriver::Action> actions) {
    ModalDriver driver(std::move(actions));
    SendCommand(window.hwnd(), ID_TOOLS_OPTIONS);
    EXPECT_TRUE(driver.AllRan());
  }
  // Makes the recent servers `newestFirst`.
  void SetServers(const Rows& newestFirst) {
    RecentServers& servers = window->RecentServerList();
    while (servers.GetServer(kRecentServerFirstId)) servers.RemoveServer(kRecentServerFirstId);
    for (auto row = newestFirst.rbegin(); row != newestFirst.rend(); ++row) {
      window->RecentServerList().AddServer(*row);
    }
  }
  Rows Servers() {
    Rows rows;
    for (uint32_t id = kRecentServerFirstId;; ++id) {
      auto server = window->RecentServerList().GetServer(id);
      if (!server) return rows;
      rows.push_back(*server);
    }
  }
};

// ---- Servers

HWND ServerList(HWND page) { return GetDlgItem(page, IDC_SERVERS_LIST); }

Rows ListRows(HWND page) {
  Rows rows;
  HWND list = ServerList(page);
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[300] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    rows.emplace_back(text);
  }
  return rows;
}

int Selected(HWND page) {
  return static_cast<int>(SendMessageA(ServerList(page), LB_GETCURSEL, 0, 0));
}

void Select(HWND page, int row) {
  SendMessageA(ServerList(page), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// A screen point over `row`, or below the last row when `row` is -1.
POINT PointOf(HWND page, int row) {
  HWND list = ServerList(page);
  POINT point = {};
  if (row >= 0) {
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  } else {
    RECT client = {};
    GetClientRect(list, &client);
    point = {client.right / 2, client.bottom - 3};
  }
  ClientToScreen(list, &point);
  return point;
}

// Sends a drag-list notification to the page as the list box does while the user drags.
LRESULT Drag(HWND page, UINT notification, int row) {
  static const UINT message = RegisterWindowMessageA(DRAGLISTMSGSTRING);
  DRAGLISTINFO info = {notification, ServerList(page), PointOf(page, row)};
  SendMessageA(page, message, IDC_SERVERS_LIST, reinterpret_cast<LPARAM>(&info));
  return GetWindowLongPtrA(page, DWLP_MSGRESULT);
}

TEST_F(OptionsLists, ServersAreListedNewestFirstAndButtonsMoveThem) {
  SetServers({"A", "B", "C", "D"});
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kServers);
    EXPECT_EQ(ListRows(page), (Rows{"A", "B", "C", "D"}));
    Select(page, 0);
    Click(page, IDC_SERVERS_UP);
    EXPECT_EQ(ListRows(page), (Rows{"A", "B", "C", "D"})) << "the first row cannot go up";
    Click(page, IDC_SERVERS_DOWN);
    EXPECT_EQ(ListRows(page), (Rows{"B", "A", "C", "D"}));
    EXPECT_EQ(Selected(page), 1);
    Select(page, 3);
    Click(page, IDC_SERVERS_DOWN);
    EXPECT_EQ(ListRows(page), (Rows{"B", "A", "C", "D"})) << "the last row cannot go down";
    Click(page, IDC_SERVERS_UP);
    EXPECT_EQ(ListRows(page), (Rows{"B", "A", "D", "C"}));
    EXPECT_EQ(Servers(), (Rows{"A", "B", "C", "D"})) << "nothing changes before OK";
    PressOk(sheet);
  }});
  EXPECT_EQ(Servers(), (Rows{"B", "A", "D", "C"}));
  EXPECT_EQ(SendMessageA(window->Bars().AddressBox(), CB_GETCOUNT, 0, 0), 4);
}

TEST_F(OptionsLists, ReorderingThenCancelLeavesTheServers) {
  SetServers({"A", "B", "C", "D"});
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kServers);
    Select(page, 1);
    Click(page, IDC_SERVERS_REMOVE);
    Select(page, 0);
    Click(page, IDC_SERVERS_DOWN);
    EXPECT_EQ(ListRows(page), (Rows{"C", "A", "D"}));
    PressCancel(sheet);
  }});
  EXPECT_EQ(Servers(), (Rows{"A", "B", "C", "D"}));
}

TEST_F(OptionsLists, DraggingFollowsTheMoveRule) {
  struct Case {
    const char* what;
    int from;
    int to;  // -1: dropped below the last row
    Rows after;
    int selected;
  } cases[] = {
      {"D onto B", 3, 1, {"A", "D", "B", "C"}, 1},
      {"A onto C", 0, 2, {"B", "C", "A", "D"}, 2},
      {"B below the last row", 1, -1, {"A", "C", "D", "B"}, -1},
  };
  for (const Case& c : cases) {
    SetServers({"A", "B", "C", "D"});
    Run({[&](HWND sheet) {
      HWND page = SelectPage(sheet, kServers);
      EXPECT_TRUE(Drag(page, DL_BEGINDRAG, c.from)) << c.what;
      Drag(page, DL_DRAGGING, c.to);
      Drag(page, DL_DROPPED, c.to);
      EXPECT_EQ(ListRows(page), c.after) << c.what;
      EXPECT_EQ(Selected(page), c.selected) << c.what;
      PressOk(sheet);
    }});
    EXPECT_EQ(Servers(), c.after) << c.what;
  }
}

TEST_F(OptionsLists, ADragFromBelowTheRowsOrACancelledDragMovesNothing) {
  SetServers({"A", "B", "C"});
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kServers);
    EXPECT_FALSE(Drag(page, DL_BEGINDRAG, -1));
    Drag(page, DL_DROPPED, 0);
    Drag(page, DL_BEGINDRAG, 2);
    Drag(page, DL_CANCELDRAG, 0);
    Drag(page, DL_DROPPED, 0);
    EXPECT_EQ(ListRows(page), (Rows{"A", "B", "C"}));
    PressOk(sheet);
  }});
  EXPECT_EQ(Servers(), (Rows{"A", "B", "C"}));
}

TEST_F(OptionsLists, RemovingTheOnlyServerEmptiesTheList) {
  SetServers({"only.example:27015"});
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kServers);
    Select(page, 0);
    Click(page, IDC_SERVERS_REMOVE);
    EXPECT_TRUE(ListRows(page).empty());
    EXPECT_EQ(Selected(page), -1);
    PressOk(sheet);
  }});
  EXPECT_TRUE(Servers().empty());
}

// ---- Highlight

HWND RuleList(HWND page) { return GetDlgItem(page, IDC_HIGHLIGHT_LIST); }

int RuleCount(HWND page) {
  return static_cast<int>(SendMessageA(RuleList(page), LVM_GETITEMCOUNT, 0, 0));
}

std::string Cell(HWND page, int row, int column) {
  char text[300] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(RuleList(page), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  return text;
}

int SelectedRule(HWND page) {
  return static_cast<int>(
      SendMessageA(RuleList(page), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRule(HWND page, int row) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(RuleList(page), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
int PriorityShown(HWND page) {
  return static_cast<int>(SendMessageA(GetDlgItem(page, IDC_HIGHLIGHT_PRIORITY), TBM_GETPOS, 0, 0));
}

// Ends the label edit in progress with `text` (Enter) or cancels it (Escape, when null).
void EndLabelEdit(HWND page, const char* text) {
  HWND edit = reinterpret_cast<HWND>(SendMessageA(RuleList(page), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  if (text != nullptr) SetWindowTextA(edit, text);
  const WPARAM key = text != nullptr ? VK_RETURN : VK_ESCAPE;
  SendMessageA(edit, WM_KEYDOWN, key, 0);
  SendMessageA(edit, WM_CHAR, key == VK_RETURN ? '\r' : 27, 0);
}

TEST_F(OptionsLists, ARuleMovedToPriority31IsTriedFirstAfterOk) {
  window->HighlightRules() = {{MakeHighlightAttributes(0x0000FF, 0, 10), "*"},
                              {MakeHighlightAttributes(0xFF0000, 1, 4), "Free*"}};
  ASSERT_EQ(FindHighlightRule(window->HighlightRules(), "Freeman")->mask, "*");
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kHighlight);
    ASSERT_EQ(RuleCount(page), 2);
    EXPECT_EQ(Cell(page, 0, 0), "*");
    EXPECT_EQ(Cell(page, 0, 1), "10");
    EXPECT_EQ(SelectedRule(page), 0) << "the first rule starts selected";
    EXPECT_EQ(PriorityShown(page), 10);
    SelectRule(page, 1);
    EXPECT_EQ(PriorityShown(page), 4);
    EXPECT_TRUE(Checked(page, IDC_HIGHLIGHT_BOLD));
    MoveTrackbar(page, IDC_HIGHLIGHT_PRIORITY, 31);
    EXPECT_EQ(Cell(page, 1, 1), "31");
    EXPECT_EQ(Cell(page, 1, 0), "Free*") << "the page keeps its order";
    PressOk(sheet);
  }});
  ASSERT_EQ(window->HighlightRules().size(), 2u);
  EXPECT_EQ(window->HighlightRules()[0].attributes, MakeHighlightAttributes(0xFF0000, 1, 31));
  EXPECT_EQ(FindHighlightRule(window->HighlightRules(), "Freeman")->mask, "Free*");
  EXPECT_EQ(FindHighlightRule(window->HighlightRules(), "Barney")->mask, "*");
}

TEST_F(OptionsLists, AddRenameStyleAndRemoveRules) {
  window->HighlightRules().clear();
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kHighlight);
    EXPECT_EQ(RuleCount(page), 0);
    EXPECT_TRUE(Enabled(page, IDC_HIGHLIGHT_ADD));
    EXPECT_FALSE(Enabled(page, IDC_HIGHLIGHT_REMOVE)) << "no rule to change yet";

    Click(page, IDC_HIGHLIGHT_ADD);
    ASSERT_EQ(RuleCount(page), 1);
    EXPECT_EQ(Cell(page, 0, 0), "<<Mask>>");
    EXPECT_EQ(Cell(page, 0, 1), "4");
    EXPECT_TRUE(Enabled(page, IDC_HIGHLIGHT_COLOR));
    EndLabelEdit(page, "[TW]*");
    EXPECT_EQ(Cell(page, 0, 0), "[TW]*");

    Click(page, IDC_HIGHLIGHT_ADD);
    EndLabelEdit(page, nullptr);
    EXPECT_EQ(Cell(page, 1, 0), "<<Mask>>") << "a cancelled edit keeps the label";
    // (An emptied edit is not tried: Wine's list view reports it as a cancelled edit.)
    Click(page, IDC_HIGHLIGHT_ADD);
    EndLabelEdit(page, "Third");
    EXPECT_EQ(Cell(page, 2, 0), "Third");

    SelectRule(page, 0);
    Click(page, IDC_HIGHLIGHT_BOLD);
    EXPECT_TRUE(Checked(page, IDC_HIGHLIGHT_BOLD));
    Click(page, IDC_HIGHLIGHT_BOLD);
    EXPECT_FALSE(Checked(page, IDC_HIGHLIGHT_BOLD));
    Click(page, IDC_HIGHLIGHT_ITALIC);
    Click(page, IDC_HIGHLIGHT_UNDERLINE);

    SelectRule(page, 2);
    Click(page, IDC_HIGHLIGHT_REMOVE);
    EXPECT_EQ(RuleCount(page), 2);
    EXPECT_EQ(SelectedRule(page), 1) << "the last went: the new last is selected";
    Click(page, IDC_HIGHLIGHT_REMOVE);
    EXPECT_EQ(SelectedRule(page), 0);
    PressOk(sheet);
  }});
  ASSERT_EQ(window->HighlightRules().size(), 1u);
  EXPECT_EQ(window->HighlightRules()[0].mask, "[TW]*");
  EXPECT_EQ(window->HighlightRules()[0].attributes,
            NewHighlightRule().attributes | kHighlightItalic | kHighlightUnderline);
}

TEST_F(OptionsLists, RemovingTheOnlyRuleLeavesNothingSelected) {
  window->HighlightRules() = {NewHighlightRule()};
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kHighlight);
    Click(page, IDC_HIGHLIGHT_REMOVE);
    EXPECT_EQ(RuleCount(page), 0);
    EXPECT_EQ(SelectedRule(page), -1);
    EXPECT_FALSE(Enabled(page, IDC_HIGHLIGHT_BOLD));
    PressOk(sheet);
  }});
  EXPECT_TRUE(window->HighlightRules().empty());
}

TEST_F(OptionsLists, TheColourDialogStartsAtTheRulesColour) {
  window->HighlightRules() = {{MakeHighlightAttributes(RGB(10, 20, 30), 1, 7), "Barney"}};
  int red = -1;
  int green = -1;
  int blue = -1;
  constexpr int kRedBox = 706;  // the colour dialog's "Red", "Green" and "Blue" boxes
  Run({[&](HWND sheet) {
         HWND page = SelectPage(sheet, kHighlight);
         Click(page, IDC_HIGHLIGHT_COLOR);
         PressOk(sheet);
       },
       [&](HWND colours) {
         red = static_cast<int>(GetDlgItemInt(colours, kRedBox, nullptr, FALSE));
         green = static_cast<int>(GetDlgItemInt(colours, kRedBox + 1, nullptr, FALSE));
         blue = static_cast<int>(GetDlgItemInt(colours, kRedBox + 2, nullptr, FALSE));
         SetDlgItemInt(colours, kRedBox, 200, FALSE);
         PostMessageA(colours, WM_COMMAND, IDOK, 0);
       }});
  EXPECT_EQ(red, 10);
  EXPECT_EQ(green, 20);
  EXPECT_EQ(blue, 30);
  ASSERT_EQ(window->HighlightRules().size(), 1u);
  EXPECT_EQ(window->HighlightRules()[0].attributes, MakeHighlightAttributes(RGB(200, 20, 30), 1, 7))
      << "style and priority stay";
}

TEST_F(OptionsLists, CancelAfterRuleEditsLeavesTheRules) {
  window->HighlightRules() = DefaultHighlightRules();
  Run({[&](HWND sheet) {
    HWND page = SelectPage(sheet, kHighlight);
    Click(page, IDC_HIGHLIGHT_ADD);
    EndLabelEdit(page, "new");
    SelectRule(page, 0);
    Click(page, IDC_HIGHLIGHT_BOLD);
    MoveTrackbar(page, IDC_HIGHLIGHT_PRIORITY, 0);
    PressCancel(sheet);
  }});
  EXPECT_EQ(window->HighlightRules(), DefaultHighlightRules());
}

}  // namespace
}  // namespace tarnwick
