// ServerInfoSheet: the modal "Server Info" property sheet (General, Rules, Mod, Ping statistic).
// Its page objects live as long as the main window; pages have windows only while the sheet is
// open, and the engine's pushes reach only pages that have one.
#ifndef TARNWICK_DIALOGS_SERVER_INFO_SHEET_WIN_H
#define TARNWICK_DIALOGS_SERVER_INFO_SHEET_WIN_H

namespace tarnwick {

class MainWindow;

class ServerInfoSheet {
 public:
  explicit ServerInfoSheet(MainWindow& window) : window_(window) {}
  ServerInfoSheet(const ServerInfoSheet&) = delete;
  ServerInfoSheet& operator=(const ServerInfoSheet&) = delete;

  // The Ping statistics and Server info commands; returns when the sheet closes.
  void Open(int command);
  void ServerInfoChanged();
  void PingFiguresChanged();
  void RulesChanged();

 private:
  MainWindow& window_;
};

}  // namespace tarnwick

#endif
