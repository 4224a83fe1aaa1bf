// IPv4 addresses and endpoints as the engine handles them: four octets, first octet first, and a
// port in host byte order.
#ifndef TARNWICK_ENGINE_IPV4_H
#define TARNWICK_ENGINE_IPV4_H

#include <array>
#include <cstdint>
#include <string>

namespace tarnwick {

struct Ipv4Address {
  std::array<uint8_t, 4> octets = {0, 0, 0, 0};
  bool operator==(const Ipv4Address&) const = default;
};

struct Ipv4Endpoint {
  Ipv4Address address;
  uint16_t port = 0;
  bool operator==(const Ipv4Endpoint&) const = default;
};

// True for 10.0.0.0/8, 172.16.0.0/12 and 192.168.0.0/16; loopback and link-local are not private.
bool IsPrivateAddress(const Ipv4Address& address);

// "a.b.c.d:port"
std::string FormatEndpoint(const Ipv4Endpoint& endpoint);

}  // namespace tarnwick

#endif
