// How fast the readers take a details reply and a 32-player reply (the readers run for every
// reply a window receives).
#include <benchmark/benchmark.h>

#include "engine/reply_readers.h"
#include "tests/support/byte_builder.h"

namespace {

using tarnwick::testing::ByteBuilder;

ByteBuilder DetailsBody() {
  ByteBuilder b;
  b.Str("192.0.2.10:27015").Str("Tarnwick benchmark server - all maps, all day").Str("de_dust2")
      .Str("cstrike").Str("Counter-Strike").Byte(31).Byte(32).Byte(47).Byte('d').Byte('l').Byte(0)
      .Byte(1).Str("http://www.example.com/mod/").Str("http://www.example.com/mod/dl.zip").Str("")
      .I32(1).I32(184000).Byte(0).Byte(1).Byte(1).Byte(0);
  return b;
}

ByteBuilder PlayersBody() {
  ByteBuilder b;
  b.Byte(32);
  for (int i = 0; i < 32; ++i) {
    b.Byte(static_cast<uint8_t>(i + 1)).Str("Player number " + std::to_string(i)).I32(i * 3 - 10)
        .F32(60.5f * static_cast<float>(i));
  }
  return b;
}

void ReadDetailsReply(benchmark::State& state) {
  const ByteBuilder body = DetailsBody();
  tarnwick::ServerState server;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarnwick::ReadServerInfo(body.Data(), body.Size(), server));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReadDetailsReply);

void ReadPlayersReply(benchmark::State& state) {
  const ByteBuilder body = PlayersBody();
  std::vector<tarnwick::PlayerRow> rows;
  for (auto _ : state) {
    tarnwick::ReadPlayers(body.Data(), body.Size(), rows);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReadPlayersReply);

}  // namespace
