// The information, details, players and rules readers and the reader of today's 'I' information
// reply, against reply bodies written byte by byte; and the joining of split replies: pieces in
// any order, duplicates, missing and surplus pieces, several sequences at once, the limits on size
// and memory, and sequences that stop.
#include "engine/reply_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "engine/source_info_reader.h"
#include "engine/split_reassembler.h"
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

TEST(ServerInfoReader, ReadsTheHeadAsFarAsItGoesAndTheModBlockByProtocol) {
  ServerState before;
  before.maxPlayers = 20;
  before.gameDir = "valve";
  before.os = 'w';
  before.modInfoLink = "kept";
  // Offsets: five strings take 15+6+8+8+15 = 52 bytes; players at 52, max at 53, protocol 54,
  // type 55, os 56. Counts above 127 read negative.
  struct Case {
    const char* what;
    size_t cut;  // bytes of the full head kept
    const char* map;
    const char* gameDir;
    int players;
    int maxPlayers;
    uint8_t os;
    bool countChanged;
  } cases[] = {
      {"cut inside the map string: it ends there", 25, "de_d", "valve", 0, 20, 'w', false},
      {"cut right after the player count", 53, "de_dust", "cstrike", -56, 20, 'w', true},
      {"cut right after the os letter", 57, "de_dust", "cstrike", -56, -1, 'l', true},
  };
  for (const Case& c : cases) {
    ServerState s = before;
    const ByteBuilder b = DetailsHead(46, 0, 200, 255).Cut(c.cut);
    const bool countChanged = ReadServerInfo(b.Data(), b.Size(), s).playerCountChanged;
    EXPECT_EQ(std::tie(s.map, s.gameDir, s.players, s.maxPlayers, s.os, countChanged),
              std::make_tuple(c.map, c.gameDir, c.players, c.maxPlayers, c.os, c.countChanged))
        << c.what;
  }
  // (The other fields of a whole head the Server Info sheet's Wine tests show as the demo server,
  // whose bytes its test spells, sends them: address, name, description, flags and protocol.)

  struct Mod {
    const char* what;
    ByteBuilder reply;
    const char* link;
    const char* text;
    int version;
    int size;
  } mods[] = {
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
  for (const Mod& c : mods) {
    ServerState s = before;
    ReadServerInfo(c.reply.Data(), c.reply.Size(), s);
    EXPECT_EQ(std::tie(s.modInfoLink, s.modText, s.modVersion, s.modSize),
              std::make_tuple(c.link, c.text, c.version, c.size)) << c.what;
  }
}

// Times a 32-bit count cannot hold, and NaN, are clamped rather than undefined. A reply that ends
// early gives the records it reaches, the last one with the columns it reached.
TEST(PlayerReader, ReadsRecordsAsFarAsTheBytesGoAndFormatsHostileValues) {
  ByteBuilder b;
  b.Byte(7);  // one more than there are
  b.Byte(1).Str("[Kx4t].joe").I32(12).F32(3725.9f);
  b.Byte(0xFE).Str("Bob").I32(-3).F32(360000.0f);
  b.Byte(3).Str("Ann").I32(0).F32(59.99f);
  b.Byte(4).Str("").I32(0).F32(-61.0f);
  b.Byte(5).Str("").I32(0).F32(1e30f);
  b.Byte(6).Str("").I32(0).F32(std::numeric_limits<float>::quiet_NaN());
  using Row = std::tuple<std::string, std::string, std::string, std::string, int>;
  std::vector<Row> rows;
  for (const PlayerRow& r : ReadPlayers(b.Data(), b.Size())) {
    rows.emplace_back(r.index, r.name, r.frags, r.time, r.columns);
  }
  EXPECT_EQ(rows, (std::vector<Row>{{"1", "[Kx4t].joe", "12", "01:02:05", 4},
                                    {"-2", "Bob", "-3", "100:00:00", 4},
                                    {"3", "Ann", "0", "00:00:59", 4},
                                    {"4", "", "0", "00:-1:-1", 4},
                                    {"5", "", "0", "596523:14:07", 4},
                                    {"6", "", "0", "00:00:00", 4}}));
  // The third record starts at 34: its index byte ends at 35, its name at 39, its frags at 43.
  struct Case {
    size_t cut;
    size_t rows;
    int lastColumns;
  } cases[] = {{35, 3, 1}, {39, 3, 2}, {41, 3, 3}, {1, 0, 0}, {0, 0, 0}};
  for (const Case& c : cases) {
    const ByteBuilder cut = ByteBuilder(b).Cut(c.cut);
    const std::vector<PlayerRow> read = ReadPlayers(cut.Data(), cut.Size());
    ASSERT_EQ(read.size(), c.rows) << c.cut;
    if (!read.empty()) {
      EXPECT_EQ(read.back().columns, c.lastColumns) << c.cut;
    }
  }
}

// An 'I' body up to and including the version string.
ByteBuilder InfoHead(const std::string& folder = "valve", uint8_t players = 3, uint8_t env = 'l') {
  ByteBuilder b;
  b.Byte(48).Str("Alpha").Str("crossfire").Str(folder).Str("Half-Life").I16(70);
  b.Byte(players).Byte(16).Byte(1).Byte('d').Byte(env).Byte(1).Byte(1).Str("1.1.2.7/Stdio");
  return b;
}

// The state after reading `b` over `state`, and whether the player count changed.
std::pair<ServerState, bool> ReadBody(const ByteBuilder& b, ServerState state = ServerState()) {
  const bool countChanged = ReadSourceInfo(b.Data(), b.Size(), state).playerCountChanged;
  return {std::move(state), countChanged};
}

// (The extra-data block after the version feeds no window; the reply fuzzer keeps its reading in
// bounds.)
TEST(SourceInfoReader, ReadsAsFarAsTheReplyGoesAndTheFolderDecidesTheMod) {
  ServerState before;
  before.map = "old_map";
  before.gameDir = "cstrike";
  before.isMod = 1;
  before.players = 9;
  before.maxPlayers = 20;
  before.os = 'w';
  before.address = "127.0.0.1:27015";
  before.modInfoLink = "kept";
  // Offsets: protocol 0, "Alpha" 1-6, "crossfire" 7-16, "valve" 17-22, "Half-Life" 23-32,
  // app id 33-34, players 35, max 36, bots 37, type 38, env 39, visibility 40, VAC 41,
  // version 42-55.
  struct Case {
    const char* what;
    size_t cut;
    const char* map;
    uint8_t isMod;
    int players;
    int maxPlayers;
    uint8_t os;
    int password;
  } cases[] = {
      {"only the protocol byte", 1, "old_map", 1, 9, 20, 'w', 0},
      {"cut inside the map", 10, "cro", 1, 9, 20, 'w', 0},
      {"cut inside the app id", 34, "crossfire", 0, 9, 20, 'w', 0},
      {"cut right after the player count", 36, "crossfire", 0, 3, 20, 'w', 0},
      {"cut right after the environment", 40, "crossfire", 0, 3, 16, 'l', 0},
      {"cut inside the version", 50, "crossfire", 0, 3, 16, 'l', 1},
  };
  for (const Case& c : cases) {
    const ServerState s = ReadBody(InfoHead().Cut(c.cut), before).first;
    EXPECT_EQ(std::tie(s.map, s.isMod, s.players, s.maxPlayers, s.os, s.password),
              std::make_tuple(c.map, c.isMod, c.players, c.maxPlayers, c.os, c.password))
        << c.what;
  }

  // Whole replies: the folder decides the mod, counts are unsigned, the environment letter is
  // taken as given, the connection's address and the mod link stay. (Name, map, counts, protocol
  // and the dedicated flag the connection Wine test reads from the demo server.)
  struct Whole {
    const char* folder;
    uint8_t env;
    uint8_t players;
    uint8_t isMod;
    bool countChanged;
  } wholes[] = {
      {"valve", 'l', 9, 0, false}, {"VALVE", 'w', 9, 0, false}, {"cstrike", 'm', 4, 1, true},
      {"valve2", 'o', 9, 1, false}, {"", 'x', 200, 1, true},
  };
  for (const Whole& c : wholes) {
    const auto [s, countChanged] = ReadBody(InfoHead(c.folder, c.players, c.env), before);
    EXPECT_EQ(std::tie(s.isMod, s.os, s.players, countChanged, s.gameDir),
              std::make_tuple(c.isMod, c.env, c.players, c.countChanged, c.folder));
    EXPECT_EQ(std::tie(s.gameDescription, s.address, s.modInfoLink),
              std::make_tuple("Half-Life", "127.0.0.1:27015", "kept"))
        << c.folder;
  }
}

// (A body too short for a rule, and none at all, the reply fuzzer's invariants cover; whole rules
// the Server Info sheet's Wine test shows from the demo server.)
TEST(RulesReader, NamesAndValuesAlternateAfterTheCount) {
  using Rows = std::vector<RuleRow>;
  struct Case {
    const char* what;
    std::vector<uint8_t> body;
    std::optional<Rows> rows;
  } cases[] = {
      {"a value without its terminator",
       ByteBuilder().I16(2).Str("a").Str("1").Str("sv_maxspeed").Text("270").Bytes(),
       Rows{{"a", "1"}, {"sv_maxspeed", "270"}}},
      {"a name without a value", ByteBuilder().I16(2).Str("a").Str("1").Str("b").Bytes(),
       Rows{{"a", "1"}, {"b", ""}}},
      {"a name without its terminator", ByteBuilder().I16(1).Text("half").Bytes(),
       Rows{{"half", ""}}},
      {"empty strings", ByteBuilder().I16(1).Str("").Str("").Bytes(), Rows{{"", ""}}},
      {"a wrong count", ByteBuilder().I16(9).Str("only").Str("one").Bytes(),
       Rows{{"only", "one"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadRules(c.body.data(), c.body.size()), c.rows) << c.what;
}

// ---- Split replies

using Bytes = std::vector<uint8_t>;

// A whole rules reply of about `size` bytes, beginning FF FF FF FF 'E'.
Bytes WholeReply(size_t size, char fill = 'r') {
  ByteBuilder b;
  b.Prefix().Text("E").I16(1).Str("sv_long").Str(std::string(size > 16 ? size - 16 : 1, fill));
  return b.Bytes();
}

Bytes Piece(int32_t sequence, int index, int count, const Bytes& whole, size_t pieceSize) {
  const size_t begin = static_cast<size_t>(index) * pieceSize;
  const size_t end = std::min(whole.size(), begin + pieceSize);
  ByteBuilder b;
  b.Text("\xFE\xFF\xFF\xFF").I32(sequence).Byte(static_cast<uint8_t>(index << 4 | count));
  if (begin < end) b.Raw(whole.data() + begin, end - begin);
  return b.Bytes();
}

// Splits `whole` into `count` pieces of `sequence`.
std::vector<Bytes> Pieces(int32_t sequence, int count, const Bytes& whole) {
  const size_t pieceSize = (whole.size() + count - 1) / count;
  std::vector<Bytes> pieces;
  for (int i = 0; i < count; ++i) pieces.push_back(Piece(sequence, i, count, whole, pieceSize));
  return pieces;
}

std::optional<Bytes> Feed(SplitReassembler& joiner, const Bytes& piece, uint32_t nowMs = 1000) {
  return joiner.Add(piece.data(), piece.size(), nowMs);
}

// (A piece cut inside its header the reply fuzzer finds reading out of bounds within a minute.)
TEST(SplitReassembly, OrderDuplicatesMissingBrokenAndLatePieces) {
  const Bytes whole = WholeReply(2000);
  const std::vector<Bytes> pieces = Pieces(1, 2, whole);
  const std::vector<Bytes> three = Pieces(1, 3, whole);
  struct Case {
    const char* what;
    std::vector<Bytes> fed;
    int joinedAt;  // index into `fed` of the piece that completes the reply, -1 for none
    std::vector<uint32_t> at = {1000, 1000, 1000};  // when each piece arrives
  } cases[] = {
      {"backwards: joined in index order", {three[2], three[1], three[0]}, 2},
      {"a duplicated piece counts once", {pieces[0], pieces[0], pieces[1]}, 2},
      {"a missing piece leaves the reply unfinished", {pieces[1], pieces[1]}, -1},
      {"a piece with another count is not part of the reply",
       {pieces[0], Piece(1, 1, 3, whole, 1000), pieces[1]}, 2},
      {"six pieces are too many", {Piece(1, 0, 6, whole, 400)}, -1},
      {"an index beyond the count", {Piece(1, 2, 2, whole, 1000)}, -1},
      {"a single piece is a whole reply", {Piece(9, 0, 1, whole, whole.size())}, 0},
      {"pieces 2.9 s apart", {three[0], three[1], three[2]}, 2, {1000, 3900, 6800}},
      {"3 s without a piece drops the sequence", {three[0], three[1], three[2]}, -1,
       {1000, 4000, 4001}},
      {"across the wrap of the tick count", {three[0], three[1], three[2]}, 2,
       {0xFFFFF830u, 500, 1000}},
  };
  for (const Case& c : cases) {
    SplitReassembler joiner;
    for (size_t i = 0; i < c.fed.size(); ++i) {
      const std::optional<Bytes> joined = Feed(joiner, c.fed[i], c.at[i]);
      EXPECT_EQ(joined.has_value(), static_cast<int>(i) == c.joinedAt) << c.what << ", piece " << i;
      if (joined) {
        EXPECT_EQ(*joined, whole) << c.what;
      }
    }
  }
}

TEST(SplitReassembly, MixedSequencesJoinSeparatelyAndANumberMayComeAgain) {
  const Bytes first = WholeReply(2500, 'a');
  const Bytes second = WholeReply(1500, 'b');
  const std::vector<Bytes> a = Pieces(100, 3, first);
  const std::vector<Bytes> b = Pieces(101, 2, second);
  SplitReassembler joiner;
  EXPECT_FALSE(Feed(joiner, a[0]));
  EXPECT_FALSE(Feed(joiner, b[1]));
  EXPECT_FALSE(Feed(joiner, a[2]));
  EXPECT_EQ(Feed(joiner, b[0]), second);
  EXPECT_EQ(Feed(joiner, a[1]), first);
  // A finished sequence is forgotten: the same number then starts a reply of its own.
  const std::vector<Bytes> again = Pieces(100, 2, second);
  EXPECT_FALSE(Feed(joiner, again[0]));
  EXPECT_EQ(Feed(joiner, again[1]), second);
}

// At most four sequences at a time: a fifth pushes out the one that began first, but a first piece
// too large on its own takes no place. A reply over 4010 bytes is given up.
TEST(SplitReassembly, TheNewestFourSequencesAreKeptAndRepliesOver4010BytesGivenUp) {
  const Bytes whole = WholeReply(1000);
  const Bytes tooLong = WholeReply(4011);
  SplitReassembler joiner;
  for (int32_t sequence = 1; sequence <= 4; ++sequence) Feed(joiner, Pieces(sequence, 2, whole)[0]);
  EXPECT_FALSE(Feed(joiner, Piece(5, 0, 2, tooLong, tooLong.size())));
  EXPECT_EQ(Feed(joiner, Pieces(1, 2, whole)[1]), whole) << "the oldest sequence was kept";
  for (int32_t sequence = 5; sequence <= 7; ++sequence) Feed(joiner, Pieces(sequence, 2, whole)[0]);
  // Sequence 2 was pushed out: its second piece begins anew and finishes nothing.
  EXPECT_FALSE(Feed(joiner, Pieces(2, 2, whole)[1]));
  EXPECT_EQ(Feed(joiner, Pieces(7, 2, whole)[1]), whole) << "sequence 7, among the newest";
  joiner.Clear();
  EXPECT_EQ(joiner.SequencesInProgress(), 0u);

  const Bytes fits = WholeReply(4010);
  ASSERT_EQ(fits.size(), 4010u);
  std::optional<Bytes> joined;
  for (const Bytes& piece : Pieces(8, 5, fits)) joined = Feed(joiner, piece);
  EXPECT_EQ(joined, fits) << "exactly 4010 bytes is allowed";
  for (const Bytes& piece : Pieces(9, 5, tooLong)) joined = Feed(joiner, piece);
  EXPECT_FALSE(joined);
  EXPECT_EQ(joiner.SequencesInProgress(), 0u);
}

}  // namespace
}  // namespace tarnwick
