// The About box over a real main window: the version fields read from the program file's version
// resource, its links, where it opens and how it closes.
#include <gtest/gtest.h>

#include "common/shell_open_win.h"

#include "resources/resource.h"
#include "shell/link_static_win.h"
#include "tests/dialogs/modal_driver_win.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

using testing::ItemText;
using testing::ModalDriver;
using testing::SendCommand;
using testing::WindowUnderTest;

POINT Centre(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickLink(HWND box, int id) {
  HWND link = GetDlgItem(box, id);
  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

class AboutBox : public ::testing::Test {
 protected:
  AboutBox() {
    MoveWindow(window.hwnd(), 100, 80, 700, 500, TRUE);
    SetForegroundWindow(window.hwnd());
    SetActiveWindow(window.hwnd());
  }
  WindowUnderTest window;
};

TEST_F(AboutBox, ShowsTheVersionResourceOverTheActiveWindow) {
  std::string caption;
  std::string version;
  std::string build;
  HWND owner = nullptr;
  POINT boxCentre = {};
  std::vector<std::string> credits;
  ModalDriver driver({[&](HWND box) {
    char text[64] = {};
    GetWindowTextA(box, text, sizeof(text));
    caption = text;
    version = ItemText(box, IDC_ABOUT_VERSION);
    build = ItemText(box, IDC_ABOUT_BUILD);
    owner = GetWindow(box, GW_OWNER);
    boxCentre = Centre(box);
    EXPECT_EQ(ItemText(box, IDC_ABOUT_BANNER), "https://tarnwick.merrowind.example/");
    for (int id = IDC_ABOUT_AUTHOR; id != IDC_ABOUT_CREDIT_LAST + 1;
         id = id == IDC_ABOUT_AUTHOR ? IDC_ABOUT_CREDIT_FIRST : id + 1) {
      HWND link = GetDlgItem(box, id);
      credits.push_back(ItemText(box, id));
      EXPECT_TRUE(IsWindowEnabled(link)) << id;
      EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, 0), HTCLIENT) << id;
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }});
  SendCommand(window.hwnd(), ID_HELP_ABOUT);
  ASSERT_TRUE(driver.AllRan());
  EXPECT_EQ(caption, "About Tarnwick");
  const size_t feed = version.find('\n');
  ASSERT_NE(feed, std::string::npos) << version;
  EXPECT_EQ(version.substr(0, feed), "Tarnwick v1.2.6.174");
  EXPECT_EQ(version.substr(feed + 1, 9), "Copyright");
  EXPECT_EQ(build, "Build: 174");
  EXPECT_EQ(owner, window.hwnd());
  const POINT windowCentre = Centre(window.hwnd());
  EXPECT_NEAR(boxCentre.x, windowCentre.x, 2);
  EXPECT_NEAR(boxCentre.y, windowCentre.y, 2);
  EXPECT_EQ(credits,
            (std::vector<std::string>{"Tarnwick developers", "Testers", "Translators", "Artwork",
                                      "Documentation", "Server operators", "Players"}));
}

TEST_F(AboutBox, ClosesWithOkEscapeAndTheCloseBox) {
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
  } cases[] = {{"OK", WM_COMMAND, IDOK},
               {"Escape", WM_COMMAND, IDCANCEL},
               {"the close box", WM_SYSCOMMAND, SC_CLOSE}};
  for (const Case& c : cases) {
    ModalDriver driver({[&](HWND box) { PostMessageA(box, c.message, c.wParam, 0); }});
    SendCommand(window.hwnd(), ID_HELP_ABOUT);
    EXPECT_TRUE(driver.AllRan()) << c.what;
  }
}

TEST_F(AboutBox, LinksOpenTheirTargetsOrBeep) {
  std::vector<std::string> opened;
  int beeps = 0;
  INT_PTR result = 42;
  SetShellActions({[&](const std::string& target) {
                          opened.push_back(target);
                          return result;
                        },
                        [&] { ++beeps; }});
  ModalDriver driver({[&](HWND box) {
    ClickLink(box, IDC_ABOUT_BANNER);
    result = 2;
    ClickLink(box, IDC_ABOUT_AUTHOR);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }});
  SendCommand(window.hwnd(), ID_HELP_ABOUT);
  SetShellActions({});
  EXPECT_EQ(opened, (std::vector<std::string>{"https://tarnwick.merrowind.example/",
                                              "mailto:developers@tarnwick.merrowind.example"}));
  EXPECT_EQ(beeps, 1) << "only the target that could not be opened beeps";
}

}  // namespace
}  // namespace tarnwick
