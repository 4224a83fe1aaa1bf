// A server monitor on a recording host for the monitor's tests: it connects to 127.0.0.2, hands
// the monitor datagrams as the socket would, and lists the requests it sent as short texts.
#ifndef TARNWICK_TESTS_ENGINE_MONITOR_FIXTURE_H
#define TARNWICK_TESTS_ENGINE_MONITOR_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/server_monitor.h"
#include "tests/support/byte_builder.h"
#include "tests/support/fake_monitor_host.h"

namespace tarnwick::testing {

inline const Ipv4Address kServer = {{127, 0, 0, 2}};

// A request as a short text: a text query as itself, "T" or "T:<challenge>", "U:<challenge>" and
// "V:<challenge>" (the challenge signed, so asking for one reads -1). The wire format tests check
// the bytes of the binary queries.
inline std::string Describe(const std::vector<uint8_t>& d) {
  const auto number = [&](size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4 && at + i < d.size(); ++i) value |= uint32_t{d[at + i]} << (8 * i);
    return std::to_string(static_cast<int32_t>(value));
  };
  constexpr size_t kInfoQuerySize = 5 + sizeof("Source Engine Query");
  switch (d[4]) {
    case 'T': return d.size() == kInfoQuerySize ? "T" : "T:" + number(kInfoQuerySize);
    case 'U':
    case 'V': return std::string(1, static_cast<char>(d[4])) + ":" + number(5);
    default: return std::string(d.begin() + 4, d.end() - 1);
  }
}

inline std::vector<uint8_t> PingReply() { return ByteBuilder().Prefix().Str("j").Bytes(); }

struct MonitorRig {
  Settings settings;
  FakeMonitorHost host;
  ServerMonitor monitor{host, settings};
  size_t mark = 0;

  // Connects; the lookup answers kServer.
  void ConnectTo(const std::string& text = "alpha.example:27016") {
    monitor.Connect(text, false);
    monitor.OnLookupDone(host.nextTask - 1, 0);
  }
  // A read of `datagram` from `from` (the server when its port is 0) that gave `error`.
  void Receive(const std::vector<uint8_t>& datagram, Ipv4Endpoint from = {}, int error = 0) {
    ReceiveResult result;
    result.error = error;
    result.from = from.port != 0 ? from : monitor.ServerAddress();
    result.data = datagram.data();
    result.length = datagram.size();
    monitor.OnReceive(result);
  }
  void Tick(TimerId id) { monitor.OnTimer(static_cast<uint32_t>(id)); }
  // The requests sent since the last call.
  std::vector<std::string> Sent() {
    std::vector<std::string> texts;
    for (; mark < host.sent.size(); ++mark) texts.push_back(Describe(host.sent[mark]));
    return texts;
  }
};

class MonitorTest : public ::testing::Test, public MonitorRig {};

}  // namespace tarnwick::testing

#endif
