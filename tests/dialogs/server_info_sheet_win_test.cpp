// The Server Info sheet on a real window watching the demo server: the requests it sends, its
// start page, what each page shows, the live pushes while it is open, and Reset.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>

#include "controls/list_view_win.h"
#include "tests/support/connected_window_win.h"

namespace tarnwick {
namespace {

using namespace testing;

enum Page { kGeneral, kRules, kMod, kPing, kHistory };
using Row = std::pair<std::string, std::string>;

std::vector<Row> ListRows(HWND list) {
  std::vector<Row> rows;
  for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
    rows.emplace_back(ListItemText(list, row, 0), ListItemText(list, row, 1));
  }
  return rows;
}

using ServerInfo = testing::ConnectedWindow;

// The sheet opens once a ping came back, on the page of its command, asks for the details then
// the rules, and each page shows what the server sent and takes a reply that comes in while it is
// on screen.
TEST_F(ServerInfo, OpensOnceAPingCameBackAndItsPagesShowTheServerAndItsLiveReplies) {
  // Without a connection nothing is asked and no rules are stored: the list keeps its one row.
  ModalDriver driver({[&](HWND sheet) {
    EXPECT_EQ(ListRows(GetDlgItem(SelectPage(sheet, kRules), IDC_RULES_LIST)),
              (std::vector<Row>{{"  (refresh in progress)", ""}}));
    PressCancel(sheet);
  }});
  window->InfoSheet().Open(window->hwnd(), ID_VIEW_SERVER_INFO);
  EXPECT_TRUE(driver.AllRan());
  const int commands[] = {ID_VIEW_SERVER_INFO, ID_VIEW_PING_STATISTICS};
  for (int command : commands) EXPECT_FALSE(window->Commands().IsEnabled(command)) << command;

  demo::DemoConfig config;
  config.password = true;
  ASSERT_TRUE(Connect(config));  // waits for the first ping reply to enable the commands
  ServerInfoSheet& info = window->InfoSheet();
  info.ServerInfoChanged(window->Monitor().State());  // pushes before the sheet has windows go nowhere
  info.PingAnswered(5, window->Monitor().State());
  info.RulesChanged(std::vector<RuleRow>{{"sv_gravity", "800"}});
  testing::ShellRecorder shell;
  shell.answer = 2;
  const size_t before = server->ReceivedRequests().size();
  Open(ID_VIEW_PING_STATISTICS, {[&](HWND sheet) {
         EXPECT_EQ(testing::PageIndex(sheet), kPing);
         EXPECT_EQ(testing::WindowText(sheet), "Server Info - " + ServerText() + " ");
         EXPECT_FALSE(info.ModPage().Exists()) << "a page never shown has no window";
         server->WaitForRequests(before + 2, std::chrono::milliseconds(3000));
         const auto requests = server->ReceivedRequests();
         std::vector<std::string> sent;
         for (size_t i = before; i < requests.size(); ++i) {
           const std::string text = requests[i].Text();
           if (text == "details" || text == "rules") sent.push_back(text);
         }
         EXPECT_EQ(sent, (std::vector<std::string>{"details", "rules"}));

         HWND page = CurrentPage(sheet);  // (the texts of the figures are the portable test's)
         EXPECT_EQ(ItemText(page, IDC_PING_SENT), "1");
         EXPECT_EQ(ItemText(page, IDC_PING_RECEIVED), "1");
         EXPECT_NE(ItemText(page, IDC_PING_MINIMAL), "-1");
         testing::Click(page, IDC_PING_RESET);
         EXPECT_EQ(ItemText(page, IDC_PING_MINIMAL), "-1");
         EXPECT_EQ(ItemText(page, IDC_PING_RECEIVED), "0");
         SendMessageA(window.hwnd(), WM_TIMER, static_cast<WPARAM>(TimerId::Ping), 0);
         EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_PING_RECEIVED) == "1"; }));
         EXPECT_EQ(ItemText(page, IDC_PING_SENT), "1");

         page = SelectPage(sheet, kGeneral);
         EXPECT_EQ(ItemText(page, IDC_INFO_ADDRESS), ServerText());
         EXPECT_EQ(ItemText(page, IDC_INFO_NAME), "Tarnwick Demo Server");
         HWND players = GetDlgItem(page, IDC_INFO_PLAYERS);
         EXPECT_EQ(SendMessageA(players, PBM_GETRANGE, FALSE, 0), 16);
         EXPECT_EQ(SendMessageA(players, PBM_GETPOS, 0, 0), 3);
         EXPECT_EQ(ItemText(page, IDC_INFO_OS), "Linux");
         EXPECT_EQ(ItemText(page, IDC_INFO_FLAGS), "locked, dedicated");
         testing::ClickLink(GetDlgItem(page, IDC_INFO_OS));
         server->SetMap("stalkyard");
         server->SetPasswordFlag(false);
         window->Monitor().SendQuery("details");
         EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_INFO_MAP) == "stalkyard"; }));
         EXPECT_EQ(ItemText(page, IDC_INFO_FLAGS), "dedicated");

         HWND list = GetDlgItem(SelectPage(sheet, kRules), IDC_RULES_LIST);
         ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 8; }));
         const auto rows = ListRows(list);
         EXPECT_EQ(rows.front(), Row("mp_flashlight", "1")) << "sorted by name";
         EXPECT_EQ(rows.back(), Row("sv_password", "0"));
         server->SetRules({{"sv_gravity", "600"}, {"mp_timelimit", "20"}});
         window->Monitor().SendQuery("rules");
         ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
         EXPECT_EQ(ListRows(list),
                   (std::vector<Row>{{"mp_timelimit", "20"}, {"sv_gravity", "600"}}));
         PressCancel(sheet);
       }});
  EXPECT_FALSE(info.GeneralPage().Exists()) << "closing the sheet ends the pages' windows";
  EXPECT_EQ(shell.opened, std::vector<std::string>{"https://www.kernel.org/"});
  EXPECT_EQ(shell.beeps, 1) << "a link that cannot be opened beeps";
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  for (int command : commands) EXPECT_FALSE(window->Commands().IsEnabled(command)) << command;
}

// A crafted info link is shown but opens nothing; the download link of a server since protocol 41
// opens. (Which texts a protocol gives is the portable test's part, and how a server's text
// becomes a link the link control's.)
TEST_F(ServerInfo, ModPageShowsTheModAndOpensOnlyWebAddresses) {
  demo::DemoConfig config;
  config.is_mod = true;
  config.protocol = 41;
  config.folder = "gearbox";
  config.description = "Opposing Force";
  config.mod.info_link = "www.example.org\nC:\\windows\\system32\\notepad.exe";
  ASSERT_TRUE(Connect(config));
  testing::ShellRecorder shell;
  Open(ID_VIEW_SERVER_INFO, {[&](HWND sheet) {
         EXPECT_EQ(testing::PageIndex(sheet), kGeneral);
         HWND page = SelectPage(sheet, kMod);
         EXPECT_TRUE(PumpUntil([&] { return ItemText(page, IDC_MOD_NAME) == "Opposing Force"; }));
         EXPECT_EQ(ItemText(page, IDC_MOD_SIZE), "184320000");
         EXPECT_EQ(ItemText(page, IDC_MOD_VERSION), "1");
         EXPECT_EQ(ItemText(page, IDC_MOD_URL),
                   "www.example.org C:\\windows\\system32\\notepad.exe");
         EXPECT_EQ(ItemText(page, IDC_MOD_FOLDER), "gearbox");
         EXPECT_TRUE(testing::Enabled(page, IDC_MOD_DOWNLOAD));
         // Only web addresses take the mouse; the game folder is plain text.
         const std::pair<int, bool> links[] = {
             {IDC_MOD_URL, false}, {IDC_MOD_DOWNLOAD, true}, {IDC_MOD_FOLDER, false}};
         for (const auto& [link, clickable] : links) {
           EXPECT_EQ(SendMessageA(GetDlgItem(page, link), WM_NCHITTEST, 0, 0) == HTCLIENT,
                     clickable)
               << link;
           testing::ClickLink(GetDlgItem(page, link));
         }
         PressCancel(sheet);
       }});
  EXPECT_EQ(shell.opened, std::vector<std::string>{"http://www.example.com/mod/download.zip"});
  EXPECT_EQ(shell.beeps, 0);
}

// The History page draws a point per info reply and is redrawn for each new one; Export writes
// the CSV through the real Save dialog and says when the file cannot be written. A reconnection
// to the same server goes on with the history, another server starts a new one.
TEST_F(ServerInfo, HistoryDrawsEveryInfoReplyExportsItAndStaysWithItsServer) {
  ASSERT_TRUE(Connect());
  ServerInfoSheet& info = window->InfoSheet();
  const ServerHistory& history = info.HistoryPage().History();
  // Info replies one after the other until they span two seconds, so that the lines cross the plot.
  size_t asked = 0;
  ASSERT_TRUE(PumpUntil([&] {
    const auto& points = history.Points();
    if (points.size() > asked) window->Monitor().SendQuery("info");
    asked = points.size();
    return asked >= 2 && points.back().time >= points.front().time + 2 && points.back().pingMs;
  }));
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "tarnwick history test.csv";
  DeleteFileA(path.c_str());
  const auto save = [&](HWND dialog) {
    testing::SetText(dialog, 0x47C, path);  // the file name box
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
  HANDLE locked = INVALID_HANDLE_VALUE;
  Open(ID_VIEW_SERVER_INFO,
       {[&](HWND sheet) {
          HWND graph = GetDlgItem(SelectPage(sheet, kHistory), IDC_HISTORY_GRAPH);
          RECT client = {};
          GetClientRect(graph, &client);
          const auto pixels = testing::DrawnPixels(client.right, client.bottom, [&](HDC dc) {
            SendMessageA(graph, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
          });
          // The lines cross the plot; the legend's samples and the marks are far fewer pixels.
          for (COLORREF line : {kHistoryPlayersColour, kHistoryPingColour}) {
            const uint32_t pixel = GetRValue(line) << 16 | GetGValue(line) << 8 | GetBValue(line);
            EXPECT_GT(std::count(pixels.begin(), pixels.end(), pixel), 300) << std::hex << pixel;
          }
          ValidateRect(graph, nullptr);
          info.ServerInfoChanged(window->Monitor().State());
          EXPECT_TRUE(GetUpdateRect(graph, nullptr, FALSE)) << "a new point is drawn at once";
          HWND page = CurrentPage(sheet);
          testing::Click(page, IDC_HISTORY_EXPORT);
          locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
          testing::Click(page, IDC_HISTORY_EXPORT);
          PressCancel(sheet);
        },
        save, save, [](HWND replace) { PostMessageA(replace, WM_COMMAND, IDYES, 0); }});
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  CloseHandle(locked);
  ASSERT_EQ(boxes.Boxes().size(), 1u) << "the locked file";
  EXPECT_EQ(boxes.Boxes()[0].text, "The history could not be written to " + path + ".");
  std::ifstream file(path, std::ios::binary);
  std::stringstream csv;
  csv << file.rdbuf();
  EXPECT_TRUE(std::regex_search(
      csv.str(), std::regex("^time,players,max players,ping ms\r\n"
                            "(20[0-9-]{8}T[0-9:]{8}[+-][0-9]{2}:[0-9]{2},3,16,[0-9]*\r\n){3,}$")))
      << csv.str();
  DeleteFileA(path.c_str());

  const size_t kept = history.Points().size();
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  window->Monitor().Connect(ServerText(), false);
  EXPECT_TRUE(PumpUntil([&] { return history.Points().size() > kept; })) << "the same server";
  demo::DemoServer other{demo::DemoConfig()};
  ASSERT_TRUE(other.Start());
  SendCommand(window.hwnd(), ID_FILE_DISCONNECT);
  window->Monitor().Connect("127.0.0.1:" + std::to_string(other.Port()), false);
  EXPECT_TRUE(PumpUntil([&] { return history.Points().size() == 1; })) << "another server";
}

}  // namespace
}  // namespace tarnwick
