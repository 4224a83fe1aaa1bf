// ServerState: what the watched server reported about itself, and the ping figures. One record per
// window, kept by its ServerMonitor and, like it, touched only on the window's thread: a plain
// value without a lock.
#ifndef TARNWICK_ENGINE_SERVER_STATE_H
#define TARNWICK_ENGINE_SERVER_STATE_H

#include <cstdint>
#include <string>

namespace tarnwick {

struct ServerState {
  std::string address;  // "a.b.c.d:port" of the connection, or what the server reports
  std::string hostName;
  std::string map;
  std::string gameDir;
  std::string gameDescription;
  int32_t players = 0;
  int32_t maxPlayers = 0;
  uint8_t protocol = 0;
  bool dedicated = false;
  uint8_t os = 0;  // 'l' Linux, 'w' Windows
  int32_t password = 0;
  uint8_t isMod = 0;
  std::string modInfoLink;
  std::string modText;  // download link from protocol 41 on, the version text before
  int32_t modVersion = 0;
  int32_t modSize = 0;

  uint32_t pingMin = 0xFFFFFFFFu;
  uint32_t pingMax = 0;
  uint32_t pingAvg = 0;
  uint32_t pingsReceived = 0;
  uint32_t pingsSent = 0;
};

// Empties every reported field and resets the ping figures.
void ClearServerState(ServerState& state);

// Minimum 0xFFFFFFFF (shown as -1), the other figures 0.
void ResetPingStats(ServerState& state);

// Counts one ping reply of `rtt` milliseconds into the figures: unsigned comparisons, and a
// running mean in unsigned 32-bit arithmetic that truncates (10 then 11 ms average to 10).
void RecordPingReply(ServerState& state, uint32_t rtt);

// True while the server has a free slot (a signed comparison, as the counts are sent signed).
inline bool HasFreeSlot(const ServerState& state) { return state.players < state.maxPlayers; }

}  // namespace tarnwick

#endif
