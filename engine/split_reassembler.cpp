#include "engine/split_reassembler.h"

#include <algorithm>

#include "engine/byte_reader.h"
#include "engine/query_protocol.h"

namespace tarnwick {

SplitReassembler::Sequence* SplitReassembler::Find(int32_t number) {
  for (Sequence& sequence : sequences_) {
    if (sequence.number == number) return &sequence;
  }
  return nullptr;
}

SplitReassembler::Sequence& SplitReassembler::Begin(int32_t number, size_t count) {
  if (sequences_.size() >= kMaxSequences) sequences_.pop_front();
  Sequence& sequence = sequences_.emplace_back();
  sequence.number = number;
  sequence.count = count;
  return sequence;
}

void SplitReassembler::Forget(int32_t number) {
  std::erase_if(sequences_, [number](const Sequence& s) { return s.number == number; });
}

void SplitReassembler::DropExpired(uint32_t nowMs) {
  // Unsigned difference: right across the wrap of the tick count.
  std::erase_if(sequences_,
                [nowMs](const Sequence& s) { return nowMs - s.lastPieceAt >= kExpiryMs; });
}

size_t SplitReassembler::BytesHeld() const {
  size_t bytes = 0;
  for (const Sequence& sequence : sequences_) bytes += sequence.bytes;
  return bytes;
}

std::optional<std::vector<uint8_t>> SplitReassembler::Add(const uint8_t* datagram, size_t length,
                                                          uint32_t nowMs) {
  if (length < kSplitHeaderSize || !HasSplitPrefix(datagram, length)) return std::nullopt;
  ByteReader header(datagram + 4, kSplitHeaderSize - 4);
  int32_t number = 0;
  uint8_t place = 0;
  header.ReadInt32(number);
  header.ReadByte(place);
  const size_t index = place >> 4;
  const size_t count = place & 0x0F;
  if (count == 0 || count > kMaxPieces || index >= count) return std::nullopt;
  const uint8_t* piece = datagram + kSplitHeaderSize;
  const size_t size = length - kSplitHeaderSize;

  DropExpired(nowMs);
  Sequence* sequence = Find(number);
  if (sequence == nullptr) {
    // Checked before Begin, which may push out the oldest sequence to make room.
    if (size > kMaxReplySize) return std::nullopt;
    sequence = &Begin(number, count);
  } else if (sequence->count != count) {
    return std::nullopt;  // not a piece of the reply this sequence began as
  }
  if (sequence->has[index]) return std::nullopt;
  if (sequence->bytes + size > kMaxReplySize) {
    Forget(number);
    return std::nullopt;
  }
  sequence->has[index] = true;
  sequence->pieces[index].assign(piece, piece + size);
  sequence->bytes += size;
  sequence->lastPieceAt = nowMs;
  if (++sequence->received < sequence->count) return std::nullopt;

  std::vector<uint8_t> whole;
  whole.reserve(sequence->bytes);
  for (size_t i = 0; i < sequence->count; ++i) {
    whole.insert(whole.end(), sequence->pieces[i].begin(), sequence->pieces[i].end());
  }
  Forget(number);
  return whole;
}

}  // namespace tarnwick
