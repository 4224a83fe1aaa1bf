// The demo server's fault modes, and its refusal of every address outside 127.0.0.0/8.
#include <gtest/gtest.h>

#include <string>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/demo_server.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;

const Bytes kPing = B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0});

DemoConfig WithFaults(const FaultModes& faults) {
  DemoConfig config;
  config.host_name = "Real";
  config.faults = faults;
  return config;
}

TEST(DemoFaults, DropsEveryNthReplyDatagram) {
  FaultModes faults;
  faults.drop_every = 3;
  Responder responder(WithFaults(faults), kServer);
  std::string answered;
  for (int i = 0; i < 7; ++i) answered += Ask(responder, Request("ping")).empty() ? '-' : 'j';
  EXPECT_EQ(answered, "jj-jj-j");
}

TEST(DemoFaults, DelaysAndCutsReplies) {
  FaultModes faults;
  faults.delay_ms = 250;
  faults.cut_at = 5;
  Responder responder(WithFaults(faults), kServer);
  const auto out = Ask(responder, Request("info"), 1000);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].send_at_ms, 1250);
  EXPECT_EQ(out[0].bytes, B({0xFF, 0xFF, 0xFF, 0xFF, 'C'}));
  EXPECT_EQ(Only(Ask(responder, Request("ping"))), B({0xFF, 0xFF, 0xFF, 0xFF, 'j'}));
}

TEST(DemoFaults, SendsJunkBeforeEachReply) {
  FaultModes faults;
  faults.garbage_per_reply = 3;
  Responder responder(WithFaults(faults), kServer);
  const auto out = Ask(responder, Request("ping"));
  ASSERT_EQ(out.size(), 4u);
  // Random bytes without the prefix, the reply without its prefix, the prefix with an unused type.
  EXPECT_FALSE(out[0].bytes.size() >= 4 &&
               Bytes(out[0].bytes.begin(), out[0].bytes.begin() + 4) == kPrefix);
  EXPECT_EQ(out[1].bytes, B({'j', 0}));
  ASSERT_GE(out[2].bytes.size(), 6u);
  EXPECT_EQ(Bytes(out[2].bytes.begin(), out[2].bytes.begin() + 5),
            B({0xFF, 0xFF, 0xFF, 0xFF, 'z'}));
  EXPECT_EQ(out[3].bytes, kPing);
  for (const Outgoing& datagram : out) EXPECT_EQ(datagram.destination, kClient);
}

TEST(DemoFaults, AnswersFromTheOtherPort) {
  FaultModes faults;
  faults.alternate = AlternateSource::kOnly;
  Responder only(WithFaults(faults), kServer);
  const auto from_other = Ask(only, Request("ping"));
  ASSERT_EQ(from_other.size(), 1u);
  EXPECT_TRUE(from_other[0].from_alternate);

  // "also": a forged copy from the other port first, then the real reply from the server's own.
  faults.alternate = AlternateSource::kAlso;
  faults.forged_host_name = "Forged";
  Responder also(WithFaults(faults), kServer);
  const auto both = Ask(also, Request("info"));
  ASSERT_EQ(both.size(), 2u);
  EXPECT_TRUE(both[0].from_alternate);
  EXPECT_FALSE(both[1].from_alternate);
  const std::string forged(both[0].bytes.begin(), both[0].bytes.end());
  const std::string real(both[1].bytes.begin(), both[1].bytes.end());
  EXPECT_NE(forged.find(std::string("\0Forged\0", 8)), std::string::npos);
  EXPECT_NE(real.find(std::string("\0Real\0", 6)), std::string::npos);
  const auto pings = Ask(also, Request("ping"));
  ASSERT_EQ(pings.size(), 2u);
  EXPECT_EQ(pings[0].bytes, pings[1].bytes);
}

TEST(DemoFaults, PlayersJoinAndLeaveByTurn) {
  FaultModes faults;
  faults.churn_seconds = 5;
  DemoConfig config = WithFaults(faults);
  config.players = {{"A", 0, 0.0f}, {"B", 0, 0.0f}};
  config.max_players = 3;
  Responder responder(config, kServer);
  struct Step {
    int64_t at_ms;
    size_t players;
    const char* last;
  } steps[] = {{4999, 2, "B"},  {5000, 3, "Newcomer 1"},  {9999, 3, "Newcomer 1"},
               {10000, 2, "B"}, {15000, 3, "Newcomer 2"}, {20000, 2, "B"}};
  for (const Step& step : steps) {
    responder.Poll(step.at_ms);
    EXPECT_EQ(responder.PlayersAt(step.at_ms).back().name, step.last) << step.at_ms;
    const Bytes info = Only(Ask(responder, Request("info"), step.at_ms));
    EXPECT_EQ(info[info.size() - 3], step.players) << step.at_ms;
  }
  EXPECT_EQ(responder.NextPollAt(), 25000);

  // A full server lets one go first, so autojoin gets its free slot.
  config.players = {{"A", 0, 0.0f}, {"B", 0, 0.0f}, {"C", 0, 0.0f}};
  Responder full(config, kServer);
  full.Poll(5000);
  EXPECT_EQ(full.PlayersAt(5000).size(), 2u);
}

TEST(DemoLoopbackOnly, AcceptsOnly127Addresses) {
  struct Case {
    const char* text;
    bool parsed;
    bool loopback;
  } cases[] = {
      {"127.0.0.1", true, true},
      {"127.255.255.254", true, true},
      {"127.0.0.0", true, true},
      {"126.255.255.255", true, false},
      {"128.0.0.1", true, false},
      {"10.0.0.1", true, false},
      {"192.168.0.1", true, false},
      {"0.0.0.0", true, false},
      {"255.255.255.255", true, false},
      {"127.0.0", false, false},
      {"127.0.0.1.", false, false},
      {"127.0.0.256", false, false},
      {"127.0.0.01x", false, false},
      {"localhost", false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    const std::optional<uint32_t> address = ParseIpv4(c.text);
    EXPECT_EQ(address.has_value(), c.parsed) << c.text;
    if (address) {
      EXPECT_EQ(IsLoopbackAddress(*address), c.loopback) << c.text;
    }
  }
}

TEST(DemoLoopbackOnly, NeverAnswersAnotherAddress) {
  DemoConfig config;
  config.modern = true;
  Responder responder(config, kServer);
  for (uint32_t address : {0x0A000001u, 0xC0A80001u, 0x08080808u, 0x00000000u, 0x80000001u}) {
    const Endpoint stranger{address, 27005};
    for (const Bytes& request : {Request("ping"), Request("challenge rcon"),
                                 Cat({kPrefix, B({'U', 0xFF, 0xFF, 0xFF, 0xFF})})}) {
      EXPECT_TRUE(Ask(responder, request, 0, stranger).empty()) << FormatIpv4(address);
    }
  }
  // Recorded all the same, for tests that look at what arrived.
  EXPECT_EQ(responder.ReceivedRequests().size(), 15u);
}

TEST(DemoLoopbackOnly, NeverStreamsTheLogElsewhere) {
  Responder responder(DemoConfig{}, kServer);
  for (const char* target : {"10.0.0.2 27500", "172.16.0.1 27500", "192.168.1.1 27500",
                             "1.2.3.4 27500", "0.0.0.0 27500"}) {
    const auto out = Ask(responder, Request(std::string("rcon demo logaddress ") + target));
    ASSERT_EQ(out.size(), 1u) << target;
    EXPECT_EQ(out[0].destination, kClient);
    EXPECT_TRUE(responder.LogTargets().empty()) << target;
  }
  EXPECT_TRUE(responder.Poll(600000).empty());
}

TEST(DemoLoopbackOnly, RefusesToBindAnywhereElse) {
  for (uint32_t address : {0x00000000u, 0x0A000001u, 0xC0A80001u, 0x08080808u}) {
    DemoConfig config;
    config.bind_address = address;
    DemoServer server(config);
    std::string error;
    EXPECT_FALSE(server.Start(&error)) << FormatIpv4(address);
    EXPECT_NE(error.find("not a loopback address"), std::string::npos) << error;
    EXPECT_EQ(server.Port(), 0);
  }
}

}  // namespace
}  // namespace tarnwick::demo
