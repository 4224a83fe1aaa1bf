// MainWindow: the top-level window that watches one server, on a thread of its own. It owns every
// per-window part: the connection and server state (ServerMonitor), the settings copy, the bars,
// the player list, the status bar, the tray presence, the recent servers, the highlight rules, the
// remote console, the game launcher and the Server Info pages. Its own logic is the routing of
// messages and commands, the creation and close sequences, and the command states.
//
// Thread: everything of the window, the monitor's state included, is owned by the window's own
// thread and touched by no other, so nothing of it is locked.
//
// The class is split over several files by concern: main_window_win.cpp (creation, routing),
// main_window_commands_win.cpp (commands), main_window_host_win.cpp (the server monitor's events),
// main_window_tray_win.cpp (caption, tray), main_window_storage_win.cpp (settings, recent
// servers, highlighting).
#ifndef TARNWICK_SHELL_MAIN_WINDOW_WIN_H
#define TARNWICK_SHELL_MAIN_WINDOW_WIN_H

#include <memory>
#include <string>
#include <vector>

#include "common/wide_text_win.h"
#include "common/window_base_win.h"
#include "common/window_dpi_win.h"
#include "dialogs/server_info_sheet_win.h"
#include "engine/server_monitor.h"
#include "engine/server_socket_win.h"
#include "highlight/highlight_fonts_win.h"
#include "highlight/highlight_rules.h"
#include "highlight/notify_balloon.h"
#include "highlight/player_watch.h"
#include "highlight/server_events.h"
#include "launch/game_launcher_win.h"
#include "rcon/remote_console_win.h"
#include "settings/key_store.h"
#include "settings/settings.h"
#include "shell/command_states.h"
#include "shell/frame_bars_win.h"
#include "shell/player_list_win.h"
#include "shell/player_menu_win.h"
#include "shell/recent_servers_menu_win.h"
#include "shell/status_bar_win.h"
#include "shell/tray_presence_win.h"

namespace tarnwick {

class MainWindow : public WindowBase, public LaunchHost, private MonitorEvents {
 public:
  // `store` holds the settings (the registry when null; tests give a store of their own, which
  // must outlive the window).
  MainWindow(HINSTANCE instance, bool openedWithNew, KeyStore* store = nullptr);
  ~MainWindow() override;

  // Creates the window, hidden; runs the creation sequence. False when it cannot be created.
  bool Create();

  // Hides the window into the tray (true) or brings it back (false).
  void ShowInTray(bool on);
  // Caption and window icon while shown, tooltip and tray picture while hidden.
  void RefreshCaption() { ShowCaption(monitor_.IsConnected() ? &monitor_.State() : nullptr); }
  // Connect and Clone: with Shift held, Connect goes to a new window too while connected.
  void ConnectTo(const std::string& serverText, bool clone);
  // Stops the refresh timers and sets them up again for the present state.
  void ResetTimers() { monitor_.ResetTimers(); }
  // Places the rebar at the top, the status bar at the bottom and the list in between.
  void UpdateLayout(bool resizeBars);
  // Creates the address box and its band for the present "ServerList" settings.
  bool CreateAddressBox();
  void FillAddressBox();

  bool IsShown() const override { return IsWindowVisible(hwnd()) != FALSE; }
  HINSTANCE Instance() const override { return instance_; }
  HWND Window() const override { return hwnd(); }
  const std::string& ProgramName() const override { return programName_; }

  Settings& CurrentSettings() override { return settings_; }
  ServerMonitor& Monitor() override { return monitor_; }
  CommandStates& Commands() { return commands_; }
  FrameBars& Bars() { return bars_; }
  PlayerList& Players() { return playerList_; }
  StatusBar& Status() { return statusBar_; }
  TrayPresence& Tray() { return tray_; }
  RemoteConsole& Console() { return console_; }
  GameLauncher& Launcher() { return launcher_; }
  ServerInfoSheet& InfoSheet() { return infoSheet_; }
  RecentServersMenu& RecentServerList() { return recentServers_; }
  std::vector<HighlightRule>& HighlightRules() { return highlightRules_; }
  HighlightFonts& Fonts() { return highlightFonts_; }

  // Shows a message box titled with the program name: owned by the window while it is shown,
  // system-modal without an owner while it is hidden in the tray.
  int ShowBox(const std::string& text, UINT type) override;
  // A message box titled with the program name and always owned by the window.
  int ShowMessageBoxOwned(const std::string& text, UINT type);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // ---- Creation and closing (main_window_win.cpp, main_window_settings_win.cpp)
  LRESULT OnCreate();
  void OnClose();
  void LoadSettings();
  void SaveSettings();
  void ReadLogonEntry();
  void WriteLogonEntry();
  void AttachRecentServersMenu();
  void ApplyWorkingFolder();
  void CreateHighlightFonts();
  bool FilterMessage(MSG& message);
  void OnIdle();

  // ---- Routing (main_window_win.cpp)
  LRESULT OnNotify(NMHDR& header);
  void OnSize(WPARAM kind);
  // The window moved to a screen of another DPI: its pictures are drawn again and its fonts made
  // again for it.
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void FitToDpi(UINT fromDpi, UINT toDpi);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnInitMenuPopup(HMENU menu);

  // ---- Commands (main_window_commands_win.cpp)
  bool OnCommand(int id, int code);
  // The Options sheet, and on OK its edits applied (main_window_options_win.cpp).
  void OpenOptions();
  void ToggleBar(HWND bar, int command);
  void OpenWebLink(int command);
  void OpenRecentServer(int id);

  void AutojoinChanged(bool armed) override;

  // ---- Tray (main_window_tray_win.cpp)
  void OnTrayNotify(UINT mouseMessage);
  void ShowTrayMenu();
  void OnTaskbarCreated();
  // Fills the tray menu's Connect submenu with the recent servers for one showing of the menu.
  void ShowRecentServersIn(HMENU submenu);

  // ---- Tray balloons (main_window_notify_win.cpp)
  void WatchConnection(const ConnectionReport& report);
  void WatchServerInfo(const ServerState& state);
  void WatchPlayers(const std::vector<PlayerRow>& rows);
  // The server stopped answering or answers again (MonitorEvents).
  void ServerAnswering(bool answering) override;
  // Shows the waiting balloon when it is due, or sets the balloon timer for when it will be.
  void ShowDueBalloon();
  // A click on the balloon: the window opens, and a free slot offers Join.
  void OnBalloonClicked();
  bool WantsPlayersInTray() override;
  bool KeepsWatchingRefusedServer() override;

  // ---- MonitorEvents (main_window_host_win.cpp)
  void ConnectionChanged(const ConnectionReport& report, const ServerState& state) override;
  void Message(MonitorMessage message, const std::string& host) override;
  void NewWindowWanted(const std::string& serverText) override;
  void ServerInfoChanged(const ServerState& state) override;
  void PingAnswered(uint32_t rtt, const ServerState& state) override;
  void PlayersChanged(const std::vector<PlayerRow>& rows) override;
  void RulesChanged(const std::optional<std::vector<RuleRow>>& rows) override;
  void ConsoleText(const std::string& text, bool serverLogLine) override;
  void RconChallenge(uint32_t challenge) override;
  void ServerKindChanged(ServerKind kind) override;
  void FlashStep() override;
  bool IsWindowShown() override { return IsShown(); }
  bool IsGameRunning() override;
  void ShowConnectionState(const ConnectionReport& report);
  // The caption and tray for `state`, or for no connection (null).
  void ShowCaption(const ServerState* state);
  // A connection opened: remember "host:port" in the recent servers list and the address box.
  void AddRecentServer(const std::string& serverText);
  bool HighlightName(const std::string& name, COLORREF& color, HFONT& font);

  HINSTANCE instance_;
  std::unique_ptr<KeyStore> ownStore_;
  KeyStore& store_;
  std::string programName_;
  HACCEL accelerators_ = nullptr;
  int filterId_ = 0;
  int idleId_ = 0;

  Settings settings_;
  ServerSocket socket_;
  ServerMonitor monitor_{socket_, *this, settings_};
  CommandStates commands_;
  FrameBars bars_;
  PlayerList playerList_;
  PlayerMenu playerMenu_{*this};
  StatusBar statusBar_;
  TrayPresence tray_;
  RemoteConsole console_;
  GameLauncher launcher_;
  ServerInfoSheet infoSheet_;
  RecentServersMenu recentServers_;
  std::vector<HighlightRule> highlightRules_;
  HighlightFonts highlightFonts_;
  PlayerWatch playerWatch_;
  BalloonQueue balloons_{&DecodeAnsiCodePage};
  ServerSnapshot serverSnapshot_;  // as of the latest information reply of this connection
  std::string balloonServerName_;  // server bytes, kept past a lost connection
  bool freeSlotWaiting_ = false;   // the waiting balloon tells of a free slot
  bool balloonOffersJoin_ = false; // the balloon on screen does
  UINT dpi_ = kDesignDpi;
  DpiFont listFont_;
  DpiFont statusFont_;
};

}  // namespace tarnwick

#endif
