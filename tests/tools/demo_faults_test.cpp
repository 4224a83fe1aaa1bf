// The demo server's fault modes, on its responder and on a started server over real loopback UDP
// sockets (the thread, the socket loop, the second socket, delays and the flood, as a client on
// this machine sees them), and its refusal of every address outside 127.0.0.0/8. (Its log stream
// reaches the remote console's Wine tests through the program's own socket.)
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <tuple>
#include <utility>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/demo_server.h"
#include "tools/demo_server/faults.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;
using std::chrono::milliseconds;

// Every third reply dropped; the others late, cut, from the other port, and after three junk
// datagrams from the server's own port: random bytes without the prefix, the reply without its
// prefix, the prefix with a type no reply uses.
TEST(DemoFaults, DropsEveryThirdReplyAndSendsTheOthersLateCutElsewhereAndAfterJunk) {
  DemoConfig config;
  config.faults.drop_every = 3;
  config.faults.delay_ms = 250;
  config.faults.cut_at = 5;
  config.faults.garbage_per_reply = 3;
  config.faults.alternate = AlternateSource::kOnly;
  Responder responder(config, kServer);
  std::string answered;
  for (int i = 0; i < 7; ++i) {
    const auto out = Ask(responder, Request("ping"), 1000);
    answered += out.empty() ? '-' : 'j';
    if (out.empty()) continue;
    ASSERT_EQ(out.size(), 4u);
    for (const Outgoing& datagram : out) {
      EXPECT_EQ(std::tie(datagram.send_at_ms, datagram.from_alternate),
                std::make_tuple(1250, &datagram == &out[3]));
    }
    EXPECT_FALSE(out[0].bytes.size() >= 4 &&
                 Bytes(out[0].bytes.begin(), out[0].bytes.begin() + 4) == kPrefix);
    EXPECT_EQ(out[1].bytes, B({'j', 0}));
    ASSERT_GE(out[2].bytes.size(), 6u);
    EXPECT_EQ(Bytes(out[2].bytes.begin(), out[2].bytes.begin() + 5),
              B({0xFF, 0xFF, 0xFF, 0xFF, 'z'}));
    EXPECT_EQ(out[3].bytes, B({0xFF, 0xFF, 0xFF, 0xFF, 'j'}));
  }
  EXPECT_EQ(answered, "jj-jj-j");
}

TEST(DemoFaults, PlayersJoinAndLeaveByTurn) {
  DemoConfig config;
  config.faults.churn_seconds = 5;
  config.players = {{"A", 0, 0.0f}, {"B", 0, 0.0f}};
  config.max_players = 3;
  Responder responder(config, kServer);
  std::string counts;
  for (int64_t at_ms : {4999, 5000, 9999, 10000, 15000, 20000}) {
    responder.Poll(at_ms);
    const Bytes info = Only(Ask(responder, Request("info"), at_ms));
    counts += static_cast<char>('0' + info[info.size() - 3]);
  }
  EXPECT_EQ(counts, "233232");
  EXPECT_EQ(responder.NextPollAt(), 25000);

  // A full server lets one go first, so autojoin gets its free slot.
  config.players.push_back({"C", 0, 0.0f});
  Responder full(config, kServer);
  full.Poll(5000);
  EXPECT_EQ(full.PlayersAt(5000).size(), 2u);
}

// The flood's schedule by the server clock: nothing before the first request from a loopback
// address and its delay, then the rate exactly (a late poll catches up), then nothing once the
// span is over.
TEST(DemoFaults, FloodsTheFirstAskerAtTheRateForItsSpan) {
  FaultModes faults;
  faults.flood_per_second = 1000;
  faults.flood_after_seconds = 2;
  faults.flood_seconds = 3;
  FloodStage flood(faults, 7);
  std::vector<Outgoing> out;
  flood.NoteRequest({0x0A000001u, 27005}, 0);  // not loopback: never a target
  flood.Poll(50000, &out);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(flood.PhaseAt(50000), FloodStage::Phase::kWaiting);

  flood.NoteRequest(kClient, 100);
  flood.NoteRequest({kLoopbackAddress, 40001}, 150);  // a later asker changes nothing
  struct Step {
    int64_t at_ms;
    uint64_t sent;
    int64_t next_at;
    FloodStage::Phase phase;
  } steps[] = {
      {2099, 0, 2100, FloodStage::Phase::kWaiting},
      {2100, 1, 2101, FloodStage::Phase::kRunning},
      {2600, 501, 2601, FloodStage::Phase::kRunning},
      {5099, 3000, FloodStage::kNever, FloodStage::Phase::kDone},
      {9000, 3000, FloodStage::kNever, FloodStage::Phase::kDone},
  };
  for (const Step& step : steps) {
    flood.Poll(step.at_ms, &out);
    EXPECT_EQ(out.size(), step.sent) << step.at_ms;
    EXPECT_EQ(flood.NextAt(), step.next_at) << step.at_ms;
    EXPECT_EQ(flood.PhaseAt(step.at_ms), step.phase) << step.at_ms;
  }
  // (Where the junk goes and from which port the started server's test sees as the client.)
}

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

TEST(DemoLoopbackOnly, AcceptsAndAnswersOnly127Addresses) {
  struct Case {
    const char* text;
    bool parsed;
    bool loopback;
  } cases[] = {
      {"127.0.0.1", true, true},     {"127.255.255.254", true, true},
      {"127.0.0.0", true, true},     {"126.255.255.255", true, false},
      {"128.0.0.1", true, false},    {"192.168.0.1", true, false},
      {"0.0.0.0", true, false},      {"127.0.0", false, false},
      {"127.0.0.256", false, false}, {"127.0.0.01x", false, false},
      {"localhost", false, false},
  };
  DemoConfig config;
  config.modern = true;
  Responder responder(config, kServer);
  for (const Case& c : cases) {
    const std::optional<uint32_t> address = ParseIpv4(c.text);
    EXPECT_EQ(address.has_value(), c.parsed) << c.text;
    EXPECT_EQ(address && IsLoopbackAddress(*address), c.loopback) << c.text;
    if (!address) continue;
    // Never an answer to another address.
    for (const Bytes& request : {Request("ping"), Request("challenge rcon"),
                                 Cat({kPrefix, B({'U', 0xFF, 0xFF, 0xFF, 0xFF})})}) {
      EXPECT_EQ(Ask(responder, request, 0, {*address, 27005}).size(), c.loopback ? 1u : 0u)
          << c.text;
    }
  }
}

TEST(DemoLoopbackOnly, RefusesToBindAnywhereElse) {
  for (uint32_t address : {0x00000000u, 0xC0A80001u}) {
    DemoConfig config;
    config.bind_address = address;
    DemoServer server(config);
    std::string error;
    EXPECT_FALSE(server.Start(&error)) << FormatIpv4(address);
    EXPECT_NE(error.find("not a loopback address"), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace tarnwick::demo
