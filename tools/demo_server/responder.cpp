#include "tools/demo_server/responder.h"

#include <algorithm>
#include <cstring>

#include "tools/demo_server/join_text.h"
#include "tools/demo_server/rcon_commands.h"

namespace tarnwick::demo {
namespace {

// The oldest records are dropped past this many, so a long run does not grow without bound.
constexpr size_t kMaxRecorded = 20000;
constexpr size_t kLargestDatagram = 65000;
constexpr char kSourceQuery[] =
    "Source Engine Query";  // the terminating zero is part of the request

uint32_t ReadUint32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

std::string_view FirstWord(std::string_view text, std::string_view* rest = nullptr) {
  const size_t start = std::min(text.find_first_not_of(" \t\r\n"), text.size());
  text.remove_prefix(start);
  const size_t end = std::min(text.find_first_of(" \t\r\n"), text.size());
  if (rest != nullptr) *rest = text.substr(end);
  return text.substr(0, end);
}

std::string_view TrimLineEnd(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

struct Responder::Context {
  Endpoint source;
  int64_t now_ms;
  std::vector<Outgoing>* out;
  std::vector<DemoPlayer> players;
};

std::string ReceivedRequest::Text() const {
  if (bytes.size() < 4 ||
      !std::all_of(bytes.begin(), bytes.begin() + 4, [](uint8_t b) { return b == 0xFF; })) {
    return {};
  }
  const auto end = std::find(bytes.begin() + 4, bytes.end(), uint8_t{0});
  return std::string(bytes.begin() + 4, end);
}

Responder::Responder(DemoConfig config, Endpoint own)
    : config_(std::move(config)),
      own_(own),
      challenge_source_(config_.seed),
      query_challenges_(&challenge_source_),
      rcon_challenges_(&challenge_source_, config_.modern_options.rcon_challenge_lifetime_ms),
      failures_(config_.modern ? config_.modern_options.ban_after_failures : 0),
      rate_limiter_(config_.rate_limit),
      fault_stage_(config_.faults, config_.seed + 1) {
  SetPlayers(config_.players, 0);
  if (config_.faults.churn_seconds > 0)
    next_churn_at_ = int64_t{config_.faults.churn_seconds} * 1000;
}

void Responder::SetPlayers(std::vector<DemoPlayer> players, int64_t now_ms) {
  live_.clear();
  next_user_id_ = 1;
  for (DemoPlayer& player : players) live_.push_back({std::move(player), now_ms, next_user_id_++});
}

std::vector<DemoPlayer> Responder::PlayersAt(int64_t now_ms) const {
  std::vector<DemoPlayer> players;
  for (const LivePlayer& live : live_) {
    DemoPlayer player = live.player;
    player.seconds += static_cast<float>(std::max<int64_t>(0, now_ms - live.since_ms)) / 1000.0f;
    players.push_back(std::move(player));
  }
  return players;
}

std::vector<Endpoint> Responder::LogTargets() const {
  if (!log_target_) return {};
  return {*log_target_};
}

void Responder::ExpireChallenges() {
  query_challenges_.Forget();
  rcon_challenges_.ExpireAll();
}

void Responder::Record(std::span<const uint8_t> datagram, const Endpoint& source, int64_t now_ms) {
  if (received_.size() >= kMaxRecorded)
    received_.erase(received_.begin(), received_.begin() + kMaxRecorded / 10);
  received_.push_back({source, Datagram(datagram.begin(), datagram.end()), now_ms});
}

std::vector<Outgoing> Responder::HandleDatagram(std::span<const uint8_t> datagram,
                                                const Endpoint& source, int64_t now_ms) {
  Record(datagram, source, now_ms);
  std::vector<Outgoing> out;
  if (!IsLoopbackAddress(source.address) || failures_.IsBanned(source.address)) return out;
  if (!rate_limiter_.Allow(source.address, now_ms)) return out;
  if (datagram.size() < 5 || ReadUint32(datagram, 0) != 0xFFFFFFFFu) return out;
  Context context{source, now_ms, &out, PlayersAt(now_ms)};
  const std::span<const uint8_t> payload = datagram.subspan(4);
  if (config_.modern && HandleBinary(payload, context)) return out;
  const auto zero = std::find(payload.begin(), payload.end(), uint8_t{0});
  HandleText(std::string_view(reinterpret_cast<const char*>(payload.data()),
                              static_cast<size_t>(zero - payload.begin())),
             context);
  return out;
}

bool Responder::HandleBinary(std::span<const uint8_t> payload, Context& context) {
  const uint8_t type = payload[0];
  if (type == 'T') {
    const size_t query_size = sizeof(kSourceQuery);
    if (payload.size() < 1 + query_size ||
        std::memcmp(payload.data() + 1, kSourceQuery, query_size) != 0) {
      return false;
    }
    if (config_.modern_options.challenge_info) {
      const uint32_t wanted = query_challenges_.For(context.source.address);
      const size_t at = 1 + query_size;
      if (payload.size() < at + 4 || ReadUint32(payload, at) != wanted) {
        Reply(EncodeChallenge(wanted), context);
        return true;
      }
    }
    AnswerSourceInfo(context);
    return true;
  }
  if (type != 'U' && type != 'V') return false;
  const uint32_t wanted = query_challenges_.For(context.source.address);
  if (payload.size() < 5 || ReadUint32(payload, 1) != wanted) {
    Reply(EncodeChallenge(wanted), context);
  } else if (type == 'U') {
    Reply(EncodePlayers(context.players, true), context);
  } else {
    AnswerRules(context);
  }
  return true;
}

void Responder::AnswerSourceInfo(Context& context) {
  const ModernInfoReply kind = config_.modern_options.info_reply;
  if (kind != ModernInfoReply::kInfo) {
    ReplyFacts([](const ServerFacts& facts) { return EncodeDetails(facts, 47); }, context);
  }
  if (kind != ModernInfoReply::kDetails) ReplyFacts(EncodeSourceInfo, context);
}

void Responder::AnswerRules(Context& context) {
  const ModernOptions& options = config_.modern_options;
  const size_t limit = static_cast<size_t>(std::max(options.split_limit, 0));
  if (limit <= kSplitHeaderSize) return;
  const size_t most = std::min(static_cast<size_t>(std::max(options.split_max_total, 0)),
                               kMaxSplitPieces * (limit - kSplitHeaderSize));
  const Datagram whole = EncodeRules(config_.rules, most);
  const int32_t sequence = ++split_sequence_;
  for (Datagram& piece : SplitReply(whole, sequence, limit)) Reply(std::move(piece), context);
}

void Responder::HandleText(std::string_view text, Context& context) {
  std::string_view rest;
  const std::string_view word = FirstWord(text, &rest);
  if (word == "ping") {
    Reply(EncodePing(), context);
  } else if (word == "rcon") {
    HandleRcon(text, context);
  } else if (config_.modern) {
    if (word == "challenge" && FirstWord(rest) == "rcon") {
      const uint32_t challenge = rcon_challenges_.Issue(context.source.address, context.now_ms);
      Reply(EncodeText(Join({"challenge rcon ", std::to_string(challenge), "\n"})), context);
    }
  } else if (word == "info") {
    ReplyFacts(EncodeInfo, context);
  } else if (word == "details") {
    const int protocol = config_.protocol;
    ReplyFacts([protocol](const ServerFacts& facts) { return EncodeDetails(facts, protocol); },
               context);
  } else if (word == "players") {
    Reply(EncodePlayers(context.players, false), context);
  } else if (word == "rules") {
    Reply(EncodeRules(config_.rules, kLargestDatagram), context);
  }
}

void Responder::HandleRcon(std::string_view text, Context& context) {
  text = TrimLineEnd(text);
  const std::optional<RconRequest> request = ParseRconRequest(text, config_.modern);
  if (!request) return;
  constexpr std::string_view kBadChallenge = "Bad rcon_password.\nBad challenge.\n";
  if (config_.modern) {
    if (!request->has_challenge) return RefuseRcon(kBadChallenge, text, true, context);
    switch (rcon_challenges_.Verify(context.source.address, request->challenge, context.now_ms)) {
      case RconChallenges::Check::kGood:
        break;
      case RconChallenges::Check::kStale:
        return RefuseRcon(kBadChallenge, text, false, context);
      case RconChallenges::Check::kUnknown:
        return RefuseRcon(kBadChallenge, text, true, context);
    }
  }
  if (config_.rcon_password.empty() || request->password != config_.rcon_password) {
    return RefuseRcon("Bad rcon_password.\n", text, true, context);
  }
  const std::vector<DemoPlayer>& players = context.players;
  std::vector<uint32_t> user_ids;
  for (const LivePlayer& live : live_) user_ids.push_back(live.user_id);
  const ServerFacts facts{config_, players, FormatEndpoint(own_), own_.port, user_ids};
  const RconEffect effect = RunRconCommand(request->command, facts);
  for (const uint32_t dropped : effect.dropped_user_ids) {
    std::erase_if(live_, [dropped](const LivePlayer& live) { return live.user_id == dropped; });
  }
  Reply(EncodePrint(effect.answer), context);
  if (effect.log_change == RconEffect::LogChange::kStart) {
    if (!log_target_ || *log_target_ != effect.log_target) {
      next_log_at_ = context.now_ms + int64_t{config_.log_interval_seconds} * 1000;
    }
    log_target_ = effect.log_target;
  } else if (effect.log_change == RconEffect::LogChange::kStop) {
    log_target_.reset();
    next_log_at_ = kNever;
  }
  Log(Join({"Rcon: \"", text, "\" from \"", FormatEndpoint(context.source), "\""}), context.now_ms,
      context.out);
  for (const std::string& line : effect.log_texts) Log(line, context.now_ms, context.out);
}

void Responder::RefuseRcon(std::string_view answer, std::string_view text, bool counts,
                           Context& context) {
  Reply(EncodePrint(answer), context);
  Log(Join({"Bad Rcon: \"", text, "\" from \"", FormatEndpoint(context.source), "\""}),
      context.now_ms, context.out);
  // The answer to the attempt that reaches the limit still goes out; the ban starts after it.
  if (counts) failures_.Record(context.source.address);
}

void Responder::Reply(Datagram reply, Context& context, const Datagram* forged) {
  if (!IsLoopbackAddress(context.source.address)) return;
  fault_stage_.Deliver(std::move(reply), forged, context.source, context.now_ms, context.out);
}

void Responder::ReplyFacts(const std::function<Datagram(const ServerFacts&)>& encode,
                           Context& context) {
  const std::string address = FormatEndpoint(own_);
  Datagram reply = encode(ServerFacts{config_, context.players, address, own_.port});
  if (config_.faults.alternate != AlternateSource::kAlso) return Reply(std::move(reply), context);
  DemoConfig forged_config = config_;
  forged_config.host_name = config_.faults.forged_host_name;
  const Datagram forged = encode(ServerFacts{forged_config, context.players, address, own_.port});
  Reply(std::move(reply), context, &forged);
}

void Responder::Log(std::string_view text, int64_t now_ms, std::vector<Outgoing>* out) const {
  if (!log_target_ || !IsLoopbackAddress(log_target_->address)) return;
  out->push_back({*log_target_, EncodeText(LogLine(now_ms, text)), false, now_ms});
}

std::vector<Outgoing> Responder::Poll(int64_t now_ms) {
  std::vector<Outgoing> out;
  if (log_target_ && config_.log_interval_seconds > 0 && now_ms >= next_log_at_) {
    Log(PeriodicLogText(log_turn_++, PlayersAt(now_ms)), now_ms, &out);
    next_log_at_ = std::max(next_log_at_, now_ms - int64_t{config_.log_interval_seconds} * 1000) +
                   int64_t{config_.log_interval_seconds} * 1000;
  }
  if (config_.faults.churn_seconds > 0 && now_ms >= next_churn_at_) {
    Churn(now_ms);
    const int64_t period = int64_t{config_.faults.churn_seconds} * 1000;
    next_churn_at_ = std::max(next_churn_at_, now_ms - period) + period;
  }
  return out;
}

int64_t Responder::NextPollAt() const {
  const bool logging = log_target_ && config_.log_interval_seconds > 0;
  return std::min(logging ? next_log_at_ : kNever, next_churn_at_);
}

// Players join and leave by turn, so the count moves between two values and a full server gets
// a free slot now and then.
void Responder::Churn(int64_t now_ms) {
  if (config_.max_players <= 0) return;
  bool join = churn_turn_++ % 2 == 0;
  if (live_.size() >= static_cast<size_t>(config_.max_players)) join = false;
  if (live_.empty()) join = true;
  if (join) {
    live_.push_back(
        {{Join({"Newcomer ", std::to_string(++newcomers_)}), 0, 0.0f}, now_ms, next_user_id_++});
  } else {
    live_.pop_back();
  }
}

}  // namespace tarnwick::demo
