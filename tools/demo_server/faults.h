// The last stage a reply passes before it is queued: the fault modes that make the demo server an
// unreliable network peer on purpose (dropped, late, cut, junk in between, sent from another port).
#ifndef TARNWICK_TOOLS_DEMO_SERVER_FAULTS_H
#define TARNWICK_TOOLS_DEMO_SERVER_FAULTS_H

#include <cstdint>
#include <random>
#include <vector>

#include "tools/demo_server/byte_writer.h"
#include "tools/demo_server/demo_config.h"
#include "tools/demo_server/endpoint.h"

namespace tarnwick::demo {

// One datagram for the socket loop to send at `send_at_ms` (server clock) to `destination`, from
// the server's own socket or, with `from_alternate`, from its second socket on another port.
struct Outgoing {
  Endpoint destination;
  Datagram bytes;
  bool from_alternate = false;
  int64_t send_at_ms = 0;
};

class FaultStage {
 public:
  FaultStage(const FaultModes& faults, uint32_t seed) : faults_(faults), random_(seed) {}

  // Queues one reply datagram with the faults applied. `forged` (may be null) is what the other
  // port sends in kAlso mode instead of a plain copy of the reply.
  void Deliver(Datagram reply, const Datagram* forged, const Endpoint& destination, int64_t now_ms,
               std::vector<Outgoing>* out);

 private:
  Datagram Garbage(int kind, const Datagram& reply);

  FaultModes faults_;
  std::mt19937 random_;
  uint64_t replies_ = 0;
};

}  // namespace tarnwick::demo

#endif
