// How fast the replies are read: the information and details readers, today's 'I' reader, the
// players reader with a full server, and the joining of a rules reply split in three pieces; beside
// them a plain copy of the details reply, the baseline scripts/bench prints them against.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/reply_readers.h"
#include "engine/source_info_reader.h"
#include "engine/split_reassembler.h"
#include "tests/support/byte_builder.h"

namespace {

using namespace tarnwick;

using testing::ByteBuilder;

std::vector<uint8_t> DetailsBody() {
  ByteBuilder w;
  w.Str("127.0.0.1:27015").Str("Tarnwick Demo Server").Str("crossfire").Str("cstrike");
  w.Str("Counter-Strike").Byte(12).Byte(16).Byte(47).Byte('d').Byte('l').Byte(0).Byte(1);
  w.Str("http://www.example.com/mod/").Str("http://www.example.com/mod/download.zip").Str("");
  w.I32(1).I32(184320000).Byte(0).Byte(1).Byte(1).Byte(0);
  return w.Bytes();
}

std::vector<uint8_t> SourceInfoBody(bool extraData) {
  ByteBuilder w;
  w.Byte(48).Str("Tarnwick Demo Server").Str("crossfire").Str("valve").Str("Half-Life");
  w.I16(70).Byte(12).Byte(16).Byte(0).Byte('d').Byte('l').Byte(0).Byte(1).Str("1.1.2.7/Stdio");
  if (extraData) {
    w.Byte(0xF1).I16(27015).I64(90071992547409921).I16(27020).Str("Tarnwick TV");
    w.Str("demo,tarnwick").I64(70);
  }
  return w.Bytes();
}

std::vector<uint8_t> PlayersBody(int count) {
  ByteBuilder w;
  w.Byte(static_cast<uint8_t>(count));
  for (int i = 0; i < count; ++i) {
    w.Byte(static_cast<uint8_t>(i + 1)).Str("[TW] Player number " + std::to_string(i));
    w.I32(i * 3).F32(1520.0f);
  }
  return w.Bytes();
}

// Runs `step` once an iteration and counts `bytes` an iteration.
template <typename Step>
void Run(benchmark::State& state, size_t bytes, Step step) {
  for (auto _ : state) step();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_ReadDetails(benchmark::State& state) {
  const std::vector<uint8_t> body = DetailsBody();
  Run(state, body.size(), [&] {
    ServerState record;
    benchmark::DoNotOptimize(ReadServerInfo(body.data(), body.size(), record));
    benchmark::DoNotOptimize(record);
  });
}
BENCHMARK(BM_ReadDetails);

void BM_ReadSourceInfo(benchmark::State& state) {
  const std::vector<uint8_t> body = SourceInfoBody(state.range(0) != 0);
  Run(state, body.size(), [&] {
    ServerState record;
    SourceInfoExtras extras;
    benchmark::DoNotOptimize(ReadSourceInfo(body.data(), body.size(), record, &extras));
    benchmark::DoNotOptimize(record);
    benchmark::DoNotOptimize(extras);
  });
}
BENCHMARK(BM_ReadSourceInfo)->Arg(0)->Arg(1);

void BM_ReadPlayers(benchmark::State& state) {
  const std::vector<uint8_t> body = PlayersBody(static_cast<int>(state.range(0)));
  // A window reads every players reply into the rows it kept from the one before.
  std::vector<PlayerRow> rows;
  Run(state, body.size(), [&] {
    ReadPlayers(body.data(), body.size(), rows);
    benchmark::DoNotOptimize(rows.data());
  });
}
BENCHMARK(BM_ReadPlayers)->Arg(32)->Arg(255);

ByteBuilder RulesReply() {
  ByteBuilder whole;
  whole.I32(-1).Byte('E').I16(100);
  for (int i = 0; i < 100; ++i) {
    whole.Str("sv_rule_" + std::to_string(i)).Str("a value for rule " + std::to_string(i));
  }
  return whole;
}

void BM_JoinSplitRules(benchmark::State& state) {
  const ByteBuilder whole = RulesReply();
  const size_t pieceSize = (whole.Size() + 2) / 3;
  std::vector<std::vector<uint8_t>> pieces;
  for (size_t index = 0; index < 3; ++index) {
    const size_t begin = index * pieceSize;
    pieces.push_back(ByteBuilder().I32(-2).I32(1).Byte(static_cast<uint8_t>(index << 4 | 3))
                         .Raw(whole.Data() + begin, std::min(pieceSize, whole.Size() - begin))
                         .Bytes());
  }
  SplitReassembler joiner;
  Run(state, whole.Size(), [&] {
    for (const auto& p : pieces) benchmark::DoNotOptimize(joiner.Add(p.data(), p.size(), 0));
  });
}
BENCHMARK(BM_JoinSplitRules);

// The floor each reader is measured against: a copy of the same bytes, as receiving them takes.
// 0: the details reply, 1: the 'I' reply with extra data, 2: 255 players, 3: the whole rules reply.
void BM_CopyReply(benchmark::State& state) {
  const std::vector<std::vector<uint8_t>> bodies = {DetailsBody(), SourceInfoBody(true),
                                                    PlayersBody(255), RulesReply().Bytes()};
  const std::vector<uint8_t>& body = bodies[static_cast<size_t>(state.range(0))];
  Run(state, body.size(), [&] {
    std::vector<uint8_t> copy(body);
    benchmark::DoNotOptimize(copy.data());
  });
}
BENCHMARK(BM_CopyReply)->DenseRange(0, 3);

}  // namespace
