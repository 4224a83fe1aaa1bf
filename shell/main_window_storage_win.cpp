// The window's stored parts: loading and saving its settings, the start-at-logon entry, the recent
// servers in the menus and the address box, and the highlight rules the player list draws with.
#include "common/wide_text_win.h"

#include "launch/working_folder_win.h"
#include "resources/resource.h"
#include "settings/logon_entry.h"
#include "settings/window_placement_win.h"
#include "shell/main_window_settings_win.h"
#include "shell/main_window_win.h"

namespace tarnwick {

void MainWindow::AttachRecentServersMenu() {
  recentServers_.AttachMenu(GetSubMenu(GetMenu(hwnd()), 0));
  recentServers_.SetMaximum(kRecentServersWindowMaximum);
}

void MainWindow::LoadSettings() {
  WindowSettings stored{settings_, std::nullopt, recentServers_, highlightRules_};
  const bool found = LoadWindowSettings(store_, stored);
  ApplyToWindows({hwnd(), console_.hwnd(), console_.CommandBox(), nullptr}, stored, found);
  settings_ = std::move(stored.settings);
  static_cast<RecentServers&>(recentServers_) = stored.recentServers;
  recentServers_.UpdateMenu();
  highlightRules_ = std::move(stored.highlightRules);
}

void MainWindow::SaveSettings() {
  WindowSettings stored{settings_, std::nullopt, recentServers_, highlightRules_};
  TakeFromWindows(
      {hwnd(), console_.hwnd(), console_.CommandBox(), playerList_.hwnd(), playerList_.Dpi()},
      stored);
  SaveWindowSettings(store_, stored);
}

void MainWindow::ReadLogonEntry() {
  settings_.startWithLogon = tarnwick::ReadLogonEntry(store_, programName_);
}

void MainWindow::WriteLogonEntry() {
  const std::string host = monitor_.IsConnected() ? monitor_.HostText() : std::string();
  tarnwick::WriteLogonEntry(store_, programName_, settings_.startWithLogon, ProgramFilePath(), host,
                            monitor_.Port());
}

void MainWindow::ApplyWorkingFolder() { SetWorkingFolder(settings_.gameClientPath); }

void MainWindow::CreateHighlightFonts() { highlightFonts_.CreateFromWindowFont(playerList_.hwnd()); }

bool MainWindow::HighlightName(const std::string& name, COLORREF& color, HFONT& font) {
  const HighlightRule* rule = FindHighlightRule(highlightRules_, name, &FoldWithPlatform);
  if (rule == nullptr) return false;
  color = RuleColour(rule->attributes);
  font = highlightFonts_.Get(RuleStyleIndex(rule->attributes));
  return true;
}

void MainWindow::FillAddressBox() { tarnwick::FillAddressBox(bars_.AddressBox(), recentServers_); }

void MainWindow::AddRecentServer(const std::string& serverText) {
  recentServers_.AddServer(serverText);
  FillAddressBox();
  bars_.SelectAddress(serverText);
}

void MainWindow::OpenRecentServer(int id) {
  const std::optional<std::string> server = recentServers_.GetServer(static_cast<uint32_t>(id));
  if (!server) return;
  recentServers_.MoveToTop(static_cast<uint32_t>(id));
  ConnectTo(*server, false);
}

void MainWindow::ShowRecentServersIn(HMENU submenu) { recentServers_.UpdateOtherMenu(submenu); }

}  // namespace tarnwick
