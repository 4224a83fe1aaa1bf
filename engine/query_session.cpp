#include "engine/query_session.h"

#include <algorithm>

#include "engine/byte_reader.h"
#include "engine/query_protocol.h"

namespace tarnwick {
namespace {

constexpr std::array<QueryKind, 3> kAllKinds = {QueryKind::Info, QueryKind::Players,
                                                QueryKind::Rules};

bool Any(const std::array<bool, 3>& flags) {
  return std::any_of(flags.begin(), flags.end(), [](bool f) { return f; });
}

}  // namespace

std::optional<QueryKind> QueryKindOf(std::string_view text) {
  if (text == "info" || text == "details") return QueryKind::Info;
  if (text == "players") return QueryKind::Players;
  if (text == "rules") return QueryKind::Rules;
  return std::nullopt;
}

QuerySession::Datagram QuerySession::BuildBinary(QueryKind kind) const {
  switch (kind) {
    case QueryKind::Info: return BuildSourceInfoRequest(challenge_);
    case QueryKind::Players:
      return BuildChallengedRequest(binary::kPlayers, challenge_.value_or(kAskForChallenge));
    case QueryKind::Rules:
      return BuildChallengedRequest(binary::kRules, challenge_.value_or(kAskForChallenge));
  }
  return {};
}

void QuerySession::SendBinary(QueryKind kind, std::vector<Datagram>& out) {
  out.push_back(BuildBinary(kind));
  binarySent_[Slot(kind)] = true;
  awaiting_[Slot(kind)] = Awaiting{true, challenge_};
}

void QuerySession::Answered(QueryKind kind) {
  textPending_[Slot(kind)] = false;
  awaiting_[Slot(kind)] = Awaiting();
}

void QuerySession::Become(ServerKind kind) {
  // Old and Modern are what the server has shown; nothing later changes them.
  if (kind_ == ServerKind::Unknown || kind_ == ServerKind::TextSilent) kind_ = kind;
}

std::vector<QuerySession::Datagram> QuerySession::Ask(QueryKind kind, std::string_view text) {
  std::vector<Datagram> out;
  if (kind_ != ServerKind::Modern) out.push_back(BuildRequest(text));
  if (kind_ == ServerKind::Unknown) textPending_[Slot(kind)] = true;
  if (kind_ == ServerKind::TextSilent || kind_ == ServerKind::Modern) SendBinary(kind, out);
  return out;
}

std::vector<QuerySession::Datagram> QuerySession::OnReply(uint8_t type, const uint8_t* body,
                                                          size_t length) {
  std::vector<Datagram> out;
  switch (type) {
    case reply::kPing:
      // The server answers "ping" but not the text query sent before it: likely one of today's.
      if (kind_ == ServerKind::Unknown && Any(textPending_)) {
        Become(ServerKind::TextSilent);
        for (QueryKind kind : kAllKinds) {
          if (textPending_[Slot(kind)]) SendBinary(kind, out);
        }
        textPending_ = {};
      }
      break;
    case reply::kInfo:
      Answered(QueryKind::Info);
      Become(ServerKind::Old);
      break;
    case reply::kDetails:
      detailsSeen_ = true;
      Answered(QueryKind::Info);
      if (!binarySent_[Slot(QueryKind::Info)]) Become(ServerKind::Old);
      break;
    case reply::kPlayers:
      Answered(QueryKind::Players);
      if (!binarySent_[Slot(QueryKind::Players)]) Become(ServerKind::Old);
      break;
    case reply::kRules:
      Answered(QueryKind::Rules);
      if (!binarySent_[Slot(QueryKind::Rules)]) Become(ServerKind::Old);
      break;
    case reply::kSourceInfo:
      Answered(QueryKind::Info);
      Become(ServerKind::Modern);
      break;
    case reply::kChallenge: {
      // Only an answer to a binary query of this connection; a server of the old kind gets none.
      if (length < 4 || kind_ == ServerKind::Old || !Any(binarySent_)) break;
      int32_t number = 0;
      ByteReader(body, length).ReadInt32(number);
      challenge_ = static_cast<uint32_t>(number);
      Become(ServerKind::Modern);
      for (QueryKind kind : kAllKinds) {
        Awaiting& awaiting = awaiting_[Slot(kind)];
        if (!awaiting.waiting || awaiting.sentWith == challenge_) continue;
        out.push_back(BuildBinary(kind));
        awaiting = Awaiting();
      }
      break;
    }
    default:
      break;
  }
  return out;
}

}  // namespace tarnwick
