#include "tests/support/fake_monitor_host.h"

namespace tarnwick::testing {

std::vector<std::string> FakeMonitorHost::SentTexts() const {
  std::vector<std::string> texts;
  for (const auto& datagram : sent) {
    if (datagram.size() >= 5) {
      texts.emplace_back(datagram.begin() + 4, datagram.end() - 1);
    }
  }
  return texts;
}

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
