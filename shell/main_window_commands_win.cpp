// The main window's commands: menus, tool bar, accelerators and the tray menu all arrive here.

#include "common/shell_open_win.h"
#include "common/string_resource_win.h"
#include "resources/resource.h"
#include "shell/about_box_win.h"
#include "shell/main_window_win.h"

namespace tarnwick {

void MainWindow::AutojoinChanged(bool armed) { commands_.SetChecked(ID_FILE_AUTO_JOIN, armed); }

bool MainWindow::OnCommand(int id, int code) {
  if (id >= ID_RECENT_SERVER_FIRST && id <= ID_RECENT_SERVER_LAST) {
    OpenRecentServer(id);
    return true;
  }
  switch (id) {
    case IDC_ADDRESS_BOX:
      if (code == CBN_EDITCHANGE) bars_.OnAddressEditChange();
      if (code == CBN_DBLCLK) ConnectTo(bars_.AddressText(), false);
      return true;
    case ID_FILE_CONNECT: ConnectTo(bars_.AddressText(), false); return true;
    case ID_FILE_CLONE: ConnectTo(bars_.AddressText(), true); return true;
    case ID_FILE_DISCONNECT: monitor_.Disconnect(); return true;
    case ID_FILE_JOIN:
      launcher_.LaunchGame(monitor_.State(), monitor_.ServerAddress());
      return true;
    case ID_FILE_AUTO_JOIN: launcher_.ToggleAutojoin(); return true;
    case ID_FILE_GO_TO_TRAY: ShowInTray(true); return true;
    case ID_FILE_EXIT:
      if (!IsShown()) ShowInTray(false);
      PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      return true;
    case ID_VIEW_TOOLBAR: ToggleBar(bars_.Rebar(), ID_VIEW_TOOLBAR); return true;
    case ID_VIEW_STATUS_BAR: ToggleBar(statusBar_.hwnd(), ID_VIEW_STATUS_BAR); return true;
    case ID_VIEW_PING_STATISTICS:
    case ID_VIEW_SERVER_INFO:
      infoSheet_.Open(hwnd(), id);
      return true;
    case ID_VIEW_REFRESH: monitor_.Refresh(); return true;
    case ID_TOOLS_AUTO_UPDATE:
      settings_.autoUpdate = !settings_.autoUpdate;
      commands_.SetChecked(ID_TOOLS_AUTO_UPDATE, settings_.autoUpdate);
      monitor_.ResetTimers();
      return true;
    case ID_TOOLS_MINIMIZE_TO_TRAY:
      settings_.minimizeToTray = !settings_.minimizeToTray;
      commands_.SetChecked(ID_TOOLS_MINIMIZE_TO_TRAY, settings_.minimizeToTray);
      return true;
    case ID_TOOLS_OPTIONS: OpenOptions(); return true;
    case ID_TOOLS_REMOTE_CONSOLE: console_.Show(); return true;
    case ID_TRAY_OPEN: OnTrayNotify(WM_LBUTTONDBLCLK); return true;
    case ID_HELP_MANUAL:
    case ID_HELP_UPDATES:
      OpenWebLink(id);
      return true;
    case ID_HELP_ABOUT: ShowAbout(instance_); return true;
    case ID_FOCUS_ADDRESS_BOX:
      SetFocus(bars_.AddressBox());
      InvalidateRect(bars_.Rebar(), nullptr, TRUE);
      return true;
    default:
      return false;
  }
}

void MainWindow::ToggleBar(HWND bar, int command) {
  const bool show = IsWindowVisible(bar) == FALSE;
  ShowWindow(bar, show ? SW_SHOWNOACTIVATE : SW_HIDE);
  commands_.SetChecked(command, show);
  UpdateLayout(true);
}

void MainWindow::OpenWebLink(int command) {
  const std::string address = LoadResourceString(static_cast<UINT>(command - ID_WEB_LINK_STRING_OFFSET));
  OpenWithShellOrBeep(address);
}

}  // namespace tarnwick
