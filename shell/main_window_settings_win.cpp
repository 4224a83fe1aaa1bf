// Loading and saving the window's settings, the start-at-logon entry, the recent servers and the
// highlight rules.
#include "common/ansi_text.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"

namespace tarnwick {

void MainWindow::AttachRecentServersMenu() {}

void MainWindow::LoadSettings() {}

void MainWindow::SaveSettings() {}

void MainWindow::ReadLogonEntry() {}

void MainWindow::WriteLogonEntry() {}

void MainWindow::ApplyWorkingFolder() {}

void MainWindow::CreateHighlightFonts() {}

bool MainWindow::HighlightName(const std::string&, COLORREF&, HFONT&) { return false; }

void MainWindow::FillAddressBox() { bars_.FillAddressBox(recentServers_); }

void MainWindow::AddRecentServer(const std::string& serverText) {
  std::erase_if(recentServers_, [&](const std::string& s) { return EqualsNoCase(s, serverText); });
  recentServers_.insert(recentServers_.begin(), serverText);
  FillAddressBox();
  bars_.SelectAddress(serverText);
}

void MainWindow::OpenRecentServer(int id) {
  const size_t index = static_cast<size_t>(id - ID_RECENT_SERVER_FIRST);
  if (index >= recentServers_.size()) return;
  const std::string server = recentServers_[index];
  monitor_.Connect(server, false);
}

void MainWindow::ShowRecentServersIn(HMENU) {}

}  // namespace tarnwick
