// The Options sheet on a real window: each value page's controls, their enabling, what OK hands
// back to the window and applies at once, an empty number box that keeps the user on its page, and
// Cancel that changes nothing.
#include <gtest/gtest.h>

#include "highlight/highlight_rules.h"
#include "tests/dialogs/connected_window_win.h"
#include "tests/dialogs/modal_driver_win.h"

namespace tarnwick {
namespace {

using testing::Click;
using testing::CurrentPage;
using testing::ItemText;
using testing::ModalDriver;
using testing::MoveTrackbar;
using testing::PressCancel;
using testing::PressOk;
using testing::PumpPending;
using testing::SelectPage;
using testing::SendCommand;
using testing::SetText;

constexpr int kGeneral = 0;
constexpr int kRefresh = 1;
constexpr int kTray = 2;
constexpr int kMisc = 3;

int PageIndex(HWND sheet) {
  return static_cast<int>(
      SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
}

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

class OptionsSheet : public testing::ConnectedWindow {
 protected:
  // Opens the sheet, runs `act` inside it, and returns when it has closed.
  void Run(ModalDriver::Action act) {
    ModalDriver driver({std::move(act)});
    SendCommand(window.hwnd(), ID_TOOLS_OPTIONS);
    EXPECT_TRUE(driver.AllRan());
  }
  Settings& settings() { return window->CurrentSettings(); }
};

TEST_F(OptionsSheet, PagesInTheirOrderWithTheirCaption) {
  std::vector<std::string> titles;
  std::string caption;
  Run([&](HWND sheet) {
    char text[64] = {};
    GetWindowTextA(sheet, text, sizeof(text));
    caption = text;
    EXPECT_EQ(PageIndex(sheet), kGeneral);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char title[64] = {};
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = title;
      item.cchTextMax = sizeof(title);
      SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      titles.emplace_back(title);
    }
    constexpr int kApplyButton = 0x3021;  // the sheet's own Apply button
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, kApplyButton))) << "no Apply button";
    PressCancel(sheet);
  });
  EXPECT_EQ(caption, "Options");
  EXPECT_EQ(titles, (std::vector<std::string>{"General", "Refresh", "Tray", "Misc", "Servers",
                                              "Highlight"}));
}

TEST_F(OptionsSheet, ATypedIntervalIsKeptWithoutRangeCheck) {
  Run([&](HWND sheet) {
    HWND page = SelectPage(sheet, kRefresh);
    EXPECT_EQ(ItemText(page, IDC_REFRESH_PING), "15");
    SetText(page, IDC_REFRESH_PING, "5000");
    SetText(page, IDC_REFRESH_PLAYERS, "45");
    PressOk(sheet);
  });
  EXPECT_EQ(settings().pingInterval, 5000u);
  EXPECT_EQ(settings().detailsInterval, 90u);
  EXPECT_EQ(settings().playersInterval, 45u);
}

TEST_F(OptionsSheet, ArrowsStayInTheRangeAndWrap) {
  Run([&](HWND sheet) {
    HWND page = SelectPage(sheet, kRefresh);
    HWND edit = GetDlgItem(page, IDC_REFRESH_PING);
    int low = -1;
    int high = -1;
    SendMessageA(GetDlgItem(page, IDC_REFRESH_PING_SPIN), UDM_GETRANGE32,
                 reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 3600);
    struct Case {
      const char* before;
      WPARAM key;
      const char* after;
    } cases[] = {{"3599", VK_UP, "3600"}, {"3600", VK_UP, "0"}, {"0", VK_DOWN, "3600"}};
    for (const Case& c : cases) {
      SetWindowTextA(edit, c.before);
      SendMessageA(GetDlgItem(page, IDC_REFRESH_PING_SPIN), UDM_SETPOS32, 0, std::atoi(c.before));
      SendMessageA(edit, WM_KEYDOWN, c.key, 0);
      SendMessageA(edit, WM_KEYUP, c.key, 0);
      EXPECT_EQ(ItemText(page, IDC_REFRESH_PING), c.after) << c.before;
    }
    PressCancel(sheet);
  });
}

TEST_F(OptionsSheet, UntickingAutorefreshDisablesTheBoxesAndOkStopsTheTimers) {
  ASSERT_TRUE(Connect());
  EXPECT_TRUE(window->Monitor().IsTimerSet(TimerId::Ping));
  Run([&](HWND sheet) {
    HWND page = SelectPage(sheet, kRefresh);
    for (int id : {IDC_REFRESH_PING, IDC_REFRESH_DETAILS, IDC_REFRESH_PLAYERS}) {
      EXPECT_TRUE(Enabled(page, id)) << id;
    }
    Click(page, IDC_REFRESH_ENABLE);
    for (int id : {IDC_REFRESH_PING, IDC_REFRESH_DETAILS, IDC_REFRESH_PLAYERS}) {
      EXPECT_FALSE(Enabled(page, id)) << id;
    }
    EXPECT_TRUE(window->Monitor().IsTimerSet(TimerId::Ping)) << "nothing applies before OK";
    PressOk(sheet);
  });
  EXPECT_FALSE(settings().autoUpdate);
  EXPECT_FALSE(window->Commands().IsChecked(ID_TOOLS_AUTO_UPDATE));
  for (TimerId id : {TimerId::Ping, TimerId::Info, TimerId::Players, TimerId::Flash}) {
    EXPECT_FALSE(window->Monitor().IsTimerSet(id)) << static_cast<int>(id);
  }
}

TEST_F(OptionsSheet, OnlyTheListSettingsRebuildTheAddressBox) {
  window->RecentServerList().AddServer("b.example:27015");
  window->RecentServerList().AddServer("a.example:27015");
  window->FillAddressBox();
  HWND box = window->Bars().AddressBox();
  Run([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_GENERAL_PRIORITY), TBM_GETPOS, 0, 0), 2);
    MoveTrackbar(page, IDC_GENERAL_PRIORITY, 4);
    PressOk(sheet);
  });
  EXPECT_EQ(settings().gamePriority, 4u);
  EXPECT_EQ(window->Bars().AddressBox(), box) << "the same box";

  Run([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    EXPECT_FALSE(Enabled(page, IDC_GENERAL_LIST_HEIGHT));
    Click(page, IDC_GENERAL_SHOW_SERVER_LIST);
    EXPECT_TRUE(Enabled(page, IDC_GENERAL_LIST_HEIGHT));
    SetText(page, IDC_GENERAL_LIST_HEIGHT, "200");
    PressOk(sheet);
  });
  EXPECT_TRUE(settings().serverList);
  EXPECT_EQ(settings().serverListHeight, 200u);
  HWND rebuilt = window->Bars().AddressBox();
  EXPECT_NE(rebuilt, box);
  EXPECT_EQ(GetWindowLongPtrA(rebuilt, GWL_STYLE) & 3, CBS_SIMPLE);
  EXPECT_EQ(SendMessageA(rebuilt, CB_GETCOUNT, 0, 0), 2) << "refilled from the recent servers";
  EXPECT_EQ(SendMessageA(window->Bars().Rebar(), RB_IDTOINDEX, IDC_ADDRESS_BOX, 0), 1);
}

TEST_F(OptionsSheet, BrowseOffersExecutablesAndTakesTheChosenFile) {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  constexpr int kFileTypes = 0x470;  // the open-file dialog's file type list and name box
  constexpr int kFileName = 0x47C;
  std::vector<std::string> types;
  ModalDriver driver({[&](HWND sheet) {
                        HWND page = CurrentPage(sheet);
                        Click(page, IDC_GENERAL_BROWSE);
                        EXPECT_EQ(ItemText(page, IDC_GENERAL_HL_LOCATION), program);
                        PressOk(sheet);
                      },
                      [&](HWND open) {
                        HWND list = GetDlgItem(open, kFileTypes);
                        const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
                        for (int i = 0; i < count; ++i) {
                          char text[128] = {};
                          SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                       reinterpret_cast<LPARAM>(text));
                          types.emplace_back(text);
                        }
                        SetDlgItemTextA(open, kFileName, program);
                        PostMessageA(open, WM_COMMAND, IDOK, 0);
                      }});
  SendCommand(window.hwnd(), ID_TOOLS_OPTIONS);
  SetCurrentDirectoryA(folder);
  EXPECT_TRUE(driver.AllRan());
  EXPECT_EQ(types,
            (std::vector<std::string>{"All executable files (.exe;.bat;.cmd)", "All files (*.*)"}));
  EXPECT_EQ(settings().gameClientPath, program);
}

TEST_F(OptionsSheet, GeneralSwitchesAndLogonWaitForTheWindowToClose) {
  Run([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_GENERAL_MINIMIZE_TO_TRAY), BST_CHECKED);
    Click(page, IDC_GENERAL_MINIMIZE_TO_TRAY);
    Click(page, IDC_GENERAL_START_WITH_LOGON);
    SetText(page, IDC_GENERAL_HL_LOCATION, "C:\\Games\\Half-Life\\hl.exe");
    PressOk(sheet);
  });
  EXPECT_FALSE(settings().minimizeToTray);
  EXPECT_FALSE(window->Commands().IsChecked(ID_TOOLS_MINIMIZE_TO_TRAY));
  EXPECT_TRUE(settings().startWithLogon);
  EXPECT_EQ(settings().gameClientPath, "C:\\Games\\Half-Life\\hl.exe");

  const char* runPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  auto readLogon = [&] {
    std::unique_ptr<Key> run =
        window.Registry().store().Root(RootKey::kCurrentUser).OpenSubkey(runPath, KeyAccess::kRead);
    KeyValue value;
    return run && run->QueryValue("Tarnwick", 1024, value) == KeyStatus::kSuccess;
  };
  EXPECT_FALSE(readLogon()) << "OK writes nothing to the registry";
  window.Close();
  EXPECT_TRUE(readLogon());
}

TEST_F(OptionsSheet, TrayPageEnablingIconSetAndFlash) {
  Run([&](HWND sheet) {
    HWND page = SelectPage(sheet, kTray);
    EXPECT_NE(SendMessageA(GetDlgItem(page, IDC_TRAY_ICON_DEFAULT), STM_GETICON, 0, 0), 0);
    EXPECT_NE(SendMessageA(GetDlgItem(page, IDC_TRAY_ICON_ALTERNATIVE), STM_GETICON, 0, 0), 0);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TRAY_ICONSET_DEFAULT), BST_CHECKED);
    Click(page, IDC_TRAY_ENABLE);
    EXPECT_FALSE(Enabled(page, IDC_TRAY_PING));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_DETAILS));
    Click(page, IDC_TRAY_ICONSET_ALTERNATIVE);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TRAY_ICONSET_DEFAULT), BST_UNCHECKED);
    Click(page, IDC_TRAY_FLASH);
    SetText(page, IDC_TRAY_DETAILS, "600");
    PressOk(sheet);
  });
  EXPECT_FALSE(settings().autoUpdateTray);
  EXPECT_EQ(settings().iconSet, 1u);
  EXPECT_FALSE(settings().flashInTray);
  EXPECT_EQ(settings().detailsIntervalTray, 600u);
  EXPECT_EQ(settings().pingIntervalTray, 60u);
}

TEST_F(OptionsSheet, MiscPageSwitches) {
  Run([&](HWND sheet) {
    HWND page = SelectPage(sheet, kMisc);
    Click(page, IDC_MISC_AUTO_DISCONNECT);
    Click(page, IDC_MISC_CONFIRM_JOIN);
    Click(page, IDC_MISC_HIGHLIGHT);
    PressOk(sheet);
  });
  EXPECT_TRUE(settings().autoDisconnect);
  EXPECT_FALSE(settings().confirmJoin);
  EXPECT_FALSE(settings().playerListHighlight);
}

TEST_F(OptionsSheet, AnEmptyNumberBoxKeepsTheUserOnItsPage) {
  Run([&](HWND sheet) {
    HWND page = SelectPage(sheet, kRefresh);
    SetText(page, IDC_REFRESH_DETAILS, "");
    SelectPage(sheet, kTray);
    EXPECT_EQ(PageIndex(sheet), kRefresh) << "the tab cannot be left";
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_REFRESH_DETAILS));
    PressOk(sheet);
    PumpPending();
    EXPECT_EQ(PageIndex(sheet), kRefresh);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_REFRESH_DETAILS));
    EXPECT_EQ(settings().detailsInterval, 90u) << "nothing applied";
    SetText(page, IDC_REFRESH_DETAILS, "120");
    PressOk(sheet);
  });
  EXPECT_EQ(settings().detailsInterval, 120u);
}

TEST_F(OptionsSheet, CancelChangesNothing) {
  window->HighlightRules() = DefaultHighlightRules();
  const Settings before = settings();
  Run([&](HWND sheet) {
    HWND general = CurrentPage(sheet);
    Click(general, IDC_GENERAL_SHOW_SERVER_LIST);
    MoveTrackbar(general, IDC_GENERAL_PRIORITY, 5);
    HWND refresh = SelectPage(sheet, kRefresh);
    SetText(refresh, IDC_REFRESH_PING, "1");
    Click(refresh, IDC_REFRESH_ENABLE);
    HWND misc = SelectPage(sheet, kMisc);
    Click(misc, IDC_MISC_HIGHLIGHT);
    SelectPage(sheet, kGeneral);
    PressCancel(sheet);
  });
  EXPECT_EQ(settings(), before);
  EXPECT_EQ(window->HighlightRules(), DefaultHighlightRules());
}

}  // namespace
}  // namespace tarnwick
