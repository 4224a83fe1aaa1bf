// Pictures of every page of both sheets and of the About box, for a person to look at. Runs only
// when TARNWICK_SHOTS names a folder (the pictures go there); otherwise it is skipped.
#include <gtest/gtest.h>

#include <cstdlib>

#include "highlight/highlight_rules.h"
#include "tests/dialogs/connected_window_win.h"
#include "tests/dialogs/modal_driver_win.h"

namespace tarnwick {
namespace {

using testing::ModalDriver;
using testing::PumpUntil;
using testing::SelectPage;
using testing::SendCommand;
using testing::TakeScreenshot;

class Screenshots : public testing::ConnectedWindow {};

TEST_F(Screenshots, EveryPageOfBothSheetsAndTheAboutBox) {
  if (std::getenv("TARNWICK_SHOTS") == nullptr) GTEST_SKIP() << "TARNWICK_SHOTS is not set";
  demo::DemoConfig config;
  config.is_mod = true;
  config.password = true;
  ASSERT_TRUE(Connect(config));
  window->RecentServerList().AddServer("frag.example.net:27016");
  window->RecentServerList().AddServer("lan-party.local:27015");
  window->RecentServerList().AddServer(ServerText());
  window->HighlightRules() = DefaultHighlightRules();
  window->HighlightRules().push_back({MakeHighlightAttributes(0x0000C0, 2, 12), "Barney"});
  window->HighlightRules().push_back({MakeHighlightAttributes(0x008000, 5, 20), "*Alyx"});

  const char* optionNames[] = {"general", "refresh", "tray", "misc", "servers", "highlight"};
  const char* infoNames[] = {"general", "rules", "mod", "ping"};
  ModalDriver driver({
      [&](HWND sheet) {
        for (int i = 0; i < 6; ++i) {
          SelectPage(sheet, i);
          TakeScreenshot(sheet, std::string("options-") + std::to_string(i) + "-" + optionNames[i]);
        }
        testing::PressCancel(sheet);
      },
      [&](HWND sheet) {
        for (int i = 0; i < 4; ++i) {
          HWND page = SelectPage(sheet, i);
          if (i == 1) {
            HWND list = GetDlgItem(page, IDC_RULES_LIST);
            PumpUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 1; });
          }
          TakeScreenshot(sheet, std::string("info-") + std::to_string(i) + "-" + infoNames[i]);
        }
        testing::PressCancel(sheet);
      },
      [&](HWND box) {
        TakeScreenshot(box, "about");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      },
  });
  SendCommand(window.hwnd(), ID_TOOLS_OPTIONS);
  SendCommand(window.hwnd(), ID_VIEW_SERVER_INFO);
  SendCommand(window.hwnd(), ID_HELP_ABOUT);
  EXPECT_TRUE(driver.AllRan());
}

}  // namespace
}  // namespace tarnwick
