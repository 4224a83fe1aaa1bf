// The server monitor's events: the window turns what happened into its strings, icons, command
// states and the parts that show it.
#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "common/window_dpi_win.h"
#include "engine/server_text.h"
#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "shell/window_requests_win.h"

namespace tarnwick {
namespace {

// The string, and the icon of the same number, that the state pane shows.
int StateStringId(ConnectionState state) {
  switch (state) {
    case ConnectionState::Connecting: return IDS_STATE_CONNECTING;
    case ConnectionState::Connected: return IDS_STATE_CONNECTED;
    case ConnectionState::NotConnected: break;
  }
  return IDS_STATE_NOT_CONNECTED;
}

}  // namespace

void MainWindow::ConnectTo(const std::string& serverText, bool clone) {
  monitor_.Connect(serverText, clone || GetKeyState(VK_SHIFT) < 0);
}

void MainWindow::ConnectionChanged(const ConnectionReport& report, const ServerState& state) {
  const bool connected = report.state == ConnectionState::Connected;
  const bool ended = report.state == ConnectionState::NotConnected;
  WatchConnection(report);
  if (ended) {
    launcher_.DisarmAutojoin();
    for (int command : {ID_VIEW_PING_STATISTICS, ID_VIEW_REFRESH, ID_VIEW_SERVER_INFO, ID_FILE_JOIN,
                        ID_FILE_DISCONNECT, ID_TOOLS_REMOTE_CONSOLE}) {
      commands_.SetEnabled(command, false);
    }
    playerList_.Clear();
  }
  ShowConnectionState(report);
  if (connected) {
    infoSheet_.Connected();
    AddRecentServer(JoinServerText(report.host, report.port));
    for (int command : {ID_VIEW_REFRESH, ID_FILE_DISCONNECT, ID_TOOLS_REMOTE_CONSOLE}) {
      commands_.SetEnabled(command, true);
    }
  }
  if (ended) console_.ConsoleDisconnected();
  ShowCaption(connected ? &state : nullptr);
  if (connected) {
    console_.ConsoleConnected(report.localPort, report.serverIsPrivate);
    SetForegroundWindow(hwnd());
  }
  if (ended) statusBar_.SetPingText(LoadResourceString(IDS_PING_PANE));
}

void MainWindow::ShowConnectionState(const ConnectionReport& report) {
  const int id = StateStringId(report.state);
  const std::string format = LoadResourceString(static_cast<UINT>(id));
  const std::string tip =
      Format(format.c_str(), report.host.c_str(), static_cast<unsigned>(report.port));
  const UINT dpi = WindowDpi(hwnd());
  const auto icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                  SystemMetricForDpi(SM_CXSMICON, dpi),
                                                  SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
  statusBar_.SetState(icon, tip);
}

void MainWindow::Message(MonitorMessage message, const std::string& host) {
  switch (message) {
    case MonitorMessage::NoServerGiven:
      ShowMessageBoxOwned(LoadResourceString(IDS_NO_SERVER_GIVEN), MB_ICONINFORMATION);
      return;
    case MonitorMessage::AutoDisconnectTurnedOff:
      ShowMessageBoxOwned(LoadResourceString(IDS_AUTODISCONNECT_TURNED_OFF), MB_ICONINFORMATION);
      return;
    case MonitorMessage::CantConnect:
    case MonitorMessage::ConnectionLost: {
      const UINT id =
          message == MonitorMessage::CantConnect ? IDS_CANT_CONNECT : IDS_CONNECTION_LOST;
      ShowBox(Format(LoadResourceString(id).c_str(), host.c_str()), MB_ICONERROR);
      return;
    }
  }
}

void MainWindow::NewWindowWanted(const std::string& serverText) { PostWindowRequest(serverText); }

void MainWindow::ServerInfoChanged(const ServerState& state) {
  WatchServerInfo(state);
  const bool freeSlot = HasFreeSlot(state);
  commands_.SetEnabled(ID_FILE_JOIN, freeSlot);
  // The question box and the password prompt let further replies in: the connection may be gone
  // once they close.
  if (freeSlot) launcher_.CheckAutojoin(state, monitor_.ServerAddress());
  infoSheet_.ServerInfoChanged(state);
  ShowCaption(monitor_.IsConnected() ? &state : nullptr);
}

void MainWindow::PingAnswered(uint32_t rtt, const ServerState& state) {
  statusBar_.SetPingText(Format("%d", static_cast<int32_t>(rtt)));
  infoSheet_.PingAnswered(rtt, state);
  commands_.SetEnabled(ID_VIEW_PING_STATISTICS, true);
  commands_.SetEnabled(ID_VIEW_SERVER_INFO, true);
}

void MainWindow::PlayersChanged(const std::vector<PlayerRow>& rows) {
  playerList_.Show(rows, settings_.sortOrder);
  WatchPlayers(rows);
}

void MainWindow::RulesChanged(const std::optional<std::vector<RuleRow>>& rows) {
  infoSheet_.RulesChanged(rows);
}

void MainWindow::ConsoleText(const std::string& text, bool serverLogLine) {
  console_.ReceivePrint(text, serverLogLine);
}

void MainWindow::RconChallenge(uint32_t challenge) { console_.RconChallengeReceived(challenge); }

void MainWindow::ServerKindChanged(ServerKind kind) { console_.SetServerKind(kind); }

void MainWindow::FlashStep() { tray_.FlashStep(); }

bool MainWindow::IsGameRunning() { return tarnwick::IsGameRunning(); }

}  // namespace tarnwick
