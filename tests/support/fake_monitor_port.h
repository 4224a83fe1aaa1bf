// The server monitor's surroundings for tests. FakeMonitorPort stands in for the Winsock side: it
// starts lookups the test answers, holds at most one socket (sends without one go nowhere, as on
// the real socket), keeps the clock the test sets and the timers that run. RecordingEvents records
// what the monitor tells its window and answers its two questions as the test sets them.
#ifndef TARNWICK_TESTS_SUPPORT_FAKE_MONITOR_PORT_H
#define TARNWICK_TESTS_SUPPORT_FAKE_MONITOR_PORT_H

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/monitor_events.h"
#include "engine/monitor_port.h"
#include "engine/server_monitor.h"

namespace tarnwick::testing {

class FakeMonitorPort : public MonitorPort {
 public:
  // ---- What the test sets
  bool lookupStarts = true;
  std::optional<Ipv4Address> lookupAnswer = Ipv4Address{{127, 0, 0, 2}};
  bool socketOpens = true;
  int opens = 0;
  uint32_t now = 1000;

  // ---- What the monitor did
  std::vector<std::string> lookups;
  std::vector<LookupTask> cancelled;
  LookupTask nextTask = 1;
  int lookupReads = 0;
  std::optional<Ipv4Endpoint> socket;  // the server of the open socket
  std::vector<std::vector<uint8_t>> sent;  // every datagram, in order
  std::map<TimerId, uint32_t> timers;      // running timers and their periods

  LookupTask StartLookup(const std::string& host) override {
    lookups.push_back(host);
    return lookupStarts ? nextTask++ : 0;
  }
  void CancelLookup(LookupTask task) override { cancelled.push_back(task); }
  std::optional<Ipv4Address> LookupAddress() override {
    ++lookupReads;
    return lookupAnswer;
  }
  bool OpenSocket(const Ipv4Endpoint& server, uint16_t& localPort) override {
    socket.reset();
    ++opens;
    if (!socketOpens) return false;
    socket = server;
    localPort = 50000;
    return true;
  }
  void CloseSocket() override { socket.reset(); }
  void Send(const std::vector<uint8_t>& datagram) override {
    if (socket) sent.push_back(datagram);
  }
  uint32_t TickCount() override { return now; }
  void StartTimer(TimerId id, uint32_t periodMs) override { timers[id] = periodMs; }
  void StopTimer(TimerId id) override { timers.erase(id); }
};

class RecordingEvents : public MonitorEvents {
 public:
  bool shown = true;
  bool gameRunning = false;
  bool keepsRefusedServer = false;

  std::vector<ConnectionState> states;
  ConnectionReport report;  // the last one
  std::vector<std::pair<MonitorMessage, std::string>> messages;
  std::vector<std::string> newWindows;
  int infoChanges = 0;
  std::vector<uint32_t> pings;
  std::vector<PlayerRow> players;
  int rulesChanges = 0;
  std::optional<std::vector<RuleRow>> rules;
  std::string console;
  int consoleLogLines = 0;  // how many of the texts came as server log lines
  std::vector<uint32_t> rconChallenges;
  std::vector<ServerKind> kinds;
  int flashSteps = 0;
  std::vector<bool> answering;

  void ConnectionChanged(const ConnectionReport& r, const ServerState&) override {
    states.push_back(r.state);
    report = r;
  }
  void Message(MonitorMessage message, const std::string& host) override {
    messages.emplace_back(message, host);
  }
  void NewWindowWanted(const std::string& text) override { newWindows.push_back(text); }
  void ServerInfoChanged(const ServerState&) override { ++infoChanges; }
  void PingAnswered(uint32_t rtt, const ServerState&) override { pings.push_back(rtt); }
  void PlayersChanged(const std::vector<PlayerRow>& rows) override { players = rows; }
  void RulesChanged(const std::optional<std::vector<RuleRow>>& rows) override {
    ++rulesChanges;
    rules = rows;
  }
  void ConsoleText(const std::string& text, bool serverLogLine) override {
    console += text;
    consoleLogLines += serverLogLine ? 1 : 0;
  }
  void RconChallenge(uint32_t challenge) override { rconChallenges.push_back(challenge); }
  void ServerKindChanged(ServerKind kind) override { kinds.push_back(kind); }
  void FlashStep() override { ++flashSteps; }
  void ServerAnswering(bool now) override { answering.push_back(now); }
  bool KeepsWatchingRefusedServer() override { return keepsRefusedServer; }
  bool IsWindowShown() override { return shown; }
  bool IsGameRunning() override { return gameRunning; }
};

// A monitor on a fake port with its events recorded; ConnectTo connects it to 127.0.0.2.
struct MonitorRig {
  Settings settings;
  FakeMonitorPort port;
  RecordingEvents events;
  ServerMonitor monitor{port, events, settings};

  void ConnectTo(const std::string& text = "alpha.example:27016") {
    monitor.Connect(text, false);
    monitor.OnLookupDone(port.nextTask - 1, 0);
  }
  // A read of `size` bytes from `from` (the server when its port is 0) that gave `error`.
  void Receive(const uint8_t* data, size_t size, Ipv4Endpoint from = {}, int error = 0) {
    monitor.OnReceive({error, from.port != 0 ? from : monitor.ServerAddress(), data, size});
  }
  void Receive(const std::vector<uint8_t>& datagram, Ipv4Endpoint from = {}, int error = 0) {
    Receive(datagram.data(), datagram.size(), from, error);
  }
};

}  // namespace tarnwick::testing

#endif
