// Tray balloons: joins and leaves of watched players and the server's events, merged into at most
// one balloon in 10 s, shown only while the window is in the tray. A shown window has no tray icon
// to speak from, and its own list and caption already show what changed; events seen while it is
// shown are dropped, so going into the tray does not replay them.
#include "common/wide_text_win.h"
#include "shell/main_window_win.h"

namespace tarnwick {
namespace {

NotifyOptions NotifyOptionsOf(const Settings& settings) {
  NotifyOptions options;
  options.watchedPlayers = settings.notifyPlayers;
  options.freeSlot = settings.notifyFreeSlot;
  options.serverDown = settings.notifyConnection;
  options.mapChange = settings.notifyMapChange;
  return options;
}

}  // namespace

bool MainWindow::WantsPlayersInTray() {
  return settings_.notifyPlayers && AnyNotifyingRule(highlightRules_);
}

void MainWindow::WatchConnection(const ConnectionReport& report) {
  // Only a new connection starts afresh: a lost one keeps what it knew, so that its loss can be
  // told with the server's name.
  if (report.state != ConnectionState::Connected) return;
  playerWatch_.Reset();
  balloons_.Clear();
  serverSnapshot_ = {};
  freeSlotWaiting_ = false;
}

void MainWindow::WatchServerInfo(const ServerState& state) {
  ServerSnapshot after;
  after.known = true;
  after.players = state.players;
  after.maxPlayers = state.maxPlayers;
  after.map = state.map;
  const ServerEvents events = DetectServerEvents(serverSnapshot_, after, NotifyOptionsOf(settings_));
  serverSnapshot_ = after;
  balloonServerName_ = state.hostName;
  if (events.empty() || !tray_.InTray()) return;
  balloons_.Add(events, after);
  freeSlotWaiting_ = freeSlotWaiting_ || events.slotFreed;
  ShowDueBalloon();
}

void MainWindow::WatchPlayers(const std::vector<PlayerRow>& rows) {
  std::vector<std::string> names;
  names.reserve(rows.size());
  for (const PlayerRow& row : rows) names.push_back(row.name);
  // Fed while shown too, so that the tray reports changes from the list the user saw last.
  const PlayerChanges changes =
      playerWatch_.Feed(names, highlightRules_, &DecodeAnsiCodePage, &FoldWithPlatform);
  if (changes.empty() || !settings_.notifyPlayers || !tray_.InTray()) return;
  balloons_.Add(changes);
  ShowDueBalloon();
}

bool MainWindow::KeepsWatchingRefusedServer() {
  // In the tray the user asked to learn when the server is back; a box there would only wait
  // for a click.
  return settings_.notifyConnection && tray_.InTray();
}

void MainWindow::ServerAnswering(bool answering) {
  if (!answering) infoSheet_.NotAnswering();
  ServerSnapshot after = serverSnapshot_;
  after.reachable = answering;
  const ServerEvents events = DetectServerEvents(serverSnapshot_, after, NotifyOptionsOf(settings_));
  serverSnapshot_ = after;
  if (events.empty() || !tray_.InTray()) return;
  balloons_.Add(events, after);
  ShowDueBalloon();
}

void MainWindow::ShowDueBalloon() {
  KillTimer(hwnd(), kBalloonTimerId);
  if (!tray_.InTray()) {
    balloons_.Clear();
    freeSlotWaiting_ = false;
    return;
  }
  const std::optional<uint32_t> due = balloons_.DueIn(GetTickCount());
  if (!due) return;
  if (*due > 0) {
    SetTimer(hwnd(), kBalloonTimerId, *due, nullptr);
    return;
  }
  const std::string map = monitor_.IsConnected() ? monitor_.State().map : serverSnapshot_.map;
  const std::optional<Balloon> balloon = balloons_.Take(GetTickCount(), balloonServerName_, map);
  if (!balloon) return;
  if (tray_.ShowBalloon(balloon->title, balloon->text)) balloonOffersJoin_ = freeSlotWaiting_;
  freeSlotWaiting_ = false;
}

void MainWindow::OnBalloonClicked() {
  const bool offerJoin = balloonOffersJoin_;
  balloonOffersJoin_ = false;
  if (monitor_.IsConnected()) monitor_.SendQuery("players");
  if (tray_.InTray()) ShowInTray(false);
  SetForegroundWindow(hwnd());
  if (offerJoin && monitor_.IsConnected() && HasFreeSlot(monitor_.State()))
    launcher_.OfferJoin(monitor_.State(), monitor_.ServerAddress());
}

}  // namespace tarnwick
