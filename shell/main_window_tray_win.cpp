// The caption and window icon while the window is shown, the tray icon while it is hidden, and
// the tray icon's mouse handling and menu.
#include "common/string_resource_win.h"
#include "common/wide_text_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"

namespace tarnwick {

void MainWindow::ShowCaption(const ServerState* state) {
  std::string text = programName_;
  int iconId = IDR_MAINFRAME;
  if (state != nullptr) {
    text = CaptionText(LoadResourceString(IDS_CAPTION_FORMAT), ServerText(state->map),
                       state->players, state->maxPlayers, ServerText(state->hostName), programName_);
    iconId = TrayIconId(settings_.iconSet, state->players, state->maxPlayers);
  }
  tray_.Show(text, iconId, IsShown());
}

void MainWindow::ShowInTray(bool on) {
  if (on) {
    tray_.AddIcon();
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_HIDE);
  } else {
    tray_.DeleteIcon();
    ShowDueBalloon();  // drops what waits: the window shows it now
    ShowWindow(hwnd(), SW_SHOW);
    ShowWindow(hwnd(), SW_RESTORE);
  }
  RefreshCaption();
  monitor_.ResetTimers();
}

void MainWindow::OnTrayNotify(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
      if (monitor_.IsConnected()) monitor_.SendQuery("players");
      ShowInTray(false);
      break;
    case WM_RBUTTONUP:
      ShowTrayMenu();
      break;
    case NIN_BALLOONUSERCLICK:
      OnBalloonClicked();
      break;
    case NIN_BALLOONTIMEOUT:
    case NIN_BALLOONHIDE:
      balloonOffersJoin_ = false;
      break;
    default:
      break;
  }
}

void MainWindow::ShowTrayMenu() {
  UniqueMenu menu(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_TRAY_MENU)));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu.Get(), 0);
  ShowRecentServersIn(GetSubMenu(popup, 3));
  SetMenuDefaultItem(popup, ID_TRAY_OPEN, FALSE);
  SetForegroundWindow(hwnd());
  POINT cursor = {};
  GetCursorPos(&cursor);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
  PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void MainWindow::OnTaskbarCreated() {
  // The restarted shell has lost every icon.
  if (tray_.InTray()) tray_.AddIcon();
}

}  // namespace tarnwick
