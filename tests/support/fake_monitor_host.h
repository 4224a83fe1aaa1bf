// FakeMonitorHost records what the server monitor asks of its window and platform, and lets a test
// answer lookups, socket creation, the clock and the window's state.
#ifndef TARNWICK_TESTS_SUPPORT_FAKE_MONITOR_HOST_H
#define TARNWICK_TESTS_SUPPORT_FAKE_MONITOR_HOST_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/monitor_host.h"

namespace tarnwick::testing {

class FakeMonitorHost : public MonitorHost {
 public:
  // ---- What the test sets
  bool lookupStarts = true;
  std::optional<Ipv4Address> lookupAnswer = Ipv4Address{{127, 0, 0, 2}};
  bool socketOpens = true;
  bool readNotificationsWork = true;
  uint16_t localPort = 50000;
  uint32_t now = 1000;
  bool shown = true;
  bool shiftHeld = false;
  bool gameRunning = false;

  // ---- What the monitor did
  std::vector<std::string> lookups;
  std::vector<LookupTask> cancelled;
  LookupTask nextTask = 1;
  int lookupReads = 0;
  int socketsOpened = 0;
  int socketsClosed = 0;
  std::vector<std::vector<uint8_t>> sent;  // every datagram, in order
  std::vector<Ipv4Endpoint> sentTo;
  std::map<TimerId, uint32_t> timers;  // running timers and their periods
  std::vector<int> information;
  std::vector<std::pair<int, std::string>> errors;
  std::vector<int> states;
  std::string pingText;
  std::vector<std::string> newWindows;
  std::map<int, bool> enabled;
  std::vector<PlayerRow> players;
  int playerLists = 0;
  int captions = 0;
  std::vector<std::string> recent;
  std::vector<std::pair<uint16_t, bool>> consoleConnects;
  int consoleDisconnects = 0;
  std::string console;
  int consoleLogLines = 0;  // how many of the texts came as server log lines
  std::vector<uint32_t> rconChallenges;
  int autojoinChecks = 0;
  int autojoinDisarms = 0;
  int infoChanges = 0;
  int pingChanges = 0;
  int rulesChanges = 0;
  int flashSteps = 0;
  int foregrounds = 0;
  int readNotifications = 0;

  LookupTask StartLookup(const std::string& host) override;
  void CancelLookup(LookupTask task) override { cancelled.push_back(task); }
  std::optional<Ipv4Address> LookupAddress() override {
    ++lookupReads;
    return lookupAnswer;
  }
  bool OpenSocket(const Ipv4Endpoint& server, uint16_t& port) override;
  Ipv4Endpoint socketServer;
  void CloseSocket() override { ++socketsClosed; }
  void SendDatagram(const Ipv4Endpoint& to, const std::vector<uint8_t>& datagram) override {
    sentTo.push_back(to);
    sent.push_back(datagram);
  }
  bool RequestReadNotifications() override {
    ++readNotifications;
    return readNotificationsWork;
  }
  uint32_t TickCount() override { return now; }
  void StartTimer(TimerId id, uint32_t periodMs) override { timers[id] = periodMs; }
  void StopTimer(TimerId id) override { timers.erase(id); }
  bool IsWindowShown() override { return shown; }
  bool IsShiftHeld() override { return shiftHeld; }
  bool IsGameRunning() override { return gameRunning; }
  void BringToForeground() override { ++foregrounds; }
  void ShowInformation(int id) override { information.push_back(id); }
  void ReportError(int id, const std::string& text) override { errors.emplace_back(id, text); }
  void ShowState(int id) override { states.push_back(id); }
  void ShowPing(const std::string& text) override { pingText = text; }
  void ShowNoPing() override { pingText = " ping "; }
  void RequestNewWindow(const std::string& text) override { newWindows.push_back(text); }
  void SetCommandEnabled(int command, bool on) override { enabled[command] = on; }
  void ClearPlayers() override { players.clear(); }
  void ShowPlayers(const std::vector<PlayerRow>& rows) override {
    players = rows;
    ++playerLists;
  }
  void RefreshCaption() override { ++captions; }
  void AddRecentServer(const std::string& text) override { recent.push_back(text); }
  void ConsoleConnected(uint16_t port, bool isPrivate) override {
    consoleConnects.emplace_back(port, isPrivate);
  }
  void ConsoleDisconnected() override { ++consoleDisconnects; }
  void AppendConsoleText(const std::string& text, bool serverLogLine) override {
    console += text;
    consoleLogLines += serverLogLine ? 1 : 0;
  }
  void RconChallengeReceived(uint32_t challenge) override { rconChallenges.push_back(challenge); }
  void CheckAutojoin() override { ++autojoinChecks; }
  void DisarmAutojoin() override { ++autojoinDisarms; }
  void ServerInfoChanged() override { ++infoChanges; }
  void PingFiguresChanged() override { ++pingChanges; }
  void RulesChanged() override { ++rulesChanges; }
  void FlashStep() override { ++flashSteps; }
};

}  // namespace tarnwick::testing

#endif
