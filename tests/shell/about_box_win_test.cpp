// The About box over a real main window: the version fields read from the program file's version
// resource, its links, where it opens and how it closes.
#include <gtest/gtest.h>

#include "common/window_dpi_win.h"
#include "tests/support/connected_window_win.h"

namespace tarnwick {
namespace {

using testing::ItemText;
using testing::RectInParent;
using testing::ScreenRect;

int BannerWidth(HWND box) {
  BITMAP picture = {};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(box, IDC_ABOUT_BANNER, STM_GETIMAGE,
                                                            IMAGE_BITMAP, 0)),
             sizeof(picture), &picture);
  return picture.bmWidth;
}

class AboutBox : public testing::ConnectedWindow {
 protected:
  AboutBox() {
    MoveWindow(window.hwnd(), 100, 80, 700, 500, TRUE);
    SetForegroundWindow(window.hwnd());
    SetActiveWindow(window.hwnd());
  }
};

TEST_F(AboutBox, ShowsTheVersionResourceAndLinksOverTheActiveWindowAndClosesEveryWay) {
  testing::ShellRecorder shell;
  Open(ID_HELP_ABOUT, {[&](HWND box) {
         const std::string version = ItemText(box, IDC_ABOUT_VERSION);
         const size_t feed = version.find('\n');
         EXPECT_EQ(version.substr(0, feed), "Tarnwick v1.2.6.174");
         EXPECT_EQ(version.substr(feed + 1, 9), "Copyright") << version;
         EXPECT_EQ(ItemText(box, IDC_ABOUT_BUILD), "Build: 174");
         EXPECT_EQ(GetWindow(box, GW_OWNER), window.hwnd());
         const RECT own = ScreenRect(box);
         const RECT owner = ScreenRect(window.hwnd());
         EXPECT_NEAR(own.left + own.right, owner.left + owner.right, 4) << "centred";
         EXPECT_NEAR(own.top + own.bottom, owner.top + owner.bottom, 4);
         for (int id = IDC_ABOUT_CREDIT_FIRST; id <= IDC_ABOUT_CREDIT_LAST; ++id) {
           EXPECT_EQ(SendMessageA(GetDlgItem(box, id), WM_NCHITTEST, 0, 0), HTCLIENT) << "a link";
         }
         testing::ClickLink(GetDlgItem(box, IDC_ABOUT_BANNER));
         shell.answer = 2;
         testing::ClickLink(GetDlgItem(box, IDC_ABOUT_AUTHOR));

         // A move to a screen of twice the DPI (the system scales the dialog and its font): the
         // banner is drawn again at its size and the links keep to their scaled places.
         const int bannerWidth = BannerWidth(box);
         const RECT author = RectInParent(GetDlgItem(box, IDC_ABOUT_AUTHOR));
         RECT suggested = own;
         SendMessageA(box, kDpiChangedMessage, MAKEWPARAM(192, 192),
                      reinterpret_cast<LPARAM>(&suggested));
         EXPECT_EQ(BannerWidth(box), 2 * bannerWidth);
         EXPECT_NEAR(RectInParent(GetDlgItem(box, IDC_ABOUT_AUTHOR)).top, 2 * author.top, 2);
         PostMessageA(box, WM_COMMAND, IDOK, 0);
       }});
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"https://tarnwick.merrowind.example/",
                                              "mailto:developers@tarnwick.merrowind.example"}));
  EXPECT_EQ(shell.beeps, 1) << "only the target that could not be opened beeps";
  // Escape and the close box close it too.
  const std::pair<UINT, WPARAM> closes[] = {{WM_COMMAND, IDCANCEL}, {WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& close : closes) {
    Open(ID_HELP_ABOUT, {[&](HWND box) { PostMessageA(box, close.first, close.second, 0); }});
  }
}

}  // namespace
}  // namespace tarnwick
