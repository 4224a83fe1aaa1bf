#include "tools/demo_server/faults.h"

#include <algorithm>

namespace tarnwick::demo {

namespace {

// Up to 48 random bytes after either the 0xFF prefix and a type letter no reply uses, or one
// byte that is never 0xFF, so the datagram cannot pass for a reply.
Datagram RandomJunk(bool prefixed, std::mt19937& random) {
  std::uniform_int_distribution<int> byte(0, 255);
  ByteWriter writer;
  if (prefixed) {
    writer.Prefix().Byte('z');
  } else {
    writer.Byte(static_cast<uint8_t>(byte(random) % 0xFF));
  }
  const int length = std::uniform_int_distribution<int>(1, 48)(random);
  for (int i = 0; i < length; ++i) writer.Byte(static_cast<uint8_t>(byte(random)));
  return writer.Take();
}

}  // namespace

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
  if (kind == 1 && reply.size() > 4) return Datagram(reply.begin() + 4, reply.end());
  return RandomJunk(kind == 2, random_);
}

FloodStage::FloodStage(const FaultModes& faults, uint32_t seed)
    : per_second_(std::max(faults.flood_per_second, 0)),
      after_ms_(static_cast<int64_t>(std::max(faults.flood_after_seconds, 0)) * 1000),
      total_(static_cast<uint64_t>(per_second_) *
             static_cast<uint64_t>(std::max(faults.flood_seconds, 0))),
      random_(seed) {}

void FloodStage::NoteRequest(const Endpoint& source, int64_t now_ms) {
  if (per_second_ == 0 || start_ms_ >= 0 || !IsLoopbackAddress(source.address)) return;
  target_ = source;
  start_ms_ = now_ms + after_ms_;
}

// Datagram n (from 0) is due at start + n / rate seconds: the count by a time never runs ahead of
// the rate, and a Poll that comes late sends what was missed.
uint64_t FloodStage::DueBy(int64_t now_ms) const {
  if (start_ms_ < 0 || now_ms < start_ms_) return 0;
  const uint64_t elapsed = static_cast<uint64_t>(now_ms - start_ms_);
  return std::min(total_, elapsed * static_cast<uint64_t>(per_second_) / 1000 + 1);
}

void FloodStage::Poll(int64_t now_ms, std::vector<Outgoing>* out) {
  for (const uint64_t due = DueBy(now_ms); sent_ < due; ++sent_) {
    out->push_back({target_, Junk(), false, now_ms});
  }
}

int64_t FloodStage::NextAt() const {
  if (start_ms_ < 0 || sent_ >= total_) return kNever;
  // The first millisecond at which datagram number sent_ is due.
  const uint64_t per_second = static_cast<uint64_t>(per_second_);
  return start_ms_ + static_cast<int64_t>((sent_ * 1000 + per_second - 1) / per_second);
}

FloodStage::Phase FloodStage::PhaseAt(int64_t now_ms) const {
  if (total_ == 0) return Phase::kOff;
  if (start_ms_ < 0 || now_ms < start_ms_) return Phase::kWaiting;
  return sent_ < total_ ? Phase::kRunning : Phase::kDone;
}

Datagram FloodStage::Junk() { return RandomJunk(sent_ % 2 == 1, random_); }

}  // namespace tarnwick::demo
