// Joining split replies: pieces in any order, duplicates, missing and surplus pieces, several
// sequences at once, the limits on size and memory, and sequences that stop.
#include "engine/split_reassembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "tests/support/byte_builder.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;
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
      {"in order", {three[0], three[1], three[2]}, 2},
      {"backwards: joined in index order", {three[2], three[1], three[0]}, 2},
      {"shuffled", {three[1], three[2], three[0]}, 2},
      {"a duplicated piece counts once", {pieces[0], pieces[0], pieces[1]}, 2},
      {"a missing piece leaves the reply unfinished", {pieces[1], pieces[1]}, -1},
      {"a piece with another count is not part of the reply",
       {pieces[0], Piece(1, 1, 3, whole, 1000), pieces[1]}, 2},
      {"six pieces are too many", {Piece(1, 0, 6, whole, 400)}, -1},
      {"count 0", {Piece(1, 0, 0, whole, 400)}, -1},
      {"an index beyond the count", {Piece(1, 2, 2, whole, 1000)}, -1},
      {"a piece cut inside its header", {Bytes(pieces[0].begin(), pieces[0].begin() + 8)}, -1},
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
  EXPECT_EQ(joiner.SequencesInProgress(), 2u);
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
