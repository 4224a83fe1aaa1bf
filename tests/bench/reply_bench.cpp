// How fast the replies are read: the information and details readers, today's 'I' reader, the
// players reader with a full server, and the joining of a rules reply split in three pieces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/reply_readers.h"
#include "engine/source_info_reader.h"
#include "engine/split_reassembler.h"

namespace {

using namespace tarnwick;

class Writer {
 public:
  Writer& Str(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
  }
  Writer& Byte(uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  Writer& Le(uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> DetailsBody() {
  Writer w;
  w.Str("127.0.0.1:27015").Str("Tarnwick Demo Server").Str("crossfire").Str("cstrike");
  w.Str("Counter-Strike").Byte(12).Byte(16).Byte(47).Byte('d').Byte('l').Byte(0).Byte(1);
  w.Str("http://www.example.com/mod/").Str("http://www.example.com/mod/download.zip").Str("");
  w.Le(1, 4).Le(184320000, 4).Byte(0).Byte(1).Byte(1).Byte(0);
  return w.bytes;
}

std::vector<uint8_t> SourceInfoBody(bool extraData) {
  Writer w;
  w.Byte(48).Str("Tarnwick Demo Server").Str("crossfire").Str("valve").Str("Half-Life");
  w.Le(70, 2).Byte(12).Byte(16).Byte(0).Byte('d').Byte('l').Byte(0).Byte(1).Str("1.1.2.7/Stdio");
  if (extraData) {
    w.Byte(0xF1).Le(27015, 2).Le(90071992547409921ull, 8).Le(27020, 2).Str("Tarnwick TV");
    w.Str("demo,tarnwick").Le(70, 8);
  }
  return w.bytes;
}

std::vector<uint8_t> PlayersBody(int count) {
  Writer w;
  w.Byte(static_cast<uint8_t>(count));
  for (int i = 0; i < count; ++i) {
    w.Byte(static_cast<uint8_t>(i + 1)).Str("[TW] Player number " + std::to_string(i));
    w.Le(static_cast<uint32_t>(i * 3), 4).Le(0x44BE0000, 4);  // 1520.0 seconds
  }
  return w.bytes;
}

void BM_ReadDetails(benchmark::State& state) {
  const std::vector<uint8_t> body = DetailsBody();
  for (auto _ : state) {
    ServerState record;
    benchmark::DoNotOptimize(ReadServerInfo(body.data(), body.size(), record));
    benchmark::DoNotOptimize(record);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_ReadDetails);

void BM_ReadSourceInfo(benchmark::State& state) {
  const std::vector<uint8_t> body = SourceInfoBody(state.range(0) != 0);
  for (auto _ : state) {
    ServerState record;
    SourceInfoExtras extras;
    benchmark::DoNotOptimize(ReadSourceInfo(body.data(), body.size(), record, &extras));
    benchmark::DoNotOptimize(record);
    benchmark::DoNotOptimize(extras);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_ReadSourceInfo)->Arg(0)->Arg(1);

void BM_ReadPlayers(benchmark::State& state) {
  const std::vector<uint8_t> body = PlayersBody(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ReadPlayers(body.data(), body.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * body.size()));
}
BENCHMARK(BM_ReadPlayers)->Arg(32)->Arg(255);

void BM_JoinSplitRules(benchmark::State& state) {
  Writer whole;
  whole.Le(0xFFFFFFFFu, 4).Byte('E').Le(100, 2);
  for (int i = 0; i < 100; ++i) {
    whole.Str("sv_rule_" + std::to_string(i)).Str("a value for rule " + std::to_string(i));
  }
  const size_t pieceSize = (whole.bytes.size() + 2) / 3;
  std::vector<std::vector<uint8_t>> pieces;
  for (size_t index = 0; index < 3; ++index) {
    Writer piece;
    piece.Le(0xFFFFFFFEu, 4).Le(1, 4).Byte(static_cast<uint8_t>(index << 4 | 3));
    const size_t begin = index * pieceSize;
    const size_t end = std::min(whole.bytes.size(), begin + pieceSize);
    piece.bytes.insert(piece.bytes.end(), whole.bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                       whole.bytes.begin() + static_cast<std::ptrdiff_t>(end));
    pieces.push_back(piece.bytes);
  }
  SplitReassembler joiner;
  for (auto _ : state) {
    for (const auto& piece : pieces) {
      benchmark::DoNotOptimize(joiner.Add(piece.data(), piece.size()));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * whole.bytes.size()));
}
BENCHMARK(BM_JoinSplitRules);

}  // namespace
