// Feeds random datagrams to everything that reads server replies: the readers on their own, and a
// connected monitor that receives the datagram from its server.
#include <cstddef>
#include <cstdint>

#include "engine/reply_readers.h"
#include "engine/server_monitor.h"
#include "tests/support/fake_monitor_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarnwick;
  ServerState state;
  ReadServerInfo(data, size, state);
  ReadPlayers(data, size);

  testing::FakeMonitorHost host;
  Settings settings;
  ServerMonitor monitor(host, settings);
  monitor.Connect("127.0.0.1:27015", false);
  monitor.OnLookupDone(host.nextTask - 1, 0, Ipv4Address{{127, 0, 0, 1}});
  ReceiveResult result;
  result.from = monitor.ServerAddress();
  result.data = data;
  result.length = size;
  monitor.OnReceive(result);
  return 0;
}
