// The demo server's request handling, free of sockets and clocks: one received datagram, its source
// and the current time in, the datagrams to send out. The socket loop (demo_server.h) only moves
// bytes and calls Poll for the things that happen by themselves (log lines, players coming and
// going). Not thread-safe: the owner serialises calls.
//
// Classic mode answers the text queries of servers of 2001 ("ping", "info", "details", "players",
// "rules", "rcon <password> <command>"). Modern mode answers like today's servers: "ping", the
// binary 'T', 'U' and 'V' queries with their challenges, split rules replies, "challenge rcon" and
// "rcon <challenge> <password> <command>", a ban after repeated rcon failures, and an optional rate
// limit. In both modes nothing is ever sent to an address outside 127.0.0.0/8.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_RESPONDER_H
#define TARNWICK_TOOLS_DEMO_SERVER_RESPONDER_H

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/demo_server/demo_config.h"
#include "tools/demo_server/faults.h"
#include "tools/demo_server/guards.h"
#include "tools/demo_server/replies.h"

namespace tarnwick::demo {

// A datagram as it arrived, for tests that check what a client sent.
struct ReceivedRequest {
  Endpoint source;
  Datagram bytes;
  int64_t at_ms = 0;
  // The bytes after the four 0xFF bytes up to the first zero (for 'U' and 'V' that includes the
  // challenge bytes); empty when the datagram lacks the prefix.
  std::string Text() const;
};

class Responder {
 public:
  static constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

  // `own` is the server's bound address and port: it appears in the address strings, and a
  // "logaddress" to its port switches the log stream off.
  Responder(DemoConfig config, Endpoint own);

  std::vector<Outgoing> HandleDatagram(std::span<const uint8_t> datagram, const Endpoint& source,
                                       int64_t now_ms);
  // Log lines and player changes that are due at `now_ms`.
  std::vector<Outgoing> Poll(int64_t now_ms);
  // When Poll next has something to do; kNever when nothing is planned.
  int64_t NextPollAt() const;

  // Run-time changes. Players' times count from `now_ms` on; their user ids start again at 1.
  void SetPlayers(std::vector<DemoPlayer> players, int64_t now_ms);
  void SetMaxPlayers(int max_players) { config_.max_players = max_players; }
  void SetHostName(std::string name) { config_.host_name = std::move(name); }
  void SetMap(std::string map) { config_.map = std::move(map); }
  void SetPasswordFlag(bool password) { config_.password = password; }
  void SetRules(std::vector<DemoRule> rules) { config_.rules = std::move(rules); }
  // Every query and rcon challenge given out so far stops being good.
  void ExpireChallenges();

  const std::vector<ReceivedRequest>& ReceivedRequests() const { return received_; }
  int FailedRconAttempts() const { return failures_.Total(); }
  bool IsBanned(uint32_t address) const { return failures_.IsBanned(address); }
  // Where the log is streamed to: empty, or the one address the last "logaddress" named.
  std::vector<Endpoint> LogTargets() const;
  std::vector<DemoPlayer> PlayersAt(int64_t now_ms) const;
  const DemoConfig& Config() const { return config_; }

 private:
  struct LivePlayer {
    DemoPlayer player;
    int64_t since_ms = 0;
    uint32_t user_id = 0;
  };
  struct Context;

  void Record(std::span<const uint8_t> datagram, const Endpoint& source, int64_t now_ms);
  bool HandleBinary(std::span<const uint8_t> payload, Context& context);
  void HandleText(std::string_view text, Context& context);
  void HandleRcon(std::string_view text, Context& context);
  void RefuseRcon(std::string_view answer, std::string_view text, bool counts, Context& context);
  void AnswerSourceInfo(Context& context);
  void AnswerRules(Context& context);
  void Reply(Datagram reply, Context& context, const Datagram* forged = nullptr);
  void Log(std::string_view text, int64_t now_ms, std::vector<Outgoing>* out) const;
  // Replies with what `encode` makes of the server's facts; in the kAlso fault mode the other port
  // sends the same reply made with the forged host name.
  void ReplyFacts(const std::function<Datagram(const ServerFacts&)>& encode, Context& context);
  void Churn(int64_t now_ms);

  DemoConfig config_;
  Endpoint own_;
  std::vector<LivePlayer> live_;
  ChallengeSource challenge_source_;
  QueryChallenges query_challenges_;
  RconChallenges rcon_challenges_;
  RconFailures failures_;
  RateLimiter rate_limiter_;
  FaultStage fault_stage_;
  std::vector<ReceivedRequest> received_;
  std::optional<Endpoint> log_target_;
  int64_t next_log_at_ = kNever;
  uint64_t log_turn_ = 0;
  int64_t next_churn_at_ = kNever;
  uint64_t churn_turn_ = 0;
  int newcomers_ = 0;
  uint32_t next_user_id_ = 1;
  int32_t split_sequence_ = 0;
};

}  // namespace tarnwick::demo

#endif
