// The information, details and players readers against reply bodies written byte by byte.
#include "engine/reply_readers.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/byte_builder.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;

// A details body up to the is-mod byte.
ByteBuilder DetailsHead(uint8_t protocol, uint8_t isMod, int players = 5, int maxPlayers = 16) {
  ByteBuilder b;
  b.Str("10.0.0.1:27015").Str("Alpha").Str("de_dust").Str("cstrike").Str("Counter-Strike");
  b.Byte(static_cast<uint8_t>(players)).Byte(static_cast<uint8_t>(maxPlayers)).Byte(protocol);
  b.Byte('d').Byte('l').Byte(1).Byte(isMod);
  return b;
}

ServerState Read(const ByteBuilder& b, ServerState state = ServerState()) {
  ReadServerInfo(b.Data(), b.Size(), state);
  return state;
}

TEST(ServerInfoReader, ReadsEveryFieldOfTheHead) {
  const ServerState s = Read(DetailsHead(46, 0));
  EXPECT_EQ(s.address, "10.0.0.1:27015");
  EXPECT_EQ(s.hostName, "Alpha");
  EXPECT_EQ(s.map, "de_dust");
  EXPECT_EQ(s.gameDir, "cstrike");
  EXPECT_EQ(s.gameDescription, "Counter-Strike");
  EXPECT_EQ(s.players, 5);
  EXPECT_EQ(s.maxPlayers, 16);
  EXPECT_EQ(s.protocol, 46);
  EXPECT_TRUE(s.dedicated);
  EXPECT_EQ(s.os, 'l');
  EXPECT_EQ(s.password, 1);
}

TEST(ServerInfoReader, ModBlockByProtocolAndOnlyForAModification) {
  struct Case {
    const char* what;
    ByteBuilder reply;
    const char* link;
    const char* text;
    int version;
    int size;
  } cases[] = {
      {"protocol 46: the string before the version is skipped, so version 1 does not read 256",
       DetailsHead(46, 1).Str("http://mod.example/").Str("http://mod.example/dl").Str("").I32(1)
           .I32(184000).Byte(0).Byte(1).Byte(1).Byte(0),
       "http://mod.example/", "http://mod.example/dl", 1, 184000},
      {"protocol 40: a byte after the link, then the version text",
       DetailsHead(40, 1).Str("http://mod.example/").Byte(7).Str("1.5 beta").I32(15).I32(2000)
           .Byte(0).Byte(0),
       "http://mod.example/", "1.5 beta", 15, 2000},
      {"no modification: the VAC and bots bytes that follow are no mod link",
       DetailsHead(47, 0).Byte(1).Byte(3), "kept", "", 0, 0},
  };
  for (const Case& c : cases) {
    ServerState before;
    before.modInfoLink = "kept";
    const ServerState s = Read(c.reply, before);
    EXPECT_EQ(s.modInfoLink, c.link) << c.what;
    EXPECT_EQ(s.modText, c.text) << c.what;
    EXPECT_EQ(s.modVersion, c.version) << c.what;
    EXPECT_EQ(s.modSize, c.size) << c.what;
  }
}

TEST(ServerInfoReader, ShortRepliesUpdateOnlyWhatTheyReach) {
  ServerState before;
  before.maxPlayers = 20;
  before.gameDir = "valve";
  before.os = 'w';
  // Offsets: five strings take 15+6+8+8+15 = 52 bytes; players at 52, max at 53, protocol 54,
  // type 55, os 56.
  struct Case {
    const char* what;
    size_t cut;  // bytes of the full head kept
    const char* map;
    const char* gameDir;
    int players;
    int maxPlayers;
    uint8_t os;
  } cases[] = {
      {"cut inside the map string: it ends there", 25, "de_d", "valve", 0, 20, 'w'},
      {"cut right after the player count", 53, "de_dust", "cstrike", 3, 20, 'w'},
      {"cut right after the os letter", 57, "de_dust", "cstrike", 3, 12, 'l'},
  };
  for (const Case& c : cases) {
    const ServerState s = Read(DetailsHead(40, 0, 3, 12).Cut(c.cut), before);
    EXPECT_EQ(s.map, c.map) << c.what;
    EXPECT_EQ(s.gameDir, c.gameDir) << c.what;
    EXPECT_EQ(s.players, c.players) << c.what;
    EXPECT_EQ(s.maxPlayers, c.maxPlayers) << c.what;
    EXPECT_EQ(s.os, c.os) << c.what;
  }
}

TEST(ServerInfoReader, CountsAbove127ReadNegativeAndTheChangeIsReported) {
  ServerState state;
  state.players = 3;
  const ByteBuilder b = DetailsHead(47, 0, 200, 255);
  EXPECT_TRUE(ReadServerInfo(b.Data(), b.Size(), state).playerCountChanged);
  EXPECT_EQ(state.players, -56);
  EXPECT_EQ(state.maxPlayers, -1);
}

TEST(PlayerReader, ReadsRecordsAndFormatsTheirTexts) {
  ByteBuilder b;
  b.Byte(3);
  b.Byte(1).Str("[Kx4t].joe").I32(12).F32(3725.9f);
  b.Byte(0xFE).Str("Bob").I32(-3).F32(360000.0f);
  b.Byte(3).Str("Ann").I32(0).F32(59.99f);
  const auto rows = ReadPlayers(b.Data(), b.Size());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].index, "1");
  EXPECT_EQ(rows[0].name, "[Kx4t].joe");
  EXPECT_EQ(rows[0].frags, "12");
  EXPECT_EQ(rows[0].time, "01:02:05");
  EXPECT_EQ(rows[1].index, "-2");
  EXPECT_EQ(rows[1].frags, "-3");
  EXPECT_EQ(rows[1].time, "100:00:00");
  EXPECT_EQ(rows[2].time, "00:00:59");
  EXPECT_EQ(rows[2].columns, 4);
}

TEST(PlayerReader, StopsWhereTheBytesEnd) {
  struct Case {
    const char* what;
    size_t cut;
    size_t rows;
    int lastColumns;
  } cases[] = {
      {"count 5 but three whole records", 100, 3, 4},
      {"the third record cut after its name", 1 + 2 * 13 + 1 + 4, 3, 2},
      {"the third record cut inside its frags", 1 + 2 * 13 + 1 + 4 + 2, 3, 3},
      {"only the count", 1, 0, 0},
      {"nothing at all", 0, 0, 0},
  };
  for (const Case& c : cases) {
    ByteBuilder b;
    b.Byte(5);
    for (const char* name : {"Ann", "Bob", "Cid"}) b.Byte(1).Str(name).I32(1).F32(1.0f);
    b.Cut(c.cut);
    const auto rows = ReadPlayers(b.Data(), b.Size());
    ASSERT_EQ(rows.size(), c.rows) << c.what;
    if (!rows.empty()) {
      EXPECT_EQ(rows.back().columns, c.lastColumns) << c.what;
    }
  }
}

TEST(PlayerReader, ConnectedTimeOfHostileValues) {
  EXPECT_EQ(FormatConnectedTime(0.0f), "00:00:00");
  EXPECT_EQ(FormatConnectedTime(-61.0f), "00:-1:-1");
  EXPECT_EQ(FormatConnectedTime(1e30f), "596523:14:07");
  EXPECT_EQ(FormatConnectedTime(std::numeric_limits<float>::quiet_NaN()), "00:00:00");
}

}  // namespace
}  // namespace tarnwick
