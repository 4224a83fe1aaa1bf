#include "rcon/status_reply.h"

#include <charconv>

namespace tarnwick {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

template <typename Number>
std::optional<Number> ReadNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    const size_t start = at;
    while (at < text.size() && !IsBlank(text[at])) ++at;
    if (at > start) words.push_back(text.substr(start, at - start));
  }
  return words;
}

bool IsAddress(std::string_view word) {
  if (word == "loopback") return true;
  const size_t colon = word.find(':');
  const std::string_view ip = word.substr(0, colon);
  if (colon != std::string_view::npos) {
    const std::optional<uint32_t> port = ReadNumber<uint32_t>(word.substr(colon + 1));
    if (!port || *port > 65535 || !AllDigits(word.substr(colon + 1))) return false;
  }
  int parts = 0;
  for (size_t start = 0; start <= ip.size();) {
    size_t dot = ip.find('.', start);
    if (dot == std::string_view::npos) dot = ip.size();
    const std::string_view part = ip.substr(start, dot - start);
    const std::optional<uint32_t> value = ReadNumber<uint32_t>(part);
    if (!AllDigits(part) || part.size() > 3 || !value || *value > 255) return false;
    ++parts;
    start = dot + 1;
  }
  return parts == 4;
}

// "#  name userid ...": the table's header, after which the rows start anew.
bool IsHeader(std::string_view line) {
  return !line.empty() && line.front() == '#' && line.find("userid") != std::string_view::npos &&
         line.find("name") != std::string_view::npos;
}

// "<n> users": the end of the table.
std::optional<uint32_t> UsersCount(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  if (words.size() != 2 || words[1] != "users") return std::nullopt;
  if (!AllDigits(words[0]) || words[0].size() > 6) return std::nullopt;
  return ReadNumber<uint32_t>(words[0]);
}

// A row starts "#", blanks, the row number, blanks and a double quote.
bool StartsRow(std::string_view line) {
  if (line.empty() || line.front() != '#') return false;
  size_t at = 1;
  while (at < line.size() && IsBlank(line[at])) ++at;
  const size_t digits = at;
  while (at < line.size() && IsDigit(line[at])) ++at;
  if (at == digits || at - digits > 4) return false;
  const size_t blanks = at;
  while (at < line.size() && IsBlank(line[at])) ++at;
  return at > blanks && at < line.size() && line[at] == '"';
}

std::optional<StatusPlayer> ReadRow(std::string_view line) {
  const size_t open = line.find('"');
  const size_t close = line.rfind('"');
  if (open == std::string_view::npos || close <= open) return std::nullopt;
  StatusPlayer player;
  const std::string_view name = line.substr(open + 1, close - open - 1);
  if (name.size() > kMaxStatusName) return std::nullopt;
  player.name = std::string(name);
  const std::vector<std::string_view> words = Words(line.substr(close + 1));
  if (words.size() < 2 || words[0].size() > kMaxStatusId || words[1].size() > kMaxStatusId) {
    return std::nullopt;
  }
  player.userId = std::string(words[0]);
  player.uniqueId = std::string(words[1]);
  for (size_t i = 2; i < words.size(); ++i) {
    if (const std::optional<uint32_t> seconds = ReadStatusTime(words[i])) {
      player.seconds = seconds;
      if (i > 2) player.frags = ReadNumber<int32_t>(words[i - 1]);
      break;
    }
  }
  if (words.size() > 2 && IsAddress(words.back())) player.address = std::string(words.back());
  return player;
}

}  // namespace

std::optional<uint32_t> ReadStatusTime(std::string_view text) {
  uint32_t seconds = 0;
  int fields = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t colon = text.find(':', start);
    if (colon == std::string_view::npos) colon = text.size();
    const std::string_view field = text.substr(start, colon - start);
    if (!AllDigits(field)) return std::nullopt;
    const bool first = fields == 0;
    if (first ? field.size() > 3 : field.size() != 2) return std::nullopt;
    const uint32_t value = *ReadNumber<uint32_t>(field);
    if (!first && value > 59) return std::nullopt;
    seconds = seconds * 60 + value;
    ++fields;
    start = colon + 1;
  }
  if (fields < 2 || fields > 3) return std::nullopt;
  return seconds;
}

StatusReply ReadStatusReply(std::string_view text) {
  StatusReply reply;
  bool header = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxStatusLine) {
      if (header && StartsRow(line.substr(0, 16))) reply.rowsLost = true;
      continue;
    }
    line = TrimBlanks(line);
    if (IsHeader(line)) {
      header = true;
      reply.players.clear();
      reply.rowsLost = false;
    } else if (!header) {
      continue;  // the lines about the server, or another command's answer
    } else if (const std::optional<uint32_t> users = UsersCount(line)) {
      reply.users = users;
      break;
    } else if (StartsRow(line)) {
      std::optional<StatusPlayer> player = ReadRow(line);
      if (!player || reply.players.size() >= kMaxStatusPlayers) {
        reply.rowsLost = true;
      } else {
        reply.players.push_back(std::move(*player));
      }
    }
  }
  return reply;
}

void StatusCollector::Asked(uint32_t now) {
  if (Asking(now)) return;
  pending_.clear();
  asking_ = true;
  askedAt_ = now;
}

bool StatusCollector::Received(std::string_view text, uint32_t now) {
  if (!asking_) return false;
  if (!Asking(now)) {
    asking_ = false;
    pending_.clear();
    return false;
  }
  if (pending_.size() + text.size() > kMaxStatusText) {
    // More than any table: whatever it is, its rows are not trusted.
    asking_ = false;
    pending_.clear();
    answer_ = StatusReply{};
    answer_->rowsLost = true;
    answer_->users = 0;
    answeredAt_ = now;
    return true;
  }
  pending_.append(text);
  // Only whole lines: "1 users" may still become "1 usersX" with the next piece.
  const size_t lineEnd = pending_.rfind('\n');
  if (lineEnd == std::string::npos) return false;
  StatusReply reply = ReadStatusReply(std::string_view(pending_).substr(0, lineEnd + 1));
  if (!reply.Complete()) return false;
  asking_ = false;
  pending_.clear();
  answer_ = std::move(reply);
  answeredAt_ = now;
  return true;
}

const StatusReply* StatusCollector::Fresh(uint32_t now) const {
  if (!answer_ || now - answeredAt_ >= kStatusCacheMs) return nullptr;
  return &*answer_;
}

}  // namespace tarnwick
