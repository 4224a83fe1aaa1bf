// Feeds random datagrams to everything that reads server replies: the readers on their own, the
// joiner of split replies, and connected monitors that receive the input from their server as one
// datagram, as the body of an 'I' reply, as a row of datagrams (each preceded by a two-byte
// length) on a connection whose server has answered a ping, and as a reply cut into split pieces.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/reply_readers.h"
#include "engine/server_monitor.h"
#include "engine/source_info_reader.h"
#include "engine/split_reassembler.h"
#include "tests/support/fake_monitor_host.h"

namespace {

using namespace tarnwick;

class ConnectedMonitor {
 public:
  ConnectedMonitor() {
    monitor_.Connect("127.0.0.1:27015", false);
    monitor_.OnLookupDone(host_.nextTask - 1, 0, Ipv4Address{{127, 0, 0, 1}});
  }
  void Receive(const uint8_t* data, size_t size) {
    ReceiveResult result;
    result.from = monitor_.ServerAddress();
    result.data = data;
    result.length = size;
    monitor_.OnReceive(result);
  }
  void Receive(const std::vector<uint8_t>& datagram) { Receive(datagram.data(), datagram.size()); }

 private:
  testing::FakeMonitorHost host_;
  Settings settings_;
  ServerMonitor monitor_{host_, settings_};
};

std::vector<uint8_t> Prefixed(const std::vector<uint8_t>& prefix, const uint8_t* data,
                              size_t size) {
  std::vector<uint8_t> datagram = prefix;
  datagram.insert(datagram.end(), data, data + size);
  return datagram;
}

// The input as datagrams of the form: two length bytes (little-endian), then that many bytes.
void FeedStream(const uint8_t* data, size_t size, ConnectedMonitor& monitor,
                SplitReassembler& joiner) {
  size_t at = 0;
  while (at + 2 <= size) {
    const auto announced = static_cast<size_t>(data[at] | data[at + 1] << 8);
    const size_t length = std::min(announced, size - at - 2);
    at += 2;
    joiner.Add(data + at, length);
    monitor.Receive(data + at, length);
    at += length;
  }
}

// The input after its first byte as a reply cut into 1 to 5 pieces of one sequence, sent in an
// order the first byte chooses.
void FeedSplit(const uint8_t* data, size_t size, ConnectedMonitor& monitor) {
  if (size < 1) return;
  const size_t count = 1 + data[0] % 5;
  const size_t rotate = data[0] / 5;
  const uint8_t* whole = data + 1;
  const size_t wholeSize = size - 1;
  const size_t pieceSize = (wholeSize + count - 1) / count;
  for (size_t n = 0; n < count; ++n) {
    const size_t index = (n + rotate) % count;
    const size_t begin = std::min(wholeSize, index * pieceSize);
    const size_t end = std::min(wholeSize, begin + pieceSize);
    std::vector<uint8_t> piece = {0xFE, 0xFF, 0xFF, 0xFF, 9, 0, 0, 0,
                                  static_cast<uint8_t>(index << 4 | count)};
    piece.insert(piece.end(), whole + begin, whole + end);
    monitor.Receive(piece);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ServerState state;
  ReadServerInfo(data, size, state);
  ReadPlayers(data, size);
  SourceInfoExtras extras;
  ReadSourceInfo(data, size, state, &extras);

  ConnectedMonitor whole;
  whole.Receive(data, size);

  ConnectedMonitor info;
  info.Receive(Prefixed({0xFF, 0xFF, 0xFF, 0xFF, 'I'}, data, size));

  ConnectedMonitor stream;
  stream.Receive(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 'j', 0});
  SplitReassembler joiner;
  FeedStream(data, size, stream, joiner);

  ConnectedMonitor split;
  FeedSplit(data, size, split);
  return 0;
}
