// The server events a window can notify besides watched players: a slot frees on a full server,
// the connection is lost and comes back, the map changes. Each is found by comparing two
// successive states of the server, and each is switched on or off on the Notifications page.
#ifndef TARNWICK_HIGHLIGHT_SERVER_EVENTS_H
#define TARNWICK_HIGHLIGHT_SERVER_EVENTS_H

#include <cstdint>
#include <string>

namespace tarnwick {

// The check boxes of the Notifications page.
struct NotifyOptions {
  bool watchedPlayers = true;
  bool freeSlot = true;
  bool serverDown = false;  // the connection is lost, and when it comes back
  bool mapChange = false;
};

// What the window knows of the server after an information reply, or after replies stopped.
struct ServerSnapshot {
  bool known = false;     // an information reply came since the connect
  bool reachable = true;  // false from a lost connection until replies come again
  int32_t players = 0;
  int32_t maxPlayers = 0;
  std::string map;  // as the server sent it
};

struct ServerEvents {
  bool slotFreed = false;
  bool connectionLost = false;
  bool connectionBack = false;
  bool mapChanged = false;
  bool empty() const { return !slotFreed && !connectionLost && !connectionBack && !mapChanged; }
};

// The events from `before` to `after` that `options` asks for. Nothing is found against a state
// that is not known yet (the first reply after a connect). A slot frees when the server was full
// (players at or above a maximum above 0) and now, both times reachable, has players below its
// maximum; the map changes when the server reports a map that is not empty and differs from a
// known one before (kept through a lost connection, so that a map changed while the server was
// down counts).
ServerEvents DetectServerEvents(const ServerSnapshot& before, const ServerSnapshot& after,
                                const NotifyOptions& options);

}  // namespace tarnwick

#endif
