// The Server Info sheet on a real window watching the demo server: the requests it sends, its
// start page, what each page shows, the live pushes while it is open, and Reset.
#include <gtest/gtest.h>

#include <chrono>

#include "controls/list_view_win.h"
#include "common/shell_open_win.h"
#include "tests/dialogs/connected_window_win.h"

namespace tarnwick {
namespace {

using testing::CurrentPage;
using testing::ModalDriver;
using testing::ItemText;
using testing::PressCancel;
using testing::PumpUntil;
using testing::SelectPage;
using testing::SendCommand;

enum Page { kGeneral, kRules, kMod, kPing };
using Row = std::pair<std::string, std::string>;

std::vector<Row> ListRows(HWND list) {
  std::vector<Row> rows;
  for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
    rows.emplace_back(ListItemText(list, row, 0), ListItemText(list, row, 1));
  }
  return rows;
}

using ServerInfo = testing::ConnectedWindow;

TEST_F(ServerInfo, OpensOnceAPingCameBackAsksForDetailsThenRulesAndStartsByCommand) {
  const std::pair<int, int> cases[] = {{ID_VIEW_SERVER_INFO, kGeneral},
                                       {ID_VIEW_PING_STATISTICS, kPing}};
  for (const auto& c : cases) EXPECT_FALSE(window->Commands().IsEnabled(c.first)) << c.first;
  ASSERT_TRUE(Connect());  // waits for the first ping reply to enable the commands
  for (const auto& c : cases) {
    const int command = c.first;
    const int startPage = c.second;
    const size_t before = server->ReceivedRequests().size();
    std::vector<std::string> sent;
    Open(command, {[&](HWND sheet) {
           EXPECT_EQ(testing::PageIndex(sheet), startPage) << command;
           EXPECT_EQ(testing::WindowText(sheet), "Server Info - " + ServerText() + " ");
           server->WaitForRequests(before + 2, std::chrono::milliseconds(3000));
           const auto requests = server->ReceivedRequests();
           for (size_t i = before; i < requests.size(); ++i) {
             const std::string text = requests[i].Text();
             if (text == "details" || text == "rules") sent.push_back(text);
           }
           PressCancel(sheet);
         }});
    ASSERT_GE(sent.size(), 2u) << command;
    EXPECT_EQ(sent[0], "details");
    EXPECT_EQ(sent[1], "rules");
  }
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  for (const auto& c : cases) EXPECT_FALSE(window->Commands().IsEnabled(c.first)) << c.first;
}

TEST_F(ServerInfo, GeneralPageShowsTheServerAndItsOsLink) {
  demo::DemoConfig config;
  config.password = true;
  ASSERT_TRUE(Connect(config));
  std::vector<std::string> opened;
  int beeps = 0;
  SetShellActions({[&](const std::string& target) {
                     opened.push_back(target);
                     return INT_PTR{2};
                   },
                   [&] { ++beeps; }});
  Open(ID_VIEW_SERVER_INFO, {[&](HWND sheet) {
         HWND page = CurrentPage(sheet);
         EXPECT_EQ(ItemText(page, IDC_INFO_ADDRESS), ServerText());
         EXPECT_EQ(ItemText(page, IDC_INFO_NAME), "Tarnwick Demo Server");
         EXPECT_EQ(ItemText(page, IDC_INFO_MAP), "crossfire");
         HWND players = GetDlgItem(page, IDC_INFO_PLAYERS);
         EXPECT_EQ(SendMessageA(players, PBM_GETRANGE, FALSE, 0), 16);
         EXPECT_EQ(SendMessageA(players, PBM_GETPOS, 0, 0), 3);
         EXPECT_EQ(ItemText(page, IDC_INFO_OS), "Linux");
         EXPECT_EQ(ItemText(page, IDC_INFO_FLAGS), "locked, dedicated");
         testing::ClickLink(GetDlgItem(page, IDC_INFO_OS));

         // A reply while the page is open is shown at once.
         server->SetMap("stalkyard");
         server->SetPasswordFlag(false);
         window->Monitor().SendQuery("details");
         EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_INFO_MAP) == "stalkyard"; }));
         EXPECT_EQ(ItemText(page, IDC_INFO_FLAGS), "dedicated");
         PressCancel(sheet);
       }});
  SetShellActions({});
  EXPECT_EQ(opened, std::vector<std::string>{"https://www.kernel.org/"});
  EXPECT_EQ(beeps, 1) << "a link that cannot be opened beeps";
}

TEST_F(ServerInfo, RulesPageWaitsForTheRulesThenShowsThemSortedByName) {
  // Without a connection nothing is asked and no rules are stored: the list keeps its one row.
  ModalDriver driver({[&](HWND sheet) {
    EXPECT_EQ(ListRows(GetDlgItem(SelectPage(sheet, kRules), IDC_RULES_LIST)),
              (std::vector<Row>{{"  (refresh in progress)", ""}}));
    PressCancel(sheet);
  }});
  window->InfoSheet().Open(window->hwnd(), ID_VIEW_SERVER_INFO);
  EXPECT_TRUE(driver.AllRan());

  ASSERT_TRUE(Connect());
  Open(ID_VIEW_SERVER_INFO, {[&](HWND sheet) {
         HWND list = GetDlgItem(SelectPage(sheet, kRules), IDC_RULES_LIST);
         ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 8; }));
         const auto rows = ListRows(list);
         EXPECT_EQ(rows.front(), Row("mp_flashlight", "1"));
         EXPECT_EQ(rows[4], Row("mp_timelimit", "30"));
         EXPECT_EQ(rows.back(), Row("sv_password", "0"));
         // New rules arriving while the page is on screen replace the rows.
         server->SetRules({{"sv_gravity", "600"}, {"mp_timelimit", "20"}});
         window->Monitor().SendQuery("rules");
         ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
         EXPECT_EQ(ListRows(list),
                   (std::vector<Row>{{"mp_timelimit", "20"}, {"sv_gravity", "600"}}));
         PressCancel(sheet);
       }});
}

TEST_F(ServerInfo, ModPageByProtocolWithLinksOnlyForWebAddresses) {
  const char* kCrafted = "www.example.org\nC:\\windows\\system32\\notepad.exe";
  struct Case {
    int protocol;
    const char* version;
    const char* infoLink;  // as the server sends it
    const char* shown;     // as the URL field shows it
    bool opens;            // whether pressing the URL field opens what it shows
  } cases[] = {
      {41, "1", kCrafted, "www.example.org C:\\windows\\system32\\notepad.exe", false},
      {40, "1.0", "www.example.com/mod/", "http://www.example.com/mod/", true},
  };
  for (const Case& c : cases) {
    server.reset();
    demo::DemoConfig config;
    config.is_mod = true;
    config.protocol = c.protocol;
    config.folder = "gearbox";
    config.description = "Opposing Force";
    config.mod.info_link = c.infoLink;
    ASSERT_TRUE(Connect(config));
    std::vector<std::string> opened;
    int beeps = 0;
    SetShellActions({[&](const std::string& target) {
                       opened.push_back(target);
                       return INT_PTR{42};
                     },
                     [&] { ++beeps; }});
    Open(ID_VIEW_SERVER_INFO, {[&](HWND sheet) {
           HWND page = SelectPage(sheet, kMod);
           PumpUntil([&] { return ItemText(page, IDC_MOD_NAME) == "Opposing Force"; });
           EXPECT_EQ(ItemText(page, IDC_MOD_NAME), "Opposing Force");
           EXPECT_EQ(ItemText(page, IDC_MOD_SIZE), "184320000");
           EXPECT_EQ(ItemText(page, IDC_MOD_VERSION), c.version) << c.protocol;
           EXPECT_EQ(ItemText(page, IDC_MOD_URL), c.shown);
           EXPECT_EQ(ItemText(page, IDC_MOD_FOLDER), "gearbox");
           // Protocol 40 sends no download link: the link stays empty and disabled.
           const bool download = c.protocol > 40;
           EXPECT_EQ(ItemText(page, IDC_MOD_DOWNLOAD),
                     download ? "http://www.example.com/mod/download.zip" : "");
           EXPECT_EQ(testing::Enabled(page, IDC_MOD_DOWNLOAD), download);
           // Only web addresses take the mouse; the game folder is plain text.
           const std::pair<int, bool> links[] = {
               {IDC_MOD_URL, c.opens}, {IDC_MOD_DOWNLOAD, download}, {IDC_MOD_FOLDER, false}};
           for (const auto& [link, clickable] : links) {
             EXPECT_EQ(SendMessageA(GetDlgItem(page, link), WM_NCHITTEST, 0, 0) == HTCLIENT,
                       clickable)
                 << link;
             testing::ClickLink(GetDlgItem(page, link));
           }
           PressCancel(sheet);
         }});
    SetShellActions({});
    std::vector<std::string> expected;
    if (c.opens) expected.push_back(c.shown);
    if (c.protocol > 40) expected.push_back("http://www.example.com/mod/download.zip");
    EXPECT_EQ(opened, expected) << c.protocol;
    EXPECT_EQ(beeps, 0);
    SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  }
}

TEST_F(ServerInfo, PingPageCountsLiveAndResets) {
  ASSERT_TRUE(Connect());
  Open(ID_VIEW_PING_STATISTICS, {[&](HWND sheet) {
         HWND page = CurrentPage(sheet);
         EXPECT_EQ(ItemText(page, IDC_PING_SENT), "1");
         EXPECT_EQ(ItemText(page, IDC_PING_RECEIVED), "1");
         EXPECT_EQ(ItemText(page, IDC_PING_LOST), "0");
         EXPECT_NE(ItemText(page, IDC_PING_MINIMAL), "-1");

         testing::Click(page, IDC_PING_RESET);
         const std::pair<int, const char*> reset[] = {
             {IDC_PING_MINIMAL, "-1"}, {IDC_PING_AVERAGE, "0"},  {IDC_PING_MAXIMAL, "0"},
             {IDC_PING_SENT, "0"},     {IDC_PING_RECEIVED, "0"}, {IDC_PING_LOST, "0"}};
         for (const auto& [id, text] : reset) EXPECT_EQ(ItemText(page, id), text) << id;

         // A ping sent and answered while the page is open shows at once.
         SendMessageA(window.hwnd(), WM_TIMER, static_cast<WPARAM>(TimerId::Ping), 0);
         EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_PING_RECEIVED) == "1"; }));
         EXPECT_EQ(ItemText(page, IDC_PING_SENT), "1");
         EXPECT_NE(ItemText(page, IDC_PING_MINIMAL), "-1");
         PressCancel(sheet);
       }});
}

TEST_F(ServerInfo, OnlyPagesWithAWindowTakePushes) {
  ASSERT_TRUE(Connect());
  ServerInfoSheet& sheet = window->InfoSheet();
  sheet.ServerInfoChanged();
  sheet.PingFiguresChanged();
  sheet.RulesChanged();
  bool modExisted = true;
  Open(ID_VIEW_SERVER_INFO, {[&](HWND shown) {
         modExisted = sheet.ModPage().Exists();
         EXPECT_TRUE(sheet.GeneralPage().Exists());
         PressCancel(shown);
       }});
  EXPECT_FALSE(modExisted) << "a page never shown has no window";
  EXPECT_FALSE(sheet.GeneralPage().Exists()) << "closing the sheet ends the pages' windows";
}

}  // namespace
}  // namespace tarnwick
