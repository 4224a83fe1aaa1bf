#include "engine/ipv4.h"

#include "common/ansi_text.h"

namespace tarnwick {

bool IsPrivateAddress(const Ipv4Address& address) {
  const auto& o = address.octets;
  return o[0] == 10 || (o[0] == 172 && o[1] >= 16 && o[1] <= 31) || (o[0] == 192 && o[1] == 168);
}

std::string FormatEndpoint(const Ipv4Endpoint& endpoint) {
  const auto& o = endpoint.address.octets;
  return Format("%u.%u.%u.%u:%u", o[0], o[1], o[2], o[3], static_cast<unsigned>(endpoint.port));
}

}  // namespace tarnwick
