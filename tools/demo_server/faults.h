// The last stage a reply passes before it is queued: the fault modes that make the demo server an
// unreliable network peer on purpose (dropped, late, cut, junk in between, sent from another port),
// and the flood of junk that a hostile server sends without being asked.
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

// The flood fault: junk datagrams at a steady rate to the first address that sent the server
// anything, from the server's own socket, starting `flood_after_seconds` after that first request
// and lasting `flood_seconds`. Half of the junk is random bytes without the 0xFF prefix, half the
// prefix with a type letter no reply uses, so a client both rejects and dispatches it.
class FloodStage {
 public:
  enum class Phase { kOff, kWaiting, kRunning, kDone };
  static constexpr int64_t kNever = INT64_MAX;

  FloodStage(const FaultModes& faults, uint32_t seed);

  // The first request fixes the target and the clock; later ones change nothing.
  void NoteRequest(const Endpoint& source, int64_t now_ms);
  // Appends the junk due by `now_ms` (all of it: a late call catches up).
  void Poll(int64_t now_ms, std::vector<Outgoing>* out);
  // When Poll next has something to send; kNever before the first request and after the end.
  int64_t NextAt() const;
  Phase PhaseAt(int64_t now_ms) const;
  uint64_t Sent() const { return sent_; }

 private:
  uint64_t DueBy(int64_t now_ms) const;
  Datagram Junk();

  int per_second_;
  int64_t after_ms_;
  uint64_t total_;
  std::mt19937 random_;
  Endpoint target_;
  int64_t start_ms_ = -1;  // -1 until the first request
  uint64_t sent_ = 0;
};

}  // namespace tarnwick::demo

#endif
