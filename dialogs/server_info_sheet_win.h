// ServerInfoSheet: the modal "Server Info" property sheet (General, Rules, Mod, Ping statistic,
// History).
// Its page objects live as long as the main window; pages have windows only while the sheet is
// open, and the engine's pushes reach only pages that have one.
#ifndef TARNWICK_DIALOGS_SERVER_INFO_SHEET_WIN_H
#define TARNWICK_DIALOGS_SERVER_INFO_SHEET_WIN_H

#include "dialogs/history_page_win.h"
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
  // A connection opened: the history goes on when it is to the server of the last one.
  void Connected() { history_.Connected(); }
  // The server stopped answering: the history shows a gap until it answers again.
  void NotAnswering() { history_.NotAnswering(); }
  // An info or details reply was read into `state`: the General and Mod pages show it, and the
  // history takes a point.
  void ServerInfoChanged(const ServerState& state);
  // A ping reply of `rtt` ms was counted into `state`: the Ping statistic page shows the figures,
  // and the history's next points carry it.
  void PingAnswered(uint32_t rtt, const ServerState& state) {
    history_.PingAnswered(rtt);
    ping_.Fill(state);
  }
  // A rules reply came: the Rules page keeps its rows and shows them when it is on screen.
  void RulesChanged(const std::optional<std::vector<RuleRow>>& rows) { rules_.RulesChanged(rows); }

  InfoGeneralPage& GeneralPage() { return general_; }
  InfoRulesPage& RulesPage() { return rules_; }
  InfoModPage& ModPage() { return mod_; }
  InfoPingPage& PingPage() { return ping_; }
  InfoHistoryPage& HistoryPage() { return history_; }

 private:
  ServerMonitor& monitor_;
  InfoGeneralPage general_;
  InfoRulesPage rules_;
  InfoModPage mod_;
  InfoPingPage ping_;
  InfoHistoryPage history_;
};

}  // namespace tarnwick

#endif
