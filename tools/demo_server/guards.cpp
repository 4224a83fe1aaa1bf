#include "tools/demo_server/guards.h"

#include <algorithm>

namespace tarnwick::demo {
namespace {

// How many replaced rcon challenges an address keeps being told are stale rather than unknown.
constexpr size_t kRememberedRconChallenges = 16;

}  // namespace

uint32_t ChallengeSource::Next() {
  uint32_t value = 0;
  while (value == 0 || value == 0xFFFFFFFFu) value = static_cast<uint32_t>(random_());
  return value;
}

uint32_t QueryChallenges::For(uint32_t address) {
  auto found = challenges_.find(address);
  if (found == challenges_.end()) found = challenges_.emplace(address, source_->Next()).first;
  return found->second;
}

uint32_t RconChallenges::Issue(uint32_t address, int64_t now_ms) {
  Entry& entry = entries_[address];
  if (entry.current_valid) {
    entry.earlier.push_back(entry.current);
    if (entry.earlier.size() > kRememberedRconChallenges) entry.earlier.pop_front();
  }
  entry.current = source_->Next();
  entry.current_valid = true;
  entry.issued_at = now_ms;
  return entry.current;
}

RconChallenges::Check RconChallenges::Verify(uint32_t address, uint32_t challenge,
                                             int64_t now_ms) const {
  const auto found = entries_.find(address);
  if (found == entries_.end()) return Check::kUnknown;
  const Entry& entry = found->second;
  if (entry.current_valid && entry.current == challenge) {
    const bool expired = lifetime_ms_ > 0 && now_ms - entry.issued_at >= lifetime_ms_;
    return expired ? Check::kStale : Check::kGood;
  }
  const bool seen =
      std::find(entry.earlier.begin(), entry.earlier.end(), challenge) != entry.earlier.end();
  return seen ? Check::kStale : Check::kUnknown;
}

void RconChallenges::ExpireAll() {
  for (auto& [address, entry] : entries_) {
    if (!entry.current_valid) continue;
    entry.earlier.push_back(entry.current);
    if (entry.earlier.size() > kRememberedRconChallenges) entry.earlier.pop_front();
    entry.current_valid = false;
  }
}

void RconFailures::Record(uint32_t address) {
  ++total_;
  ++per_address_[address];
}

bool RconFailures::IsBanned(uint32_t address) const {
  if (ban_after_ <= 0) return false;
  const auto found = per_address_.find(address);
  return found != per_address_.end() && found->second >= ban_after_;
}

bool RateLimiter::Allow(uint32_t address, int64_t now_ms) {
  if (!limit_.enabled) return true;
  const int64_t window_ms = int64_t{limit_.window_seconds} * 1000;
  const size_t most = static_cast<size_t>(std::max(1, limit_.per_second * limit_.window_seconds));
  std::deque<int64_t>& times = accepted_[address];
  while (!times.empty() && now_ms - times.front() >= window_ms) times.pop_front();
  if (times.size() >= most) return false;
  times.push_back(now_ms);
  return true;
}

}  // namespace tarnwick::demo
