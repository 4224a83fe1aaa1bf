#include "rcon/host_addresses_win.h"

#include <cstring>

#include "common/win32.h"

namespace tarnwick {
namespace {

HostAddressSource& InstalledSource() {
  static HostAddressSource source;
  return source;
}

}  // namespace

std::vector<Ipv4Address> LookUpHostAddresses() {
  char name[260] = {};
  if (gethostname(name, sizeof(name) - 1) != 0) return {};
  const hostent* host = gethostbyname(name);
  if (host == nullptr || host->h_addrtype != AF_INET || host->h_length != 4) return {};
  std::vector<Ipv4Address> addresses;
  for (char** entry = host->h_addr_list; *entry != nullptr; ++entry) {
    Ipv4Address address;
    std::memcpy(address.octets.data(), *entry, address.octets.size());
    addresses.push_back(address);
  }
  return addresses;
}

std::vector<Ipv4Address> HostAddresses() {
  const HostAddressSource& source = InstalledSource();
  return source ? source() : LookUpHostAddresses();
}

void SetHostAddressSource(HostAddressSource source) { InstalledSource() = std::move(source); }

}  // namespace tarnwick
