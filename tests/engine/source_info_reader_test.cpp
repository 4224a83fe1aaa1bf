// The reader of today's 'I' information reply, against bodies written byte by byte.
#include "engine/source_info_reader.h"

#include <gtest/gtest.h>

#include "tests/support/byte_builder.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;

// An 'I' body up to and including the version string.
ByteBuilder InfoHead(const std::string& folder = "valve", uint8_t players = 3, uint8_t env = 'l') {
  ByteBuilder b;
  b.Byte(48).Str("Alpha").Str("crossfire").Str(folder).Str("Half-Life").I16(70);
  b.Byte(players).Byte(16).Byte(1).Byte('d').Byte(env).Byte(1).Byte(1).Str("1.1.2.7/Stdio");
  return b;
}

struct Read {
  ServerState state;
  SourceInfoExtras extras;
  InfoReadResult result;
};

Read ReadBody(const ByteBuilder& b, ServerState state = ServerState()) {
  Read read{std::move(state), {}, {}};
  read.result = ReadSourceInfo(b.Data(), b.Size(), read.state, &read.extras);
  return read;
}

TEST(SourceInfoReader, FillsTheServerStateFromAReplyWithoutExtraData) {
  ServerState before;
  before.address = "127.0.0.1:27015";
  before.modInfoLink = "kept";
  const Read r = ReadBody(InfoHead(), before);
  EXPECT_EQ(r.state.protocol, 48);
  EXPECT_EQ(r.state.hostName, "Alpha");
  EXPECT_EQ(r.state.map, "crossfire");
  EXPECT_EQ(r.state.gameDir, "valve");
  EXPECT_EQ(r.state.gameDescription, "Half-Life");
  EXPECT_EQ(r.state.players, 3);
  EXPECT_EQ(r.state.maxPlayers, 16);
  EXPECT_TRUE(r.state.dedicated);
  EXPECT_EQ(r.state.password, 1);
  EXPECT_EQ(r.state.address, "127.0.0.1:27015") << "the connection's address stays";
  EXPECT_EQ(r.state.modInfoLink, "kept");
  EXPECT_EQ(r.extras.version, "1.1.2.7/Stdio");
  EXPECT_FALSE(r.extras.hasExtraData);
  EXPECT_TRUE(r.result.playerCountChanged);
}

TEST(SourceInfoReader, ReadsTheExtraDataBlockByItsFlags) {
  struct Case {
    const char* what;
    uint8_t flags;
    uint16_t gamePort;
    uint64_t steamId;
    uint16_t spectatorPort;
    const char* spectatorName;
    const char* keywords;
    uint64_t gameId;
  } cases[] = {
      {"every field", 0xF1, 27015, 90071992547409921ull, 27020, "Tarnwick TV", "demo,tw", 70},
      {"flag byte with nothing set", 0x00, 0, 0, 0, "", "", 0},
  };
  for (const Case& c : cases) {
    ByteBuilder b = InfoHead();
    b.Byte(c.flags);
    if (c.flags & 0x80) b.I16(static_cast<int16_t>(c.gamePort));
    if (c.flags & 0x10) b.I64(static_cast<int64_t>(c.steamId));
    if (c.flags & 0x40) b.I16(static_cast<int16_t>(c.spectatorPort)).Str(c.spectatorName);
    if (c.flags & 0x20) b.Str(c.keywords);
    if (c.flags & 0x01) b.I64(static_cast<int64_t>(c.gameId));
    const Read r = ReadBody(b);
    EXPECT_TRUE(r.extras.hasExtraData) << c.what;
    EXPECT_EQ(r.extras.extraFlags, c.flags) << c.what;
    EXPECT_EQ(r.extras.gamePort, c.gamePort) << c.what;
    EXPECT_EQ(r.extras.steamId, c.steamId) << c.what;
    EXPECT_EQ(r.extras.spectatorPort, c.spectatorPort) << c.what;
    EXPECT_EQ(r.extras.spectatorName, c.spectatorName) << c.what;
    EXPECT_EQ(r.extras.keywords, c.keywords) << c.what;
    EXPECT_EQ(r.extras.gameId, c.gameId) << c.what;
  }
}

TEST(SourceInfoReader, ShortRepliesUpdateOnlyWhatTheyReach) {
  ServerState before;
  before.map = "old_map";
  before.gameDir = "cstrike";
  before.isMod = 1;
  before.players = 9;
  before.maxPlayers = 20;
  before.os = 'w';
  // Offsets: protocol 0, "Alpha" 1-6, "crossfire" 7-16, "valve" 17-22, "Half-Life" 23-32,
  // app id 33-34, players 35, max 36, bots 37, type 38, env 39, visibility 40, VAC 41,
  // version 42-55, flags 56, game port 57-58, SteamID 59-66.
  struct Case {
    const char* what;
    size_t cut;
    const char* map;
    uint8_t isMod;
    int players;
    int maxPlayers;
    uint8_t os;
    int password;
    bool extraData;
  } cases[] = {
      {"only the protocol byte", 1, "old_map", 1, 9, 20, 'w', 0, false},
      {"cut inside the map", 10, "cro", 1, 9, 20, 'w', 0, false},
      {"cut inside the app id", 34, "crossfire", 0, 9, 20, 'w', 0, false},
      {"cut right after the player count", 36, "crossfire", 0, 3, 20, 'w', 0, false},
      {"cut right after the environment", 40, "crossfire", 0, 3, 16, 'l', 0, false},
      {"cut inside the version", 50, "crossfire", 0, 3, 16, 'l', 1, false},
      {"cut inside the SteamID", 62, "crossfire", 0, 3, 16, 'l', 1, true},
  };
  ByteBuilder full = InfoHead();
  full.Byte(0x90).I16(27015).I64(12345);
  for (const Case& c : cases) {
    const Read r = ReadBody(ByteBuilder(full).Cut(c.cut), before);
    EXPECT_EQ(r.state.map, c.map) << c.what;
    EXPECT_EQ(r.state.isMod, c.isMod) << c.what;
    EXPECT_EQ(r.state.players, c.players) << c.what;
    EXPECT_EQ(r.state.maxPlayers, c.maxPlayers) << c.what;
    EXPECT_EQ(r.state.os, c.os) << c.what;
    EXPECT_EQ(r.state.password, c.password) << c.what;
    EXPECT_EQ(r.extras.hasExtraData, c.extraData) << c.what;
  }
}

TEST(SourceInfoReader, FolderDecidesTheModAndCountsAreUnsigned) {
  struct Case {
    const char* folder;
    uint8_t env;
    uint8_t players;
    uint8_t isMod;
    bool countChanged;
  } cases[] = {
      {"valve", 'l', 3, 0, false}, {"VALVE", 'w', 3, 0, false}, {"cstrike", 'm', 3, 1, false},
      {"valve2", 'o', 3, 1, false}, {"", 'x', 200, 1, true},
  };
  for (const Case& c : cases) {
    ServerState before;
    before.players = 3;
    const Read r = ReadBody(InfoHead(c.folder, c.players, c.env), before);
    EXPECT_EQ(r.state.isMod, c.isMod) << c.folder;
    EXPECT_EQ(r.state.os, c.env) << "the environment letter as given";
    EXPECT_EQ(r.state.players, c.players) << c.folder;
    EXPECT_EQ(r.result.playerCountChanged, c.countChanged) << c.folder;
  }
}

}  // namespace
}  // namespace tarnwick
