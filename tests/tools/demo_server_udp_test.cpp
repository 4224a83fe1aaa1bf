// A started DemoServer over real loopback UDP sockets: the thread, the socket loop, the second
// socket, delays and the log stream, as a client on this machine sees them.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/command_line.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;
using std::chrono::milliseconds;

// A client socket on 127.0.0.1 that only ever sends to 127.0.0.1.
class Client {
 public:
  Client() : fd_(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in local = Address(0);
    bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof(local));
    socklen_t length = sizeof(local);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length);
    port_ = ntohs(local.sin_port);
  }
  ~Client() { close(fd_); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  uint16_t Port() const { return port_; }

  void Send(uint16_t port, const Bytes& datagram) {
    const sockaddr_in to = Address(port);
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to),
           sizeof(to));
  }

  struct Received {
    Bytes bytes;
    uint16_t from_port;
  };
  // The next datagram within `timeout`, or nothing.
  std::optional<Received> Receive(milliseconds timeout = milliseconds(5000)) {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return std::nullopt;
    Bytes buffer(65536);
    sockaddr_in from{};
    socklen_t length = sizeof(from);
    const ssize_t size =
        recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (size < 0) return std::nullopt;
    EXPECT_EQ(ntohl(from.sin_addr.s_addr), kLoopbackAddress);
    buffer.resize(static_cast<size_t>(size));
    return Received{buffer, ntohs(from.sin_port)};
  }

  Bytes Ask(uint16_t port, const Bytes& request) {
    Send(port, request);
    const std::optional<Received> reply = Receive();
    return reply ? reply->bytes : Bytes{};
  }

 private:
  static sockaddr_in Address(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(kLoopbackAddress);
    address.sin_port = htons(port);
    return address;
  }
  int fd_;
  uint16_t port_ = 0;
};

TEST(DemoServerUdp, AnswersQueriesAndRecordsThem) {
  DemoConfig config;
  config.players = {{"Freeman", 1, 0.0f}};
  DemoServer server(config);
  ASSERT_TRUE(server.Start());
  ASSERT_NE(server.Port(), 0);
  Client client;
  EXPECT_EQ(client.Ask(server.Port(), Request("ping")), B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));
  const Bytes details = client.Ask(server.Port(), Request("details"));
  const std::string address = "127.0.0.1:" + std::to_string(server.Port());
  ASSERT_GT(details.size(), 5 + address.size());
  EXPECT_EQ(Bytes(details.begin(), details.begin() + 5 + address.size() + 1),
            Cat({kPrefix, B({'m'}), Z(address)}));

  server.SetPlayers({});
  server.SetHostName("Changed");
  EXPECT_EQ(client.Ask(server.Port(), Request("players")), B({0xFF, 0xFF, 0xFF, 0xFF, 'D', 0}));

  ASSERT_TRUE(server.WaitForRequests(3, milliseconds(5000)));
  const auto received = server.ReceivedRequests();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].Text(), "ping");
  EXPECT_EQ(received[1].Text(), "details");
  EXPECT_EQ(received[2].source, (Endpoint{kLoopbackAddress, client.Port()}));
  server.Stop();
  server.Stop();
  EXPECT_EQ(server.ReceivedRequests().size(), 3u);
}

TEST(DemoServerUdp, StreamsTheLogToTheNamedPort) {
  DemoConfig config;
  config.log_interval_seconds = 1;
  DemoServer server(config);
  ASSERT_TRUE(server.Start());
  Client console;
  Client listener;
  const std::string command = "rcon demo logaddress 127.0.0.1 " + std::to_string(listener.Port());
  EXPECT_EQ(console.Ask(server.Port(), Request(command)),
            Cat({kPrefix, B({'l'}),
                 Z("logaddress:  127.0.0.1:" + std::to_string(listener.Port()) + "\n")}));
  EXPECT_EQ(server.LogTargets(), (std::vector<Endpoint>{{kLoopbackAddress, listener.Port()}}));
  // The echo of the command, then a line of the server's own a second later, from its game port.
  for (const char* expected : {"Rcon: \"rcon demo logaddress", "World triggered \"Round_Start\""}) {
    const auto line = listener.Receive();
    ASSERT_TRUE(line.has_value()) << expected;
    EXPECT_EQ(line->from_port, server.Port());
    const std::string text(line->bytes.begin(), line->bytes.end());
    EXPECT_EQ(text.substr(0, 10), "\xFF\xFF\xFF\xFFlog L ");
    EXPECT_NE(text.find(expected), std::string::npos) << text;
  }
}

TEST(DemoServerUdp, SendsFromTheSecondSocketAndLate) {
  DemoConfig config;
  config.faults.alternate = AlternateSource::kAlso;
  config.faults.delay_ms = 200;
  DemoServer server(config);
  ASSERT_TRUE(server.Start());
  ASSERT_NE(server.AlternatePort(), 0);
  ASSERT_NE(server.AlternatePort(), server.Port());
  Client client;
  const auto sent = std::chrono::steady_clock::now();
  client.Send(server.Port(), Request("info"));
  const auto forged = client.Receive();
  const auto real = client.Receive();
  ASSERT_TRUE(forged && real);
  EXPECT_GE(std::chrono::steady_clock::now() - sent, milliseconds(200));
  EXPECT_EQ(forged->from_port, server.AlternatePort());
  EXPECT_EQ(real->from_port, server.Port());
  const std::string forged_text(forged->bytes.begin(), forged->bytes.end());
  EXPECT_NE(forged_text.find("Forged reply"), std::string::npos);
}

TEST(DemoServerUdp, ModernServerSplitsRulesOverTheWire) {
  DemoConfig config;
  config.modern = true;
  config.rules = ManyRules(60);
  DemoServer server(config);
  ASSERT_TRUE(server.Start());
  Client client;
  const Bytes challenge =
      client.Ask(server.Port(), Cat({kPrefix, B({'V', 0xFF, 0xFF, 0xFF, 0xFF})}));
  ASSERT_EQ(challenge.size(), 9u);
  client.Send(server.Port(),
              Cat({kPrefix, B({'V'}), Bytes(challenge.begin() + 5, challenge.end())}));
  Bytes pieces[3];
  for (int i = 0; i < 3; ++i) {
    const auto piece = client.Receive();
    ASSERT_TRUE(piece.has_value());
    ASSERT_EQ(piece->bytes[8] & 15, 3);
    pieces[piece->bytes[8] >> 4] = piece->bytes;
  }
  Bytes whole;
  for (const Bytes& piece : pieces) whole.insert(whole.end(), piece.begin() + 9, piece.end());
  EXPECT_EQ(Bytes(whole.begin(), whole.begin() + 7), B({0xFF, 0xFF, 0xFF, 0xFF, 'E', 60, 0}));
  EXPECT_EQ(whole.back(), 0);
}

TEST(DemoServerUdp, CountsFailedRconAttempts) {
  DemoConfig config;
  config.modern = true;
  DemoServer server(config);
  ASSERT_TRUE(server.Start());
  Client client;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(client.Ask(server.Port(), Request("rcon demo status")),
              Cat({kPrefix, B({'l'}), Z("Bad rcon_password.\nBad challenge.\n")}));
  }
  EXPECT_EQ(server.FailedRconAttempts(), 5);
  client.Send(server.Port(), Request("ping"));
  EXPECT_FALSE(client.Receive(milliseconds(300)).has_value());
}

}  // namespace
}  // namespace tarnwick::demo
