// MonitorEvents: what the server monitor tells its window, each event with the facts it announces,
// and the two questions about the window it asks. The main window implements it and maps what
// happened to its strings, icons and commands; tests record it. Calls come on the window's thread,
// from inside the monitor: a handler may call the monitor again (a modal box it opens lets further
// replies and ticks in), and the state it is given is the monitor's own, current when read.
#ifndef TARNWICK_ENGINE_MONITOR_EVENTS_H
#define TARNWICK_ENGINE_MONITOR_EVENTS_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/query_session.h"
#include "engine/reply_readers.h"
#include "engine/server_state.h"

namespace tarnwick {

enum class ConnectionState : uint8_t { NotConnected, Connecting, Connected };

struct ConnectionReport {
  ConnectionState state = ConnectionState::NotConnected;
  std::string host;  // as the user gave it; empty once not connected
  uint16_t port = 0;
  uint16_t localPort = 0;        // Connected: the socket's own port (the server log goes there)
  bool serverIsPrivate = false;  // Connected: the server is in a private address range
  bool operator==(const ConnectionReport&) const = default;
};

// What the user is told in a message box.
enum class MonitorMessage : uint8_t {
  NoServerGiven,
  AutoDisconnectTurnedOff,  // Connect while the game runs (told only while the window is shown)
  CantConnect,              // formatted with the host
  ConnectionLost,           // formatted with the host: the server's host says nothing listens
};

class MonitorEvents {
 public:
  virtual ~MonitorEvents() = default;

  // Connecting: the lookup started. Connected: the socket is open, the first requests went out
  // and the timers run. NotConnected: everything is stopped and `state` is cleared (the player
  // list, the autojoin arming and every connection command go with it).
  virtual void ConnectionChanged(const ConnectionReport& report, const ServerState& state) = 0;
  virtual void Message(MonitorMessage message, const std::string& host) = 0;
  // Connect or Clone with a connection open: `serverText` goes to a new window.
  virtual void NewWindowWanted(const std::string& serverText) = 0;
  // An information or details reply was read into `state`.
  virtual void ServerInfoChanged(const ServerState& state) = 0;
  // A ping reply came after `rtt` milliseconds; `state` holds the figures it was counted into.
  virtual void PingAnswered(uint32_t rtt, const ServerState& state) = 0;
  virtual void PlayersChanged(const std::vector<PlayerRow>& rows) = 0;
  // A rules reply; nothing for an empty body (ReadRules).
  virtual void RulesChanged(const std::optional<std::vector<RuleRow>>& rows) = 0;
  // A print reply's text; `serverLogLine` when it came as a server log line ("log " taken off).
  virtual void ConsoleText(const std::string& text, bool serverLogLine) = 0;
  // The server answered "challenge rcon" with this number.
  virtual void RconChallenge(uint32_t challenge) = 0;
  // What the server has shown of itself changed (after a datagram was handled).
  virtual void ServerKindChanged(ServerKind kind) = 0;
  virtual void FlashStep() = 0;
  // The server stopped answering (false) or answers again (true). It stops when the host refused
  // a query and the window keeps watching (below), or when three queries of kinds it has answered
  // before went out with no reply over at least 30 s; any datagram from it is an answer again.
  virtual void ServerAnswering(bool answering) = 0;

  // ---- Questions
  virtual bool IsWindowShown() = 0;
  virtual bool IsGameRunning() = 0;
  // Whether the player list is wanted while the window is in the tray (a player's join or leave
  // would be told there).
  virtual bool WantsPlayersInTray() { return false; }
  // Whether the host's refusal keeps the connection open, so that the window learns when the
  // server answers again; otherwise the connection ends with ConnectionLost.
  virtual bool KeepsWatchingRefusedServer() { return false; }
};

}  // namespace tarnwick

#endif
