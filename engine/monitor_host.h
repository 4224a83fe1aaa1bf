// MonitorHost: everything the server monitor needs from its window and the platform. The main
// window implements it with Winsock, window timers and its controls; tests implement it with
// recorders. All calls come on the window's own thread.
#ifndef TARNWICK_ENGINE_MONITOR_HOST_H
#define TARNWICK_ENGINE_MONITOR_HOST_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ipv4.h"
#include "engine/refresh_plan.h"
#include "engine/reply_readers.h"

namespace tarnwick {

// Names a pending name lookup; 0 is no lookup.
using LookupTask = uintptr_t;

class MonitorHost {
 public:
  virtual ~MonitorHost() = default;

  // ---- Network
  // Starts resolving `host` without blocking; the platform reports the result through
  // ServerMonitor::OnLookupDone. Returns 0 when the lookup cannot even start.
  virtual LookupTask StartLookup(const std::string& host) = 0;
  virtual void CancelLookup(LookupTask task) = 0;
  // The address the finished lookup found (the first of its host entry); nothing when the entry
  // is not an IPv4 one of 4-byte addresses. Asked only for the lookup the monitor waits for, after
  // it reported success.
  virtual std::optional<Ipv4Address> LookupAddress() = 0;
  // Closes an open socket, then creates a UDP socket bound to any local address and a port the
  // system picks, and associated with `server`, so that only the server's datagrams arrive and
  // the system reports a server host's "nothing listens here" as a receive error. False when a
  // step fails; otherwise `localPort` is the bound port.
  virtual bool OpenSocket(const Ipv4Endpoint& server, uint16_t& localPort) = 0;
  virtual void CloseSocket() = 0;
  // Errors of a send are not looked at: a request that cannot be sent is lost.
  virtual void SendDatagram(const Ipv4Endpoint& to, const std::vector<uint8_t>& datagram) = 0;
  // Has the arrival of datagrams reported to the window (which also keeps every read from
  // blocking); false when that cannot be set up.
  virtual bool RequestReadNotifications() = 0;

  // ---- Time and timers
  virtual uint32_t TickCount() = 0;
  virtual void StartTimer(TimerId id, uint32_t periodMs) = 0;
  virtual void StopTimer(TimerId id) = 0;

  // ---- The window
  virtual bool IsWindowShown() = 0;
  virtual bool IsShiftHeld() = 0;
  virtual bool IsGameRunning() = 0;
  virtual void BringToForeground() = 0;
  virtual void ShowInformation(int stringId) = 0;
  // Formats string `stringId` with `text` and shows it as an error box.
  virtual void ReportError(int stringId, const std::string& text) = 0;
  // The state pane: string and icon `stringId`, formatted with the host text and port.
  virtual void ShowState(int stringId) = 0;
  // The ping pane: a round trip in milliseconds, or the idle text when there is none.
  virtual void ShowPing(const std::string& text) = 0;
  virtual void ShowNoPing() = 0;
  // Asks the process for a new window watching `serverText` (the Clone command).
  virtual void RequestNewWindow(const std::string& serverText) = 0;
  virtual void SetCommandEnabled(int command, bool enabled) = 0;

  // ---- Views and the other parts of the window
  virtual void ClearPlayers() = 0;
  // Replaces every row by `rows` (row i gets item data i + 1) and sorts them.
  virtual void ShowPlayers(const std::vector<PlayerRow>& rows) = 0;
  virtual void RefreshCaption() = 0;
  // A connection opened: remember "host:port" in the recent servers list and the address box.
  virtual void AddRecentServer(const std::string& serverText) = 0;
  virtual void ConsoleConnected(uint16_t localPort, bool serverIsPrivate) = 0;
  virtual void ConsoleDisconnected() = 0;
  // A print reply's text; `serverLogLine` when it came as a server log line ("log " taken off),
  // else it is some command's answer or another printed message.
  virtual void AppendConsoleText(const std::string& text, bool serverLogLine) = 0;
  // The server answered "challenge rcon" with this number; the challenge form of the remote
  // console's commands ("rcon <number> <password> <command>") needs it.
  virtual void RconChallengeReceived(uint32_t challenge) = 0;
  // The latest information reply showed a free slot: autojoin decides whether to join.
  virtual void CheckAutojoin() = 0;
  virtual void DisarmAutojoin() = 0;
  // The server state changed (information reply) or the ping figures did (ping reply), for the
  // Server Info pages that are open.
  virtual void ServerInfoChanged() = 0;
  virtual void PingFiguresChanged() = 0;
  // A rules reply was stored in the window's RulesStore.
  virtual void RulesChanged() = 0;
  virtual void FlashStep() = 0;
};

}  // namespace tarnwick

#endif
