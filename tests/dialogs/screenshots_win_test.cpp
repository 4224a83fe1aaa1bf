// Pictures of every page of both sheets and of the About box, for a person to look at. Runs only
// when TARNWICK_SHOTS names a folder (the pictures go there); otherwise it is skipped.
#include <gtest/gtest.h>

#include <cstdlib>

#include "highlight/highlight_rules.h"
#include "tests/dialogs/connected_window_win.h"

namespace tarnwick {
namespace {

using testing::SelectPage;
using testing::TakeScreenshot;

using Screenshots = testing::ConnectedWindow;

TEST_F(Screenshots, EveryPageOfBothSheetsAndTheAboutBox) {
  if (std::getenv("TARNWICK_SHOTS") == nullptr) GTEST_SKIP() << "TARNWICK_SHOTS is not set";
  demo::DemoConfig config;
  config.is_mod = true;
  config.password = true;
  ASSERT_TRUE(Connect(config));
  for (const char* server : {"frag.example.net:27016", "lan-party.local:27015"}) {
    window->RecentServerList().AddServer(server);
  }
  window->RecentServerList().AddServer(ServerText());
  window->HighlightRules() = DefaultHighlightRules();
  window->HighlightRules().push_back({MakeHighlightAttributes(0x0000C0, 2, 12), "Barney"});
  window->HighlightRules().push_back({MakeHighlightAttributes(0x008000, 5, 20), "*Alyx"});

  // Each sheet's pages by name, in their order.
  const std::vector<std::pair<int, std::vector<std::string>>> sheets = {
      {ID_TOOLS_OPTIONS, {"general", "refresh", "tray", "misc", "servers", "highlight"}},
      {ID_VIEW_SERVER_INFO, {"general", "rules", "mod", "ping"}}};
  for (const auto& shown : sheets) {
    const int command = shown.first;
    const std::vector<std::string>& pages = shown.second;
    Open(command, {[&](HWND sheet) {
           for (size_t i = 0; i < pages.size(); ++i) {
             HWND page = SelectPage(sheet, static_cast<int>(i));
             HWND rules = GetDlgItem(page, IDC_RULES_LIST);
             if (command == ID_VIEW_SERVER_INFO && rules != nullptr) {
               testing::PumpUntil([&] { return SendMessageA(rules, LVM_GETITEMCOUNT, 0, 0) > 1; });
             }
             const char* prefix = command == ID_TOOLS_OPTIONS ? "options-" : "info-";
             TakeScreenshot(sheet, prefix + std::to_string(i) + "-" + pages[i]);
           }
           testing::PressCancel(sheet);
         }});
  }
  Open(ID_HELP_ABOUT, {[&](HWND box) {
         TakeScreenshot(box, "about");
         PostMessageA(box, WM_COMMAND, IDOK, 0);
       }});
}

}  // namespace
}  // namespace tarnwick
