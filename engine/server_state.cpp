#include "engine/server_state.h"

namespace tarnwick {

void ClearServerState(ServerState& state) {
  state = ServerState();
  ResetPingStats(state);
}

void ResetPingStats(ServerState& state) {
  state.pingMin = 0xFFFFFFFFu;
  state.pingMax = 0;
  state.pingAvg = 0;
  state.pingsReceived = 0;
  state.pingsSent = 0;
}

void RecordPingReply(ServerState& state, uint32_t rtt) {
  if (state.pingMin > rtt) state.pingMin = rtt;
  if (state.pingMax < rtt) state.pingMax = rtt;
  const uint32_t n = state.pingsReceived;
  if (n + 1 == 0) return;  // the counter is full: the figures stop rather than divide by zero
  state.pingAvg = (state.pingAvg * n + rtt) / (n + 1);
  state.pingsReceived = n + 1;
}

}  // namespace tarnwick
