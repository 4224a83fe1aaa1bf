#include "engine/server_monitor.h"

#include "common/ansi_text.h"
#include "engine/query_protocol.h"
#include "engine/server_text.h"
#include "engine/source_info_reader.h"
#include "resources/resource.h"

namespace tarnwick {

using ConnectionGuard = std::lock_guard<std::recursive_mutex>;
using StateGuard = std::lock_guard<std::recursive_mutex>;

ServerMonitor::ServerMonitor(MonitorHost& host, Settings& settings)
    : host_(host), settings_(settings) {
  ClearServerState(state_);
}

void ServerMonitor::Connect(const std::string& text, bool newWindow) {
  // Asking to connect while the game runs means the user wants the monitor on during play.
  if (settings_.autoDisconnect && host_.IsGameRunning()) {
    settings_.autoDisconnect = false;
    if (host_.IsWindowShown()) host_.ShowInformation(IDS_AUTODISCONNECT_TURNED_OFF);
  }
  if (text.empty()) {
    host_.ShowInformation(IDS_NO_SERVER_GIVEN);
    return;
  }
  if (socketOpen_) {
    if (newWindow || host_.IsShiftHeld()) {
      host_.RequestNewWindow(text);
      return;
    }
    Disconnect();
  }

  const ServerText server = SplitServerText(text);
  LookupTask task = 0;
  {
    ConnectionGuard guard(connectionLock_);
    if (lookupTask_ != 0) host_.CancelLookup(lookupTask_);
    lookupTask_ = 0;
    hostText_ = server.host;
    port_ = server.port;
    task = host_.StartLookup(server.host);
    lookupTask_ = task;
  }
  if (task == 0) {
    // No completion will ever come for a lookup that did not start: say so now.
    FailConnection();
    return;
  }
  host_.ShowState(IDS_STATE_CONNECTING);
  host_.RefreshCaption();
}

void ServerMonitor::OnLookupDone(LookupTask task, int error) {
  std::optional<Ipv4Address> address;
  {
    ConnectionGuard guard(connectionLock_);
    // A completion of a lookup that Connect has since replaced is not this connection's answer,
    // and its result may already be overwritten by the lookup that replaced it: not even read.
    if (lookupTask_ == 0 || task != lookupTask_) return;
    lookupTask_ = 0;
    if (error == 0) address = host_.LookupAddress();
    if (address) serverAddress_ = Ipv4Endpoint{*address, port_};
  }
  if (!address) {
    FailConnection();
    return;
  }
  uint16_t localPort = 0;
  if (!host_.OpenSocket(serverAddress_, localPort)) {
    socketOpen_ = false;
    FailConnection();
    return;
  }
  // Before anything is sent: without notifications no reply would ever be read.
  if (!host_.RequestReadNotifications()) {
    host_.CloseSocket();
    FailConnection();
    return;
  }
  {
    ConnectionGuard guard(connectionLock_);
    socketOpen_ = true;
    host_.ShowState(IDS_STATE_CONNECTED);
    {
      StateGuard state(stateLock_);
      state_.address = FormatEndpoint(serverAddress_);
    }
    session_.Reset();
    splitReplies_.Clear();
    SendQuery("details");
    // The ping timer's handler runs once at once; it may end the connection (auto-disconnect).
    TimerTick(TimerId::Ping);
    if (socketOpen_) {
      host_.AddRecentServer(JoinServerText(hostText_, port_));
      host_.SetCommandEnabled(ID_VIEW_REFRESH, true);
      host_.SetCommandEnabled(ID_FILE_DISCONNECT, true);
      host_.SetCommandEnabled(ID_TOOLS_REMOTE_CONSOLE, true);
      ResetTimers();
      host_.RefreshCaption();
      host_.ConsoleConnected(localPort, IsPrivateAddress(serverAddress_.address));
    }
  }
  host_.BringToForeground();
}

void ServerMonitor::FailConnection() {
  const std::string host = hostText_;
  host_.ReportError(IDS_CANT_CONNECT, host);
  Disconnect();
}

void ServerMonitor::Disconnect() {
  ConnectionGuard guard(connectionLock_);
  host_.DisarmAutojoin();
  for (int command : {ID_VIEW_PING_STATISTICS, ID_VIEW_REFRESH, ID_VIEW_SERVER_INFO, ID_FILE_JOIN,
                      ID_FILE_DISCONNECT, ID_TOOLS_REMOTE_CONSOLE}) {
    host_.SetCommandEnabled(command, false);
  }
  StopTimers();
  if (lookupTask_ != 0) {
    host_.CancelLookup(lookupTask_);
    lookupTask_ = 0;
  }
  if (socketOpen_) {
    host_.CloseSocket();
    socketOpen_ = false;
  }
  session_.Reset();
  splitReplies_.Clear();
  host_.ClearPlayers();
  {
    StateGuard state(stateLock_);
    ClearServerState(state_);
  }
  hostText_.clear();
  host_.ShowState(IDS_STATE_NOT_CONNECTED);
  host_.ConsoleDisconnected();
  host_.RefreshCaption();
  host_.ShowNoPing();
}

void ServerMonitor::Refresh() {
  if (!socketOpen_) return;
  SendQuery("info");
  SendQuery("players");
}

void ServerMonitor::SendQuery(std::string_view text) {
  ConnectionGuard guard(connectionLock_);
  if (!socketOpen_) return;
  if (const std::optional<QueryKind> kind = QueryKindOf(text)) {
    SendAll(session_.Ask(*kind, text));
    return;
  }
  host_.SendDatagram(serverAddress_, BuildRequest(text));
}

void ServerMonitor::SendAll(const std::vector<std::vector<uint8_t>>& datagrams) {
  ConnectionGuard guard(connectionLock_);
  for (const auto& datagram : datagrams) {
    if (!socketOpen_) return;
    host_.SendDatagram(serverAddress_, datagram);
  }
}

void ServerMonitor::StopTimers() {
  for (TimerId id : kAllTimers) {
    if (timerSet_[Index(id)]) {
      host_.StopTimer(id);
      timerSet_[Index(id)] = false;
    }
  }
}

void ServerMonitor::ResetTimers() {
  StopTimers();
  if (!socketOpen_) return;
  const RefreshPlan plan = PlanRefresh(true, host_.IsWindowShown(), settings_);
  for (TimerId id : kAllTimers) {
    const uint32_t period = plan.PeriodOf(id);
    if (period == 0) continue;
    host_.StartTimer(id, period);
    timerSet_[Index(id)] = true;
  }
}

void ServerMonitor::OnTimer(uint32_t timerId) {
  // A tick of a timer that has since been stopped may still be queued: only set timers count.
  for (TimerId id : kAllTimers) {
    if (static_cast<uint32_t>(id) == timerId && timerSet_[Index(id)]) {
      TimerTick(id);
      return;
    }
  }
}

void ServerMonitor::TimerTick(TimerId id) {
  // While the game runs the monitor stays quiet: any tick ends the connection.
  if (settings_.autoDisconnect && host_.IsGameRunning()) {
    Disconnect();
    return;
  }
  switch (id) {
    case TimerId::Ping: PingTick(); break;
    case TimerId::Info: SendQuery("info"); break;
    case TimerId::Players: SendQuery("players"); break;
    case TimerId::Flash: host_.FlashStep(); break;
  }
}

void ServerMonitor::PingTick() {
  lastPingTick_ = host_.TickCount();
  SendQuery("ping");
  StateGuard state(stateLock_);
  ++state_.pingsSent;
}

void ServerMonitor::OnReceive(const ReceiveResult& result) {
  if (!socketOpen_) return;
  if (result.error == kSocketWouldBlock) return;
  if (result.error != 0 && result.error != kSocketMessageTooLong) {
    const std::string host = hostText_;
    Disconnect();
    // Both errors mean the server's host answered that nothing listens on the port.
    const bool refused =
        result.error == kSocketConnectionReset || result.error == kSocketConnectionRefused;
    host_.ReportError(refused ? IDS_CONNECTION_LOST : IDS_CANT_CONNECT, host);
    return;
  }
  // Only the server's own address and port may speak for it: anything else could forge replies
  // or log lines.
  if (!(result.from == serverAddress_)) return;
  const size_t length = result.length < kReceiveBufferSize ? result.length : kReceiveBufferSize;
  ConnectionGuard guard(connectionLock_);
  if (HasSplitPrefix(result.data, length)) {
    const std::optional<std::vector<uint8_t>> whole =
        splitReplies_.Add(result.data, length, host_.TickCount());
    // A joined reply that is itself a piece or lacks the prefix is dropped like any other.
    if (whole && HasReplyPrefix(whole->data(), whole->size())) {
      DispatchReply(whole->data() + 4, whole->size() - 4);
    }
    return;
  }
  if (!HasReplyPrefix(result.data, length)) return;
  DispatchReply(result.data + 4, length - 4);
}

void ServerMonitor::DispatchReply(const uint8_t* payload, size_t length) {
  if (length == 0) return;
  const uint8_t* body = payload + 1;
  const size_t bodyLength = length - 1;
  // The session learns from the reply first, so that the follow-ups below (the "players" of a
  // count change) already go out in the form the server answers.
  SendAll(session_.OnReply(payload[0], body, bodyLength));
  switch (payload[0]) {
    case reply::kPing:
      OnPingReply(host_.TickCount() - lastPingTick_);
      break;
    case reply::kPrint:
      host_.AppendConsoleText(PrintReplyText(payload, length), IsServerLogLine(payload, length));
      break;
    case reply::kInfo:
    case reply::kDetails:
      OnInfoReply(body, bodyLength);
      host_.RefreshCaption();
      break;
    case reply::kSourceInfo:
      if (!session_.TakesSourceInfo()) break;
      OnSourceInfoReply(body, bodyLength);
      host_.RefreshCaption();
      break;
    case reply::kRconChallenge:
      if (const std::optional<uint32_t> challenge = ParseRconChallenge(payload, length)) {
        host_.RconChallengeReceived(*challenge);
      }
      break;
    case reply::kPlayers:
      ReadPlayers(body, bodyLength, playerRows_);
      host_.ShowPlayers(playerRows_);
      break;
    case reply::kRules:
      rules_.Store(body, bodyLength);
      host_.RulesChanged();
      break;
    default:
      break;
  }
}

void ServerMonitor::OnInfoReply(const uint8_t* body, size_t length) {
  InfoReadResult result;
  {
    StateGuard state(stateLock_);
    result = ReadServerInfo(body, length, state_);
  }
  AfterInfoReply(result.playerCountChanged);
}

void ServerMonitor::OnSourceInfoReply(const uint8_t* body, size_t length) {
  InfoReadResult result;
  {
    StateGuard state(stateLock_);
    result = ReadSourceInfo(body, length, state_);
  }
  AfterInfoReply(result.playerCountChanged);
}

void ServerMonitor::AfterInfoReply(bool playerCountChanged) {
  bool freeSlot = false;
  {
    StateGuard state(stateLock_);
    // The player list follows joins and leaves at once while it is on screen.
    if (playerCountChanged && host_.IsWindowShown()) SendQuery("players");
    freeSlot = HasFreeSlot(state_);
  }
  host_.SetCommandEnabled(ID_FILE_JOIN, freeSlot);
  if (freeSlot) host_.CheckAutojoin();
  host_.ServerInfoChanged();
}

void ServerMonitor::OnPingReply(uint32_t rtt) {
  host_.ShowPing(Format("%d", static_cast<int32_t>(rtt)));
  {
    StateGuard state(stateLock_);
    RecordPingReply(state_, rtt);
  }
  host_.PingFiguresChanged();
  host_.SetCommandEnabled(ID_VIEW_PING_STATISTICS, true);
  host_.SetCommandEnabled(ID_VIEW_SERVER_INFO, true);
}

void ServerMonitor::ResetPingStatistics() {
  StateGuard state(stateLock_);
  ResetPingStats(state_);
}

}  // namespace tarnwick
