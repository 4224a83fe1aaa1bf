#include "engine/server_monitor.h"

#include "engine/query_protocol.h"
#include "engine/server_text.h"
#include "engine/source_info_reader.h"

namespace tarnwick {
namespace {

// A server is silent after this many unanswered queries over at least this long: one lost
// datagram, or a short interval, does not make it so.
constexpr uint32_t kProbesBeforeSilent = 3;
constexpr uint32_t kSilenceMs = 30000;

}  // namespace

ServerMonitor::ServerMonitor(MonitorPort& port, MonitorEvents& events, Settings& settings)
    : platform_(port), events_(events), settings_(settings) {
  ClearServerState(state_);
}

ConnectionReport ServerMonitor::Report(ConnectionState state) const {
  ConnectionReport report{state, hostText_, port_};
  if (state == ConnectionState::Connected) {
    report.localPort = localPort_;
    report.serverIsPrivate = IsPrivateAddress(serverAddress_.address);
  }
  return report;
}

void ServerMonitor::Connect(const std::string& text, bool newWindow) {
  // Asking to connect while the game runs means the user wants the monitor on during play.
  if (settings_.autoDisconnect && events_.IsGameRunning()) {
    settings_.autoDisconnect = false;
    if (events_.IsWindowShown()) events_.Message(MonitorMessage::AutoDisconnectTurnedOff, text);
  }
  if (text.empty()) {
    events_.Message(MonitorMessage::NoServerGiven, text);
    return;
  }
  if (socketOpen_) {
    if (newWindow) {
      events_.NewWindowWanted(text);
      return;
    }
    Disconnect();
  }

  const ServerText server = SplitServerText(text);
  if (lookupTask_ != 0) platform_.CancelLookup(lookupTask_);
  hostText_ = server.host;
  port_ = server.port;
  lookupTask_ = platform_.StartLookup(server.host);
  if (lookupTask_ == 0) {
    // No completion will ever come for a lookup that did not start: say so now.
    FailConnection();
    return;
  }
  events_.ConnectionChanged(Report(ConnectionState::Connecting), state_);
}

void ServerMonitor::OnLookupDone(LookupTask task, int error) {
  // A completion of a lookup that Connect has since replaced is not this connection's answer,
  // and its result may already be overwritten by the lookup that replaced it: not even read.
  if (lookupTask_ == 0 || task != lookupTask_) return;
  lookupTask_ = 0;
  std::optional<Ipv4Address> address;
  if (error == 0) address = platform_.LookupAddress();
  if (address) serverAddress_ = Ipv4Endpoint{*address, port_};
  localPort_ = 0;
  if (!address || !platform_.OpenSocket(serverAddress_, localPort_)) {
    FailConnection();
    return;
  }
  socketOpen_ = true;
  state_.address = FormatEndpoint(serverAddress_);
  session_.Reset();
  splitReplies_.Clear();
  answering_ = true;
  pingsAnswered_ = false;
  unansweredProbes_ = 0;
  lastHeardTick_ = platform_.TickCount();
  SendQuery("details");
  // The ping timer's handler runs once at once; it may end the connection (auto-disconnect).
  TimerTick(TimerId::Ping);
  if (!socketOpen_) return;
  ResetTimers();
  events_.ConnectionChanged(Report(ConnectionState::Connected), state_);
}

void ServerMonitor::FailConnection() {
  const std::string host = hostText_;
  events_.Message(MonitorMessage::CantConnect, host);
  Disconnect();
}

void ServerMonitor::Disconnect() {
  StopTimers();
  if (lookupTask_ != 0) {
    platform_.CancelLookup(lookupTask_);
    lookupTask_ = 0;
  }
  if (socketOpen_) {
    platform_.CloseSocket();
    socketOpen_ = false;
  }
  session_.Reset();
  splitReplies_.Clear();
  ClearServerState(state_);
  hostText_.clear();
  events_.ConnectionChanged(Report(ConnectionState::NotConnected), state_);
}

void ServerMonitor::Refresh() {
  if (!socketOpen_) return;
  SendQuery("info");
  SendQuery("players");
}

void ServerMonitor::SendQuery(std::string_view text) {
  if (!socketOpen_) return;
  if (const std::optional<QueryKind> kind = QueryKindOf(text)) {
    SendAll(session_.Ask(*kind, text));
    return;
  }
  platform_.Send(BuildRequest(text));
}

void ServerMonitor::SendAll(const std::vector<std::vector<uint8_t>>& datagrams) {
  for (const auto& datagram : datagrams) {
    if (!socketOpen_) return;
    platform_.Send(datagram);
  }
}

void ServerMonitor::StopTimers() {
  for (TimerId id : kAllTimers) {
    if (timerSet_[Index(id)]) {
      platform_.StopTimer(id);
      timerSet_[Index(id)] = false;
    }
  }
}

void ServerMonitor::ResetTimers() {
  StopTimers();
  if (!socketOpen_) return;
  const RefreshPlan plan =
      PlanRefresh(true, events_.IsWindowShown(), settings_, events_.WantsPlayersInTray());
  for (TimerId id : kAllTimers) {
    const uint32_t period = plan.PeriodOf(id);
    if (period == 0) continue;
    platform_.StartTimer(id, period);
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
  if (settings_.autoDisconnect && events_.IsGameRunning()) {
    Disconnect();
    return;
  }
  CountProbe(id);
  if (!socketOpen_) return;
  switch (id) {
    case TimerId::Ping: PingTick(); break;
    case TimerId::Info: SendQuery("info"); break;
    case TimerId::Players: SendQuery("players"); break;
    case TimerId::Flash: events_.FlashStep(); break;
  }
}

void ServerMonitor::CountProbe(TimerId id) {
  if (id == TimerId::Flash || (id == TimerId::Ping && !pingsAnswered_)) return;
  // The query going out now has had no time to be answered: only the earlier ones count.
  if (unansweredProbes_ >= kProbesBeforeSilent &&
      platform_.TickCount() - lastHeardTick_ >= kSilenceMs)
    SetAnswering(false);
  if (unansweredProbes_ < kProbesBeforeSilent) ++unansweredProbes_;
}

void ServerMonitor::HeardFromServer() {
  unansweredProbes_ = 0;
  lastHeardTick_ = platform_.TickCount();
  SetAnswering(true);
}

void ServerMonitor::SetAnswering(bool answering) {
  if (answering_ == answering) return;
  answering_ = answering;
  events_.ServerAnswering(answering);
}

void ServerMonitor::PingTick() {
  lastPingTick_ = platform_.TickCount();
  SendQuery("ping");
  ++state_.pingsSent;
}

void ServerMonitor::OnReceive(const ReceiveResult& result) {
  const ServerKind before = session_.Kind();
  ReadDatagram(result);
  if (session_.Kind() != before) events_.ServerKindChanged(session_.Kind());
}

void ServerMonitor::ReadDatagram(const ReceiveResult& result) {
  if (!socketOpen_) return;
  if (result.error == kSocketWouldBlock) return;
  if (result.error != 0 && result.error != kSocketMessageTooLong) {
    // Both errors mean the server's host answered that nothing listens on the port.
    const bool refused =
        result.error == kSocketConnectionReset || result.error == kSocketConnectionRefused;
    if (refused && events_.KeepsWatchingRefusedServer()) {
      SetAnswering(false);
      // The queries go on. Some socket layers keep reporting a refusal and signal no arrival
      // after it: a fresh socket on the same local port (where the server log goes) hears the
      // server when it is back.
      if (socketOpen_ && !platform_.OpenSocket(serverAddress_, localPort_)) FailConnection();
      return;
    }
    const std::string host = hostText_;
    Disconnect();
    events_.Message(refused ? MonitorMessage::ConnectionLost : MonitorMessage::CantConnect, host);
    return;
  }
  // Only the server's own address and port may speak for it: anything else could forge replies
  // or log lines.
  if (!(result.from == serverAddress_)) return;
  const size_t length = result.length < kReceiveBufferSize ? result.length : kReceiveBufferSize;
  if (HasSplitPrefix(result.data, length) || HasReplyPrefix(result.data, length)) {
    HeardFromServer();
    if (!socketOpen_) return;
  }
  if (HasSplitPrefix(result.data, length)) {
    const std::optional<std::vector<uint8_t>> whole =
        splitReplies_.Add(result.data, length, platform_.TickCount());
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
    case reply::kPing: {
      const uint32_t rtt = platform_.TickCount() - lastPingTick_;
      RecordPingReply(state_, rtt);
      pingsAnswered_ = true;
      events_.PingAnswered(rtt, state_);
      break;
    }
    case reply::kPrint:
      events_.ConsoleText(PrintReplyText(payload, length), IsServerLogLine(payload, length));
      break;
    case reply::kInfo:
    case reply::kDetails:
      AfterInfoReply(ReadServerInfo(body, bodyLength, state_).playerCountChanged);
      break;
    case reply::kSourceInfo:
      if (!session_.TakesSourceInfo()) break;
      AfterInfoReply(ReadSourceInfo(body, bodyLength, state_).playerCountChanged);
      break;
    case reply::kRconChallenge:
      if (const std::optional<uint32_t> challenge = ParseRconChallenge(payload, length)) {
        events_.RconChallenge(*challenge);
      }
      break;
    case reply::kPlayers:
      ReadPlayers(body, bodyLength, playerRows_);
      events_.PlayersChanged(playerRows_);
      break;
    case reply::kRules:
      events_.RulesChanged(ReadRules(body, bodyLength));
      break;
    default:
      break;
  }
}

void ServerMonitor::AfterInfoReply(bool playerCountChanged) {
  // The player list follows joins and leaves at once while it is on screen.
  if (playerCountChanged && events_.IsWindowShown()) SendQuery("players");
  events_.ServerInfoChanged(state_);
}

}  // namespace tarnwick
