#include "engine/query_protocol.h"

#include <cstring>

namespace tarnwick {

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

bool HasReplyPrefix(const uint8_t* data, size_t length) {
  return length >= 4 && data[0] == 0xFF && data[1] == 0xFF && data[2] == 0xFF && data[3] == 0xFF;
}

std::string PrintReplyText(const uint8_t* payload, size_t length) {
  size_t start = 1;
  if (length > 4 && std::memcmp(payload, "log ", 4) == 0) start = 4;
  if (start >= length) return std::string();
  const auto* text = reinterpret_cast<const char*>(payload + start);
  const void* zero = std::memchr(text, 0, length - start);
  const size_t size = zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - text)
                                      : length - start;
  return std::string(text, size);
}

}  // namespace tarnwick
