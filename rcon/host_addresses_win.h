// This host's IPv4 addresses, from which the remote console picks the address it announces for the
// server's log. They come through a replaceable source so that tests can give loopback addresses
// (and the program never announces an address a test did not choose).
#ifndef TARNWICK_RCON_HOST_ADDRESSES_WIN_H
#define TARNWICK_RCON_HOST_ADDRESSES_WIN_H

#include <functional>
#include <vector>

#include "engine/ipv4.h"

namespace tarnwick {

using HostAddressSource = std::function<std::vector<Ipv4Address>()>;

// The addresses of this host's name (gethostname, gethostbyname) in the order the lookup lists
// them; empty when either call fails. Needs Windows Sockets to be started.
std::vector<Ipv4Address> LookUpHostAddresses();

// The addresses from the installed source, or from LookUpHostAddresses without one.
std::vector<Ipv4Address> HostAddresses();

// Installs a process-wide source (tests only); an empty function restores the lookup.
void SetHostAddressSource(HostAddressSource source);

}  // namespace tarnwick

#endif
