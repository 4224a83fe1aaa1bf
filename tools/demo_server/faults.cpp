#include "tools/demo_server/faults.h"

namespace tarnwick::demo {

void FaultStage::Deliver(Datagram reply, const Datagram* forged, const Endpoint& destination,
                         int64_t now_ms, std::vector<Outgoing>* out) {
  ++replies_;
  if (faults_.drop_every > 0 && replies_ % static_cast<uint64_t>(faults_.drop_every) == 0) return;
  const auto cut = [this](Datagram bytes) {
    if (faults_.cut_at > 0 && bytes.size() > static_cast<size_t>(faults_.cut_at)) {
      bytes.resize(static_cast<size_t>(faults_.cut_at));
    }
    return bytes;
  };
  const int64_t send_at = now_ms + (faults_.delay_ms > 0 ? faults_.delay_ms : 0);
  for (int i = 0; i < faults_.garbage_per_reply; ++i) {
    out->push_back({destination, Garbage(i % 3, reply), false, send_at});
  }
  switch (faults_.alternate) {
    case AlternateSource::kOff:
      out->push_back({destination, cut(std::move(reply)), false, send_at});
      break;
    case AlternateSource::kOnly:
      out->push_back({destination, cut(std::move(reply)), true, send_at});
      break;
    case AlternateSource::kAlso:
      // The copy from the wrong port goes first, so a client that takes it is caught out.
      out->push_back({destination, cut(forged != nullptr ? *forged : reply), true, send_at});
      out->push_back({destination, cut(std::move(reply)), false, send_at});
      break;
  }
}

// Three kinds of junk by turn: random bytes that never start with the 0xFF prefix; the reply
// itself without its prefix; the prefix followed by a type letter no reply uses.
Datagram FaultStage::Garbage(int kind, const Datagram& reply) {
  std::uniform_int_distribution<int> byte(0, 255);
  if (kind == 1 && reply.size() > 4) return Datagram(reply.begin() + 4, reply.end());
  ByteWriter writer;
  if (kind == 2) {
    writer.Prefix().Byte('z');
  } else {
    writer.Byte(static_cast<uint8_t>(byte(random_) % 0xFF));
  }
  const int length = std::uniform_int_distribution<int>(1, 48)(random_);
  for (int i = 0; i < length; ++i) writer.Byte(static_cast<uint8_t>(byte(random_)));
  return writer.Take();
}

}  // namespace tarnwick::demo
