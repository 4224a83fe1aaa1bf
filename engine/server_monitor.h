// ServerMonitor: one window's connection to the server it watches. It turns the server text into
// an address, opens and closes the connection, sends the queries, reads the replies into the
// ServerState, runs the refresh timers and keeps the ping figures. The platform is reached through
// MonitorPort and the window through MonitorEvents, so the whole behaviour runs the same under
// tests.
//
// Servers of today are asked with the binary queries beside the text ones (QuerySession decides
// which go out), their challenges are kept per connection, and their split replies are joined
// (SplitReassembler) and then read like any other reply.
//
// Thread: the window's own. Every call, port callback and event runs on it, so nothing here is
// locked; the state accessors may be read at any time on that thread.
#ifndef TARNWICK_ENGINE_SERVER_MONITOR_H
#define TARNWICK_ENGINE_SERVER_MONITOR_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/ipv4.h"
#include "engine/monitor_events.h"
#include "engine/monitor_port.h"
#include "engine/query_session.h"
#include "engine/server_state.h"
#include "engine/split_reassembler.h"
#include "settings/settings.h"

namespace tarnwick {

class ServerMonitor {
 public:
  ServerMonitor(MonitorPort& port, MonitorEvents& events, Settings& settings);
  ServerMonitor(const ServerMonitor&) = delete;
  ServerMonitor& operator=(const ServerMonitor&) = delete;

  // ---- Commands
  // Starts watching `text` ("host" or "host:port"). With a connection open, `newWindow` (Clone,
  // or Connect with Shift held) sends the text to a new window instead.
  void Connect(const std::string& text, bool newWindow);
  void Disconnect();
  // Refresh: "info" then "players" while connected.
  void Refresh();
  // The window went into or out of the tray, or the intervals changed: set the timers up again.
  void ResetTimers();
  // Sends FF FF FF FF, `text`, 00 to the server; nothing while no connection is open. The query
  // texts "info", "details", "players" and "rules" ask through the connection's QuerySession: the
  // text request, its binary twin, or both, as the server has shown it answers them.
  void SendQuery(std::string_view text);
  // Clears the ping figures (the Ping statistic page's Reset).
  void ResetPingStatistics() { ResetPingStats(state_); }

  // ---- From the port
  // The lookup `task` finished with `error` (0: its address is ready at the port).
  void OnLookupDone(LookupTask task, int error);
  void OnReceive(const ReceiveResult& result);
  void OnTimer(uint32_t timerId);

  // ---- State
  bool IsConnected() const { return socketOpen_; }
  bool IsResolving() const { return lookupTask_ != 0; }
  const std::string& HostText() const { return hostText_; }
  uint16_t Port() const { return port_; }
  const Ipv4Endpoint& ServerAddress() const { return serverAddress_; }
  // The server's port while connected, else 0 (the remote console asks for it).
  uint16_t ConnectedPort() const { return socketOpen_ ? port_ : 0; }
  bool IsTimerSet(TimerId id) const { return timerSet_[Index(id)]; }
  const ServerState& State() const { return state_; }
  // False from the moment the server is told as not answering until it answers again.
  bool IsAnswering() const { return answering_; }
  // What the server has shown of itself on this connection: Old once it answered a text query
  // (the remote console may then use the challenge-less rcon form), Modern once it answered a
  // binary one. Unknown again at every connect and disconnect.
  ServerKind Kind() const { return session_.Kind(); }
  // The query challenge the server gave on this connection, if any.
  std::optional<uint32_t> QueryChallenge() const { return session_.Challenge(); }
  // The split replies being joined.
  const SplitReassembler& SplitReplies() const { return splitReplies_; }

 private:
  static size_t Index(TimerId id) { return static_cast<size_t>(id) - 1; }

  ConnectionReport Report(ConnectionState state) const;
  void StopTimers();
  void PingTick();
  void TimerTick(TimerId id);
  void FailConnection();
  void CountProbe(TimerId id);
  void HeardFromServer();
  void SetAnswering(bool answering);
  void ReadDatagram(const ReceiveResult& result);
  void DispatchReply(const uint8_t* payload, size_t length);
  void AfterInfoReply(bool playerCountChanged);
  void SendAll(const std::vector<std::vector<uint8_t>>& datagrams);

  MonitorPort& platform_;
  MonitorEvents& events_;
  Settings& settings_;

  std::string hostText_;
  uint16_t port_ = 0;
  uint16_t localPort_ = 0;
  Ipv4Endpoint serverAddress_;
  LookupTask lookupTask_ = 0;
  bool socketOpen_ = false;
  bool timerSet_[4] = {false, false, false, false};
  uint32_t lastPingTick_ = 0;
  // Whether the server answers: queries sent since its last datagram, and when that came.
  bool answering_ = true;
  bool pingsAnswered_ = false;  // a server may ignore pings; then they tell nothing
  uint32_t unansweredProbes_ = 0;
  uint32_t lastHeardTick_ = 0;
  QuerySession session_;
  SplitReassembler splitReplies_;
  ServerState state_;
  std::vector<PlayerRow> playerRows_;  // reused by every players reply
};

}  // namespace tarnwick

#endif
