// ServerInfoSheet: the modal "Server Info" property sheet (General, Rules, Mod, Ping statistic).
// Its page objects live as long as the main window; pages have windows only while the sheet is
// open, and the engine's pushes reach only pages that have one.
#ifndef TARNWICK_DIALOGS_SERVER_INFO_SHEET_WIN_H
#define TARNWICK_DIALOGS_SERVER_INFO_SHEET_WIN_H

#include "dialogs/info_pages_win.h"

namespace tarnwick {

class ServerInfoSheet {
 public:
  // The pages keep a reference to the window's engine, which must outlive the sheet.
  explicit ServerInfoSheet(ServerMonitor& monitor);
  ServerInfoSheet(const ServerInfoSheet&) = delete;
  ServerInfoSheet& operator=(const ServerInfoSheet&) = delete;

  // The Ping statistics and Server info commands: asks the server for "details" and "rules", then
  // runs the sheet on "Ping statistic" (32772) or "General"; returns when the sheet closes.
  void Open(HWND owner, int command);
  // An info or details reply was read into `state`: the General and Mod pages show it.
  void ServerInfoChanged(const ServerState& state);
  // A ping reply was counted into `state`: the Ping statistic page shows the figures.
  void PingFiguresChanged(const ServerState& state) { ping_.Fill(state); }
  // A rules reply came: the Rules page keeps its rows and shows them when it is on screen.
  void RulesChanged(const std::optional<std::vector<RuleRow>>& rows) { rules_.RulesChanged(rows); }

  InfoGeneralPage& GeneralPage() { return general_; }
  InfoRulesPage& RulesPage() { return rules_; }
  InfoModPage& ModPage() { return mod_; }
  InfoPingPage& PingPage() { return ping_; }

 private:
  ServerMonitor& monitor_;
  InfoGeneralPage general_;
  InfoRulesPage rules_;
  InfoModPage mod_;
  InfoPingPage ping_;
};

}  // namespace tarnwick

#endif
