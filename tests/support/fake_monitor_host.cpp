#include "tests/support/fake_monitor_host.h"

namespace tarnwick::testing {

LookupTask FakeMonitorHost::StartLookup(const std::string& host) {
  lookups.push_back(host);
  if (!lookupStarts) return 0;
  return nextTask++;
}

bool FakeMonitorHost::OpenSocket(const Ipv4Endpoint& server, uint16_t& port) {
  if (!socketOpens) return false;
  socketServer = server;
  ++socketsOpened;
  port = localPort;
  return true;
}

}  // namespace tarnwick::testing
