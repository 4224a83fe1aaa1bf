// A started DemoServer over real loopback UDP sockets: the thread, the socket loop, the second
// socket, delays and the flood, as a client on this machine sees them. (Its log stream reaches the
// remote console's Wine tests through the program's own socket.)
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;
using std::chrono::milliseconds;

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(kLoopbackAddress);
  address.sin_port = htons(port);
  return address;
}

// A client socket on 127.0.0.1 that only ever sends to 127.0.0.1.
struct Client {
  Client() {
    const sockaddr_in local = Loopback(0);
    bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof(local));
  }
  ~Client() { close(fd); }
  Client(const Client&) = delete;

  void Send(uint16_t to_port, const Bytes& datagram) {
    const sockaddr_in to = Loopback(to_port);
    sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to),
           sizeof(to));
  }
  // The next datagram within the time-out (empty when none came) and the port it came from.
  Bytes Receive(uint16_t* from_port, int timeout_ms = 5000) {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, timeout_ms) <= 0) return {};
    Bytes buffer(65536);
    sockaddr_in from{};
    socklen_t length = sizeof(from);
    const ssize_t size =
        recvfrom(fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
    buffer.resize(size > 0 ? static_cast<size_t>(size) : 0);
    *from_port = ntohs(from.sin_port);
    return buffer;
  }

  int fd = socket(AF_INET, SOCK_DGRAM, 0);
};

// One request to a server with three faults on: the reply comes late, from both sockets, and a
// second after the request the flood begins: unasked junk from the server's own port, exactly rate
// times span datagrams.
TEST(DemoServerUdp, SendsLateFromBothSocketsThenFloodsTheAsker) {
  DemoConfig config;
  config.faults.alternate = AlternateSource::kAlso;
  config.faults.delay_ms = 200;
  config.faults.flood_per_second = 2000;
  config.faults.flood_after_seconds = 1;
  config.faults.flood_seconds = 1;
  DemoServer server(config);
  ASSERT_TRUE(server.Start());
  ASSERT_NE(server.AlternatePort(), 0);
  ASSERT_NE(server.AlternatePort(), server.Port());
  EXPECT_EQ(server.FloodPhase(), FloodStage::Phase::kWaiting);
  Client client;
  const auto sent = std::chrono::steady_clock::now();
  client.Send(server.Port(), Request("info"));
  // The two sockets send at the same moment: either may arrive first.
  Bytes forged;
  Bytes real;
  for (int i = 0; i < 2; ++i) {
    uint16_t from_port = 0;
    Bytes reply = client.Receive(&from_port);
    ASSERT_TRUE(from_port == server.Port() || from_port == server.AlternatePort()) << from_port;
    (from_port == server.Port() ? real : forged) = std::move(reply);
  }
  EXPECT_GE(std::chrono::steady_clock::now() - sent, milliseconds(200));
  EXPECT_NE(std::string(forged.begin(), forged.end()).find("Forged reply"), std::string::npos);
  // The reply carries the port the server was given, not the 0 it asked for.
  const Bytes address = Cat({kPrefix, B({'C'}), Z("127.0.0.1:" + std::to_string(server.Port()))});
  EXPECT_EQ(Bytes(real.begin(), real.begin() + std::min(real.size(), address.size())), address);

  int junk = 0;
  for (;;) {
    uint16_t from_port = 0;
    const Bytes datagram = client.Receive(&from_port, 1000);
    if (datagram.empty()) break;
    ASSERT_EQ(from_port, server.Port());
    ++junk;
  }
  EXPECT_EQ(server.FloodPhase(), FloodStage::Phase::kDone);
  EXPECT_EQ(server.FloodSent(), 2000u);
  // A loaded machine may drop some on the way in; most arrive.
  EXPECT_GT(junk, 1000);
  EXPECT_LE(junk, 2000);
}

}  // namespace
}  // namespace tarnwick::demo
