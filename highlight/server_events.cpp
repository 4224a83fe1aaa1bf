// Server events from two successive states.
#include "highlight/server_events.h"

namespace tarnwick {

ServerEvents DetectServerEvents(const ServerSnapshot& before, const ServerSnapshot& after,
                                const NotifyOptions& options) {
  ServerEvents events;
  if (!before.known || !after.known) return events;
  const bool bothReachable = before.reachable && after.reachable;
  events.connectionLost = options.serverDown && before.reachable && !after.reachable;
  events.connectionBack = options.serverDown && !before.reachable && after.reachable;
  const bool wasFull = before.maxPlayers > 0 && before.players >= before.maxPlayers;
  events.slotFreed = options.freeSlot && bothReachable && wasFull && after.players >= 0 &&
                     after.players < after.maxPlayers;
  events.mapChanged =
      options.mapChange && after.reachable && !before.map.empty() &&
                      !after.map.empty() && after.map != before.map;
  return events;
}

}  // namespace tarnwick
