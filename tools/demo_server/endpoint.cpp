#include "tools/demo_server/endpoint.h"

#include <charconv>

#include "tools/demo_server/join_text.h"

namespace tarnwick::demo {

bool IsLoopbackAddress(uint32_t address) { return (address >> 24) == 127; }

std::optional<uint32_t> ParseIpv4(std::string_view text) {
  uint32_t address = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (text.empty() || text.front() != '.') return std::nullopt;
      text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const size_t digits = static_cast<size_t>(end - text.data());
    if (error != std::errc() || value > 255 || digits > 3) return std::nullopt;
    address = (address << 8) | value;
    text.remove_prefix(digits);
  }
  if (!text.empty()) return std::nullopt;
  return address;
}

std::string FormatIpv4(uint32_t address) {
  return Join({std::to_string(address >> 24), ".", std::to_string((address >> 16) & 0xFF), ".",
               std::to_string((address >> 8) & 0xFF), ".", std::to_string(address & 0xFF)});
}

std::string FormatEndpoint(const Endpoint& endpoint) {
  return Join({FormatIpv4(endpoint.address), ":", std::to_string(endpoint.port)});
}

}  // namespace tarnwick::demo
