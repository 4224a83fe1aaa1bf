// IPv4 endpoints as the demo server keeps them (address and port in host byte order), and the one
// rule that guards every socket operation of the server: it binds to, answers and streams its log
// to loopback addresses (127.0.0.0/8) only.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_ENDPOINT_H
#define TARNWICK_TOOLS_DEMO_SERVER_ENDPOINT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::demo {

constexpr uint32_t kLoopbackAddress = 0x7F000001u;  // 127.0.0.1

struct Endpoint {
  uint32_t address = 0;  // host byte order
  uint16_t port = 0;     // host byte order
  friend bool operator==(const Endpoint&, const Endpoint&) = default;
};

// True for 127.0.0.0/8 and nothing else.
bool IsLoopbackAddress(uint32_t address);

// Reads a dotted IPv4 address of exactly four decimal parts 0-255; nothing else is accepted.
std::optional<uint32_t> ParseIpv4(std::string_view text);

// "a.b.c.d" and "a.b.c.d:port".
std::string FormatIpv4(uint32_t address);
std::string FormatEndpoint(const Endpoint& endpoint);

}  // namespace tarnwick::demo

#endif
