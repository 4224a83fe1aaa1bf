// Text requests, print reply texts, rcon challenges, server text splitting, private ranges,
// refresh plans and the ping arithmetic.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/ipv4.h"
#include "engine/query_protocol.h"
#include "engine/refresh_plan.h"
#include "engine/server_state.h"
#include "engine/server_text.h"
#include "tests/support/byte_builder.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;

// (The binary requests' bytes the monitor's tests read back from what it sends, and the demo
// server of today's kind answers only the exact bytes.)
TEST(WireFormat, TextRequestsEndAtTheirLimitOrFirstZero) {
  EXPECT_EQ(BuildRequest("ping"), ByteBuilder().Prefix().Str("ping").Bytes());
  EXPECT_EQ(BuildRequest(std::string(5000, 'x')).size(), 1024u) << "a text is cut to 1019 bytes";
  EXPECT_EQ(BuildRequest(std::string("rcon a\0b", 8)).size(), 4u + 6 + 1);
}

// (A log line, and a print whose text runs to the end of the datagram, the monitor's tests hand to
// the console.)
TEST(WireFormat, PrintRepliesHandOnTheirTextOrTheLogLine) {
  struct Case {
    const char* what;
    std::vector<uint8_t> payload;
    const char* text;
    bool logLine;
  } cases[] = {
      {"'log ' alone is not longer than four bytes", ByteBuilder().Text("log ").Bytes(), "og ",
       false},
      {"text ends at the first zero", ByteBuilder().Str("la").Str("b").Bytes(), "a", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintReplyText(c.payload.data(), c.payload.size()), c.text) << c.what;
    EXPECT_EQ(IsServerLogLine(c.payload.data(), c.payload.size()), c.logLine) << c.what;
  }
}

TEST(WireFormat, RconChallengeNumbers) {
  struct Case {
    const char* text;
    std::optional<uint32_t> challenge;
  } cases[] = {
      {"challenge rcon 2471038475\n", 2471038475u}, {"challenge rcon 0 \r\n", 0u},
      {"challenge rcon abc\n", std::nullopt},        {"challenge rcon 4294967296\n", std::nullopt},
      {"challenge rcon 5 6\n", std::nullopt},        {"challenges rcon 5\n", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> payload = ByteBuilder().Str(c.text).Bytes();
    EXPECT_EQ(ParseRconChallenge(payload.data(), payload.size()), c.challenge) << c.text;
  }
}

// (How the port's digits are read, blanks, signs and other characters, is the decimal reader's
// test.)
TEST(ServerTextSplitting, HostAndPort) {
  struct Case {
    const char* text;
    const char* host;
    uint16_t port;
  } cases[] = {
      {"alpha.example:27016", "alpha.example", 27016}, {"alpha.example", "alpha.example", 27015},
      {"alpha.example:70000", "alpha.example", 4464},  {"a:1:2", "a", 1},
  };
  for (const Case& c : cases) {
    const ServerText split = SplitServerText(c.text);
    EXPECT_EQ(std::tie(split.host, split.port), std::make_tuple(c.host, c.port)) << c.text;
  }
}

TEST(ServerTextSplitting, PrivateRangesAtTheirEdges) {
  struct Case {
    Ipv4Address address;
    bool isPrivate;
  } cases[] = {
      {{{10, 255, 255, 255}}, true}, {{{11, 0, 0, 1}}, false},        {{{9, 255, 255, 255}}, false},
      {{{172, 15, 0, 1}}, false},    {{{172, 16, 0, 1}}, true},       {{{172, 31, 255, 255}}, true},
      {{{172, 32, 0, 1}}, false},    {{{192, 168, 0, 1}}, true},      {{{192, 169, 0, 1}}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsPrivateAddress(c.address), c.isPrivate)
        << FormatEndpoint(Ipv4Endpoint{c.address, 0});
  }
}

TEST(RefreshPlanning, TimersForEachWindowState) {
  Settings defaults;
  Settings noAuto;
  noAuto.autoUpdate = false;
  noAuto.autoUpdateTray = false;
  Settings noFlash;
  noFlash.flashInTray = false;
  noFlash.detailsInterval = 0;
  noFlash.playersInterval = 20;
  Settings huge;
  huge.pingInterval = 5000000;

  struct Case {
    const char* what;
    bool connected;
    bool shown;
    const Settings* settings;
    std::array<uint32_t, 4> periods;
    bool playersInTray = false;  // a highlight rule notifies
  } cases[] = {
      // (Shown with auto update off no timer runs, as the Options sheet's Wine test sees on
      // turning it off; shown and in the tray with the defaults: the timers the monitor's tests
      // see it start.)
      {"idle", false, true, &defaults, {0, 0, 0, 0}},
      {"tray, tray auto update off: no flash either", true, false, &noAuto, {0, 0, 0, 0}},
      {"details 0, players 20", true, true, &noFlash, {15000, 0, 20000, 0}},
      {"tray without flashing", true, false, &noFlash, {60000, 300000, 0, 0}},
      {"huge interval held at the timer limit", true, true, &huge, {0x7FFFFFFF, 90000, 0, 0}},
      {"tray, rule notifies", true, false, &defaults, {60000, 300000, 60000, 500}, true},
      {"shown, rule notifies", true, true, &defaults, {15000, 90000, 0, 0}, true},
      {"tray off, rule notifies", true, false, &noAuto, {0, 0, 0, 0}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlanRefresh(c.connected, c.shown, *c.settings, c.playersInTray).periodMs, c.periods)
        << c.what;
  }
}

TEST(PingFigures, UnsignedRunningMean) {
  struct Case {
    std::vector<uint32_t> replies;
    uint32_t min, max, avg;
  } cases[] = {
      {{40, 60, 50}, 40, 60, 50},
      {{10, 11}, 10, 11, 10},
      {{100, 0}, 0, 100, 50},
  };
  for (const Case& c : cases) {
    ServerState state;
    ResetPingStats(state);
    for (uint32_t rtt : c.replies) RecordPingReply(state, rtt);
    EXPECT_EQ(std::tie(state.pingMin, state.pingMax, state.pingAvg, state.pingsReceived),
              std::make_tuple(c.min, c.max, c.avg, static_cast<uint32_t>(c.replies.size())));
  }
  ServerState full;
  full.pingsReceived = 0xFFFFFFFFu;
  RecordPingReply(full, 5);
  EXPECT_EQ(full.pingsReceived, 0xFFFFFFFFu) << "a full counter must not divide by zero";
}

}  // namespace
}  // namespace tarnwick
