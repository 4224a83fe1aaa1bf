// SplitReassembler joins the pieces of split replies. Today's servers send a reply too long for one
// datagram (a long rules list, mostly) as pieces: the split prefix (FF FF FF FE, or FE FF FF FF,
// see HasSplitPrefix), an int32 sequence number shared by the pieces of one reply, one byte
// (index << 4 | count), then the piece's bytes. Joined in index order, the pieces give the whole
// reply, beginning with FF FF FF FF.
//
// Rules: at most 5 pieces and 4010 bytes in all per reply; pieces may come in any order; a piece
// whose index was already received for its sequence is ignored; a piece that breaks the limits is
// dropped, and a sequence whose pieces add up to more than 4010 bytes is given up. Memory stays
// bounded: at most four sequences are joined at a time, and a fifth one pushes out the one that
// began first; a first piece that alone breaks the size limit starts nothing, so it cannot push
// out a sequence still being joined. A sequence whose pieces stop coming for 3 s is dropped: its
// pieces are not joined with those of a later reply that uses the number again. A finished
// sequence is forgotten, so a server that uses a number again is heard.
// The caller makes sure the pieces come from the server's own address, and gives the time (a
// millisecond tick count that may wrap). Thread: a plain value of its ServerMonitor, used only on
// that window's thread.
#ifndef TARNWICK_ENGINE_SPLIT_REASSEMBLER_H
#define TARNWICK_ENGINE_SPLIT_REASSEMBLER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace tarnwick {

class SplitReassembler {
 public:
  static constexpr size_t kMaxPieces = 5;
  static constexpr size_t kMaxReplySize = 4010;
  static constexpr size_t kMaxSequences = 4;
  static constexpr uint32_t kExpiryMs = 3000;

  // Takes one datagram that begins with the split prefix, received at `nowMs`. Returns the joined
  // reply when this piece was the last one missing; nothing otherwise (also for a piece that is
  // malformed or ignored).
  std::optional<std::vector<uint8_t>> Add(const uint8_t* datagram, size_t length, uint32_t nowMs);
  // Forgets every sequence (a new connection).
  void Clear() { sequences_.clear(); }
  size_t SequencesInProgress() const { return sequences_.size(); }
  // The bytes of the pieces kept for sequences still being joined.
  size_t BytesHeld() const;

 private:
  struct Sequence {
    int32_t number = 0;
    size_t count = 0;
    size_t received = 0;
    size_t bytes = 0;
    uint32_t lastPieceAt = 0;
    std::array<bool, kMaxPieces> has{};
    std::array<std::vector<uint8_t>, kMaxPieces> pieces;
  };

  Sequence* Find(int32_t number);
  Sequence& Begin(int32_t number, size_t count);
  void Forget(int32_t number);
  void DropExpired(uint32_t nowMs);

  std::deque<Sequence> sequences_;  // the one that began first in front
};

}  // namespace tarnwick

#endif
