#include "engine/query_protocol.h"

#include <cstring>

#include "engine/byte_reader.h"

namespace tarnwick {
namespace {

void WriteLittleEndian(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> BuildRequest(std::string_view text) {
  if (text.size() > kMaxRequestText) text = text.substr(0, kMaxRequestText);
  // The text goes out as far as its first zero byte: the request is a zero-terminated string.
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  std::vector<uint8_t> datagram(4 + text.size() + 1, 0);
  std::memset(datagram.data(), 0xFF, 4);
  std::memcpy(datagram.data() + 4, text.data(), text.size());
  return datagram;
}

std::vector<uint8_t> BuildSourceInfoRequest(std::optional<uint32_t> challenge) {
  static constexpr char kQuery[] = "Source Engine Query";
  // Sized first and filled in place: growing a vector from a short braced list trips a false
  // out-of-bounds warning of GCC 12 in optimised builds.
  std::vector<uint8_t> datagram(5 + sizeof(kQuery) + (challenge ? 4 : 0), 0);
  std::memset(datagram.data(), 0xFF, 4);
  datagram[4] = binary::kInfo;
  std::memcpy(datagram.data() + 5, kQuery, sizeof(kQuery));  // with its zero
  if (challenge) WriteLittleEndian(datagram.data() + 5 + sizeof(kQuery), *challenge);
  return datagram;
}

std::vector<uint8_t> BuildChallengedRequest(uint8_t letter, uint32_t challenge) {
  std::vector<uint8_t> datagram(9, 0xFF);
  datagram[4] = letter;
  WriteLittleEndian(datagram.data() + 5, challenge);
  return datagram;
}

bool HasSplitPrefix(const uint8_t* data, size_t length) {
  if (length < 4 || data[1] != 0xFF || data[2] != 0xFF) return false;
  return (data[0] == 0xFF && data[3] == 0xFE) || (data[0] == 0xFE && data[3] == 0xFF);
}

std::optional<uint32_t> ParseRconChallenge(const uint8_t* payload, size_t length) {
  static constexpr std::string_view kLead = "challenge rcon ";
  std::string text;
  ByteReader(payload, length).ReadString(text);
  std::string_view rest = text;
  if (rest.substr(0, kLead.size()) != kLead) return std::nullopt;
  rest.remove_prefix(kLead.size());
  uint64_t number = 0;
  size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
    number = number * 10 + static_cast<uint64_t>(rest[digits] - '0');
    if (number > 0xFFFFFFFFu) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  for (char c : rest.substr(digits)) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return std::nullopt;
  }
  return static_cast<uint32_t>(number);
}

bool HasReplyPrefix(const uint8_t* data, size_t length) {
  return length >= 4 && data[0] == 0xFF && data[1] == 0xFF && data[2] == 0xFF && data[3] == 0xFF;
}

bool IsServerLogLine(const uint8_t* payload, size_t length) {
  return length > 4 && std::memcmp(payload, "log ", 4) == 0;
}

std::string PrintReplyText(const uint8_t* payload, size_t length) {
  ByteReader reader(payload, length);
  reader.Skip(IsServerLogLine(payload, length) ? 4 : 1);
  std::string text;
  reader.ReadString(text);
  return text;
}

}  // namespace tarnwick
