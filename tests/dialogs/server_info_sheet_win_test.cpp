// The Server Info sheet on a real window watching the demo server: the requests it sends, its
// start page, what each page shows, the live pushes while it is open, and Reset.
#include <gtest/gtest.h>

#include "common/shell_open_win.h"

#include "shell/link_static_win.h"
#include "tests/dialogs/connected_window_win.h"
#include "tests/dialogs/modal_driver_win.h"

namespace tarnwick {
namespace {

using testing::CurrentPage;
using testing::ItemText;
using testing::ModalDriver;
using testing::PressCancel;
using testing::PumpUntil;
using testing::SelectPage;
using testing::SendCommand;

constexpr int kRulesPage = 1;
constexpr int kModPage = 2;

int PageIndex(HWND sheet) {
  return static_cast<int>(
      SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::vector<std::pair<std::string, std::string>> ListRows(HWND list) {
  std::vector<std::pair<std::string, std::string>> rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    char cells[2][256] = {};
    for (int column = 0; column < 2; ++column) {
      LVITEMA item = {};
      item.iSubItem = column;
      item.pszText = cells[column];
      item.cchTextMax = sizeof(cells[column]);
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    }
    rows.emplace_back(cells[0], cells[1]);
  }
  return rows;
}

class ServerInfo : public testing::ConnectedWindow {};

TEST_F(ServerInfo, CommandsFollowTheFirstPingAndTheDisconnect) {
  EXPECT_FALSE(window->Commands().IsEnabled(ID_VIEW_SERVER_INFO));
  EXPECT_FALSE(window->Commands().IsEnabled(ID_VIEW_PING_STATISTICS));
  ASSERT_TRUE(Connect());
  EXPECT_TRUE(window->Commands().IsEnabled(ID_VIEW_PING_STATISTICS));
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  EXPECT_FALSE(window->Commands().IsEnabled(ID_VIEW_SERVER_INFO));
  EXPECT_FALSE(window->Commands().IsEnabled(ID_VIEW_PING_STATISTICS));
}

TEST_F(ServerInfo, AsksForDetailsThenRulesBeforeItShowsAndStartsByCommand) {
  ASSERT_TRUE(Connect());
  struct Case {
    int command;
    int startPage;
  } cases[] = {{ID_VIEW_SERVER_INFO, 0}, {ID_VIEW_PING_STATISTICS, 3}};
  for (const Case& c : cases) {
    const size_t before = server->ReceivedRequests().size();
    int shownOn = -1;
    std::string caption;
    ModalDriver driver({[&](HWND sheet) {
      shownOn = PageIndex(sheet);
      caption = WindowText(sheet);
      server->WaitForRequests(before + 2, std::chrono::milliseconds(3000));
      PressCancel(sheet);
    }});
    SendCommand(window.hwnd(), c.command);
    EXPECT_EQ(driver.Ran(), 1);
    EXPECT_EQ(shownOn, c.startPage) << c.command;
    EXPECT_EQ(caption, "Server Info - " + ServerText() + " ");
    const auto requests = server->ReceivedRequests();
    ASSERT_GE(requests.size(), before + 2);
    std::vector<std::string> sent;
    for (size_t i = before; i < requests.size(); ++i) {
      if (requests[i].Text() == "details" || requests[i].Text() == "rules") {
        sent.push_back(requests[i].Text());
      }
    }
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "details");
    EXPECT_EQ(sent[1], "rules");
  }
}

TEST_F(ServerInfo, GeneralPageShowsTheServer) {
  demo::DemoConfig config;
  config.password = true;
  ASSERT_TRUE(Connect(config));
  ModalDriver driver({[&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(ItemText(page, IDC_INFO_ADDRESS), ServerText());
    EXPECT_EQ(ItemText(page, IDC_INFO_NAME), "Tarnwick Demo Server");
    EXPECT_EQ(ItemText(page, IDC_INFO_MAP), "crossfire");
    HWND players = GetDlgItem(page, IDC_INFO_PLAYERS);
    EXPECT_EQ(SendMessageA(players, PBM_GETRANGE, FALSE, 0), 16);
    EXPECT_EQ(SendMessageA(players, PBM_GETPOS, 0, 0), 3);
    HWND os = GetDlgItem(page, IDC_INFO_OS);
    EXPECT_EQ(WindowText(os), "Linux");
    EXPECT_TRUE(IsWindowEnabled(os));
    EXPECT_EQ(SendMessageA(os, WM_NCHITTEST, 0, 0), HTCLIENT) << "the OS is a link";
    EXPECT_EQ(ItemText(page, IDC_INFO_FLAGS), "locked, dedicated");

    // A reply while the page is open is shown at once.
    server->SetMap("stalkyard");
    server->SetPasswordFlag(false);
    window->Monitor().SendQuery("details");
    EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_INFO_MAP) == "stalkyard"; }));
    EXPECT_EQ(ItemText(page, IDC_INFO_FLAGS), "dedicated");
    PressCancel(sheet);
  }});
  SendCommand(window.hwnd(), ID_VIEW_SERVER_INFO);
  EXPECT_TRUE(driver.AllRan());
}

TEST_F(ServerInfo, RulesPageShowsTheServersRulesSortedByName) {
  ASSERT_TRUE(Connect());
  ModalDriver driver({[&](HWND sheet) {
    HWND list = GetDlgItem(SelectPage(sheet, kRulesPage), IDC_RULES_LIST);
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 8; }));
    const auto rows = ListRows(list);
    EXPECT_EQ(rows.front(), std::make_pair(std::string("mp_flashlight"), std::string("1")));
    EXPECT_EQ(rows[4], std::make_pair(std::string("mp_timelimit"), std::string("30")));
    EXPECT_EQ(rows.back(), std::make_pair(std::string("sv_password"), std::string("0")));

    // New rules arriving while the page is on screen replace the rows.
    server->SetRules({{"sv_gravity", "600"}, {"mp_timelimit", "20"}});
    window->Monitor().SendQuery("rules");
    ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    EXPECT_EQ(ListRows(list)[0], std::make_pair(std::string("mp_timelimit"), std::string("20")));
    PressCancel(sheet);
  }});
  SendCommand(window.hwnd(), ID_VIEW_SERVER_INFO);
  EXPECT_TRUE(driver.AllRan());
}

TEST_F(ServerInfo, RulesPageWaitsForTheFirstRulesReply) {
  // Without a connection nothing is asked and no rules are stored: the list keeps its one row.
  ModalDriver driver({[&](HWND sheet) {
    HWND list = GetDlgItem(SelectPage(sheet, kRulesPage), IDC_RULES_LIST);
    const auto rows = ListRows(list);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].first, "  (refresh in progress)");
    PressCancel(sheet);
  }});
  window->InfoSheet().Open(ID_VIEW_SERVER_INFO);
  EXPECT_TRUE(driver.AllRan());
}

TEST_F(ServerInfo, ModPageByProtocol) {
  struct Case {
    int protocol;
    const char* version;
    const char* download;  // the download link's caption
  } cases[] = {{47, "1", "http://www.example.com/mod/download.zip"},
               {41, "1", "http://www.example.com/mod/download.zip"},
               {40, "1.0", ""}};
  for (const Case& c : cases) {
    server.reset();
    demo::DemoConfig config;
    config.is_mod = true;
    config.protocol = c.protocol;
    config.folder = "gearbox";
    config.description = "Opposing Force";
    ASSERT_TRUE(Connect(config));
    ModalDriver driver({[&](HWND sheet) {
      HWND page = SelectPage(sheet, kModPage);
      PumpUntil([&] { return ItemText(page, IDC_MOD_NAME) == "Opposing Force"; });
      EXPECT_EQ(ItemText(page, IDC_MOD_NAME), "Opposing Force");
      EXPECT_EQ(ItemText(page, IDC_MOD_SIZE), "184320000");
      EXPECT_EQ(ItemText(page, IDC_MOD_VERSION), c.version) << c.protocol;
      EXPECT_EQ(ItemText(page, IDC_MOD_URL), "http://www.example.com/mod/");
      EXPECT_EQ(ItemText(page, IDC_MOD_FOLDER), "gearbox");
      EXPECT_EQ(ItemText(page, IDC_MOD_DOWNLOAD), c.download) << c.protocol;
      EXPECT_EQ(IsWindowEnabled(GetDlgItem(page, IDC_MOD_DOWNLOAD)) != FALSE, *c.download != '\0');
      for (int link : {IDC_MOD_URL, IDC_MOD_DOWNLOAD, IDC_MOD_FOLDER}) {
        EXPECT_EQ(SendMessageA(GetDlgItem(page, link), WM_NCHITTEST, 0, 0), HTCLIENT) << link;
      }
      PressCancel(sheet);
    }});
    SendCommand(window.hwnd(), ID_VIEW_SERVER_INFO);
    EXPECT_TRUE(driver.AllRan());
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  }
}

TEST_F(ServerInfo, PingPageCountsLiveAndResets) {
  ASSERT_TRUE(Connect());
  ModalDriver driver({[&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(ItemText(page, IDC_PING_SENT), "1");
    EXPECT_EQ(ItemText(page, IDC_PING_RECEIVED), "1");
    EXPECT_EQ(ItemText(page, IDC_PING_LOST), "0");
    EXPECT_NE(ItemText(page, IDC_PING_MINIMAL), "-1");

    testing::Click(page, IDC_PING_RESET);
    const std::pair<int, const char*> reset[] = {{IDC_PING_MINIMAL, "-1"}, {IDC_PING_AVERAGE, "0"},
                                                 {IDC_PING_MAXIMAL, "0"},  {IDC_PING_SENT, "0"},
                                                 {IDC_PING_RECEIVED, "0"}, {IDC_PING_LOST, "0"}};
    for (const auto& [id, text] : reset) EXPECT_EQ(ItemText(page, id), text) << id;

    // A ping sent and answered while the page is open shows at once.
    SendMessageA(window.hwnd(), WM_TIMER, static_cast<WPARAM>(TimerId::Ping), 0);
    EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_PING_RECEIVED) == "1"; }));
    EXPECT_EQ(ItemText(page, IDC_PING_SENT), "1");
    EXPECT_NE(ItemText(page, IDC_PING_MINIMAL), "-1");
    PressCancel(sheet);
  }});
  SendCommand(window.hwnd(), ID_VIEW_PING_STATISTICS);
  EXPECT_TRUE(driver.AllRan());
}

TEST_F(ServerInfo, PagesWithoutAWindowTakeNoPushes) {
  ASSERT_TRUE(Connect());
  EXPECT_FALSE(window->InfoSheet().GeneralPage().Exists());
  EXPECT_FALSE(window->InfoSheet().RulesPage().Exists());
  window->InfoSheet().ServerInfoChanged();
  window->InfoSheet().PingFiguresChanged();
  window->InfoSheet().RulesChanged();
  bool modExisted = true;
  ModalDriver driver({[&](HWND sheet) {
    modExisted = window->InfoSheet().ModPage().Exists();
    EXPECT_TRUE(window->InfoSheet().GeneralPage().Exists());
    PressCancel(sheet);
  }});
  SendCommand(window.hwnd(), ID_VIEW_SERVER_INFO);
  EXPECT_FALSE(modExisted) << "a page never shown has no window";
  EXPECT_FALSE(window->InfoSheet().GeneralPage().Exists())
      << "closing the sheet ends the pages' windows";
}

TEST_F(ServerInfo, AnOsLinkThatCannotBeOpenedBeeps) {
  ASSERT_TRUE(Connect());
  int beeps = 0;
  std::vector<std::string> opened;
  SetShellActions({[&](const std::string& target) {
                          opened.push_back(target);
                          return INT_PTR{2};
                        },
                        [&] { ++beeps; }});
  ModalDriver driver({[&](HWND sheet) {
    HWND os = GetDlgItem(CurrentPage(sheet), IDC_INFO_OS);
    SendMessageA(os, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(os, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    PressCancel(sheet);
  }});
  SendCommand(window.hwnd(), ID_VIEW_SERVER_INFO);
  SetShellActions({});
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://www.kernel.org/");
  EXPECT_EQ(beeps, 1);
}

}  // namespace
}  // namespace tarnwick
