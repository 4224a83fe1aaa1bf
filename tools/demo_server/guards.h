// The bookkeeping of today's servers that stands between a request and its answer: query
// challenges, rcon challenges, failed rcon attempts with their ban, and the per-address rate limit.
// Addresses are IPv4 in host byte order; times are milliseconds of the server's clock.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_GUARDS_H
#define TARNWICK_TOOLS_DEMO_SERVER_GUARDS_H

#include <cstdint>
#include <deque>
#include <map>
#include <random>

#include "tools/demo_server/demo_config.h"

namespace tarnwick::demo {

// Challenge numbers: never 0 and never 0xFFFFFFFF (the "give me one" value of the queries).
class ChallengeSource {
 public:
  explicit ChallengeSource(uint32_t seed) : random_(seed) {}
  uint32_t Next();

 private:
  std::mt19937 random_;
};

// One query challenge per address, made on first demand and kept until Forget().
class QueryChallenges {
 public:
  explicit QueryChallenges(ChallengeSource* source) : source_(source) {}
  uint32_t For(uint32_t address);
  void Forget() { challenges_.clear(); }

 private:
  ChallengeSource* source_;
  std::map<uint32_t, uint32_t> challenges_;
};

// Rcon challenges: each "challenge rcon" makes a new one for the address and turns the ones before
// it stale; a challenge also turns stale `lifetime_ms` after it was made (never when 0).
class RconChallenges {
 public:
  enum class Check { kGood, kStale, kUnknown };
  RconChallenges(ChallengeSource* source, int lifetime_ms)
      : source_(source), lifetime_ms_(lifetime_ms) {}
  uint32_t Issue(uint32_t address, int64_t now_ms);
  // kStale for a number this address was given before, kUnknown for one it never was.
  Check Verify(uint32_t address, uint32_t challenge, int64_t now_ms) const;
  void ExpireAll();

 private:
  struct Entry {
    bool current_valid = false;
    uint32_t current = 0;
    int64_t issued_at = 0;
    std::deque<uint32_t> earlier;
  };
  ChallengeSource* source_;
  int lifetime_ms_;
  std::map<uint32_t, Entry> entries_;
};

// Failed rcon attempts per address and in all; an address is banned once it reaches the limit
// (0 bans nobody).
class RconFailures {
 public:
  explicit RconFailures(int ban_after) : ban_after_(ban_after) {}
  void Record(uint32_t address);
  bool IsBanned(uint32_t address) const;
  int Total() const { return total_; }

 private:
  int ban_after_;
  int total_ = 0;
  std::map<uint32_t, int> per_address_;
};

// Lets through at most per_second * window_seconds queries from one address in any window of
// window_seconds; the rest are refused and do not count.
class RateLimiter {
 public:
  explicit RateLimiter(const RateLimit& limit) : limit_(limit) {}
  bool Allow(uint32_t address, int64_t now_ms);

 private:
  RateLimit limit_;
  std::map<uint32_t, std::deque<int64_t>> accepted_;
};

}  // namespace tarnwick::demo

#endif
