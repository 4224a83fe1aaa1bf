// What the server monitor asks of its window: Winsock, window timers, the status bar, the player
// list, message boxes, and the other parts of the window it tells about the connection.
#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "common/window_dpi_win.h"
#include "launch/game_window_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "shell/window_requests_win.h"

namespace tarnwick {

LookupTask MainWindow::StartLookup(const std::string& host) { return socket_.StartLookup(hwnd(), host); }

void MainWindow::CancelLookup(LookupTask task) { socket_.CancelLookup(task); }

std::optional<Ipv4Address> MainWindow::LookupAddress() { return socket_.LookupAddress(); }

bool MainWindow::OpenSocket(const Ipv4Endpoint& server, uint16_t& localPort) {
  return socket_.Open(server, localPort);
}

void MainWindow::CloseSocket() { socket_.Close(); }

void MainWindow::SendDatagram(const Ipv4Endpoint& to, const std::vector<uint8_t>& datagram) {
  socket_.Send(to, datagram);
}

bool MainWindow::RequestReadNotifications() { return socket_.RequestReadNotifications(hwnd()); }

void MainWindow::OnLookupMessage(WPARAM task, LPARAM info) {
  // Any process may post this message: the monitor reads the result only for its own lookup.
  monitor_.OnLookupDone(static_cast<LookupTask>(task), WSAGETASYNCERROR(info));
}

void MainWindow::OnSocketMessage(WPARAM socket) {
  // Any process may post this message too; it only makes a non-blocking socket read.
  if (!monitor_.IsConnected() || static_cast<SOCKET>(socket) != socket_.Handle()) return;
  monitor_.OnReceive(socket_.Receive());
  // Every reply may tell more about the server; the console's choice of rcon form follows it.
  console_.SetServerKind(monitor_.Kind());
}

void MainWindow::OnTimerTick(uint32_t timerId) {
  if (monitor_.IsConnected()) {
    if (const int error = socket_.PendingError()) {
      ReceiveResult failed;
      failed.error = error;
      monitor_.OnReceive(failed);
      return;
    }
  }
  monitor_.OnTimer(timerId);
}

uint32_t MainWindow::TickCount() { return GetTickCount(); }

void MainWindow::StartTimer(TimerId id, uint32_t periodMs) {
  SetTimer(hwnd(), static_cast<UINT_PTR>(id), periodMs, nullptr);
}

void MainWindow::StopTimer(TimerId id) { KillTimer(hwnd(), static_cast<UINT_PTR>(id)); }

bool MainWindow::IsShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

bool MainWindow::IsGameRunning() { return tarnwick::IsGameRunning(); }

void MainWindow::BringToForeground() { SetForegroundWindow(hwnd()); }

void MainWindow::ShowInformation(int stringId) {
  ShowMessageBoxOwned(LoadResourceString(static_cast<UINT>(stringId)), MB_ICONINFORMATION);
}

void MainWindow::ReportError(int stringId, const std::string& text) {
  const std::string format = LoadResourceString(static_cast<UINT>(stringId));
  ShowBox(Format(format.c_str(), text.c_str()), MB_ICONERROR);
}

void MainWindow::ShowState(int stringId) {
  const std::string format = LoadResourceString(static_cast<UINT>(stringId));
  const std::string tip =
      Format(format.c_str(), monitor_.HostText().c_str(), static_cast<unsigned>(monitor_.Port()));
  const UINT dpi = WindowDpi(hwnd());
  const auto icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(stringId), IMAGE_ICON,
                                                  SystemMetricForDpi(SM_CXSMICON, dpi),
                                                  SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
  statusBar_.SetState(icon, tip);
}

void MainWindow::ShowPing(const std::string& text) { statusBar_.SetPingText(text); }

void MainWindow::ShowNoPing() { statusBar_.SetPingText(LoadResourceString(IDS_PING_PANE)); }

void MainWindow::RequestNewWindow(const std::string& serverText) { PostWindowRequest(serverText); }

void MainWindow::SetCommandEnabled(int command, bool enabled) { commands_.SetEnabled(command, enabled); }

void MainWindow::ClearPlayers() { playerList_.Clear(); }

void MainWindow::ShowPlayers(const std::vector<PlayerRow>& rows) {
  playerList_.Show(rows, settings_.sortOrder);
}

void MainWindow::ConsoleConnected(uint16_t localPort, bool serverIsPrivate) {
  console_.ConsoleConnected(localPort, serverIsPrivate);
}

void MainWindow::ConsoleDisconnected() { console_.ConsoleDisconnected(); }

void MainWindow::AppendConsoleText(const std::string& text, bool serverLogLine) {
  console_.ReceivePrint(text, serverLogLine);
}

void MainWindow::RconChallengeReceived(uint32_t challenge) {
  console_.RconChallengeReceived(challenge);
}

void MainWindow::CheckAutojoin() { launcher_.CheckAutojoin(); }

void MainWindow::DisarmAutojoin() { launcher_.DisarmAutojoin(); }

void MainWindow::ServerInfoChanged() { infoSheet_.ServerInfoChanged(); }

void MainWindow::PingFiguresChanged() { infoSheet_.PingFiguresChanged(); }

void MainWindow::RulesChanged() { infoSheet_.RulesChanged(); }

void MainWindow::FlashStep() { tray_.FlashStep(); }

}  // namespace tarnwick
