// Feeds random datagrams to everything that reads server replies: the readers on their own (the
// rules body among them), the joiner of split replies, and connected monitors that receive the
// input from their server as one datagram, as the body of an 'I' reply and of an 'E' reply, as a
// reply cut into split pieces, and as a row of receive events: datagrams from the server or from
// other sources, receive errors, datagrams cut by the socket, and time passing (which lets split
// sequences expire).
//
// Invariants (abort on violation): the joiners never hold more than 4 sequences nor more than the
// reply limit per sequence, and never give a reply over the limit; a datagram from any other
// address or port changes nothing the window sees; the rules reader gives rows made only of the
// body's bytes, at most (n - 1) / 2 of them, and the window gets exactly those rows.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <vector>

#include "engine/query_protocol.h"
#include "engine/reply_readers.h"
#include "engine/server_monitor.h"
#include "engine/source_info_reader.h"
#include "engine/split_reassembler.h"
#include "tests/support/fake_monitor_port.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tarnwick;

void CheckBounds(const SplitReassembler& joiner) {
  Check(joiner.SequencesInProgress() <= SplitReassembler::kMaxSequences);
  Check(joiner.BytesHeld() <= SplitReassembler::kMaxSequences * SplitReassembler::kMaxReplySize);
}

// A connected monitor whose joiner is checked after every datagram.
struct ConnectedMonitor : testing::MonitorRig {
  ConnectedMonitor() { StayConnected(); }
  void Receive(const uint8_t* data, size_t size, int error = 0, Ipv4Endpoint from = {}) {
    MonitorRig::Receive(data, size, from, error);
    CheckBounds(monitor.SplitReplies());
  }
  void Receive(const std::vector<uint8_t>& datagram) { Receive(datagram.data(), datagram.size()); }
  // A receive error may have ended the connection: the next event finds a new one.
  void StayConnected() {
    if (!monitor.IsConnected()) ConnectTo("127.0.0.2:27015");
    Check(monitor.IsConnected());
  }
  // What the window would show or send: a datagram from another source must leave it as it was.
  auto WhatIsSeen() const {
    return std::make_tuple(port.sent.size(), events.console.size(), events.rconChallenges.size(),
                           events.messages.size(), events.states.size(), events.pings.size(),
                           events.kinds.size(), events.infoChanges, events.rulesChanges,
                           monitor.SplitReplies().SequencesInProgress(),
                           monitor.SplitReplies().BytesHeld());
  }
};

std::vector<uint8_t> Prefixed(const std::vector<uint8_t>& prefix, const uint8_t* data,
                              size_t size) {
  std::vector<uint8_t> datagram = prefix;
  datagram.insert(datagram.end(), data, data + size);
  return datagram;
}

constexpr int kSocketErrors[] = {0, 0, 0, 0, kSocketWouldBlock, kSocketMessageTooLong,
                                 kSocketConnectionReset, 10050};

// The input as receive events: a control byte, two length bytes (little-endian), then that many
// bytes of datagram. The control byte chooses the source (bits 0-1: the server twice, its address
// with another port, another address with its port), the receive error (bits 2-4) and how much
// time passed before (bits 5-7, steps of 700 ms). Every datagram also goes to a joiner of its own.
void FeedEvents(const uint8_t* data, size_t size, ConnectedMonitor& monitor,
                SplitReassembler& joiner) {
  std::vector<uint8_t> cut(kReceiveBufferSize);
  uint32_t now = 0;
  size_t at = 0;
  while (at + 3 <= size) {
    const uint8_t control = data[at];
    const auto announced = static_cast<size_t>(data[at + 1] | data[at + 2] << 8);
    at += 3;
    const size_t length = std::min(announced, size - at);
    const uint8_t* datagram = data + at;
    at += length;

    const uint32_t step = (control >> 5) * 700u;
    now += step;
    monitor.port.now += step;
    const auto joined = joiner.Add(datagram, length, now);
    Check(!joined || joined->size() <= SplitReassembler::kMaxReplySize);
    CheckBounds(joiner);

    monitor.StayConnected();
    const int error = kSocketErrors[(control >> 2) & 7];
    const Ipv4Endpoint server = monitor.monitor.ServerAddress();
    if ((control & 3) >= 2) {
      Ipv4Endpoint other = server;
      if ((control & 3) == 2) {
        other.port = static_cast<uint16_t>(server.port + 1);
      } else {
        other.address.octets[3] ^= 1;
      }
      const auto before = monitor.WhatIsSeen();
      if (error == 0) monitor.Receive(datagram, length, 0, other);
      Check(monitor.WhatIsSeen() == before);
    } else if (error == kSocketMessageTooLong) {
      // Cut by the socket: the buffer full, zeros after what arrived.
      std::fill(cut.begin(), cut.end(), 0);
      std::copy(datagram, datagram + std::min(length, kReceiveBufferSize), cut.begin());
      monitor.Receive(cut.data(), kReceiveBufferSize, error);
    } else {
      monitor.Receive(datagram, length, error);
    }
  }
}

// The input after its first two bytes as a reply cut into 1 to 5 pieces, sent in an order the
// first byte chooses, each piece under one of a few sequence numbers that the second byte chooses
// (so pieces of one reply may land in several sequences, and numbers are used again).
void FeedSplit(const uint8_t* data, size_t size, ConnectedMonitor& monitor) {
  if (size < 2) return;
  const size_t count = 1 + data[0] % 5;
  const size_t rotate = data[0] / 5;
  const uint8_t numbers = data[1];
  const uint8_t* whole = data + 2;
  const size_t wholeSize = size - 2;
  const size_t pieceSize = (wholeSize + count - 1) / count;
  for (size_t n = 0; n < count; ++n) {
    const size_t index = (n + rotate) % count;
    const size_t begin = std::min(wholeSize, index * pieceSize);
    const size_t end = std::min(wholeSize, begin + pieceSize);
    const auto sequence = static_cast<uint8_t>((numbers >> (n % 4 * 2)) & 3);
    std::vector<uint8_t> piece = {0xFE, 0xFF, 0xFF, 0xFF, sequence, 0, 0, 0,
                                  static_cast<uint8_t>(index << 4 | count)};
    piece.insert(piece.end(), whole + begin, whole + end);
    monitor.Receive(piece);
  }
}

// The input as a rules body: read alone, and as the body of an 'E' reply that the window gets.
void FuzzRules(const uint8_t* data, size_t size, ConnectedMonitor& monitor) {
  const std::optional<std::vector<RuleRow>> rows = ReadRules(data, size);
  Check(rows.has_value() == (size != 0));
  if (rows) {
    size_t bytes = 0;
    for (const RuleRow& row : *rows) {
      Check(row.name.find('\0') == std::string::npos && row.value.find('\0') == std::string::npos);
      bytes += row.name.size() + row.value.size();
    }
    Check(rows->size() <= (size - 1) / 2);
    Check(bytes <= (size > 2 ? size - 2 : 0));
  }
  monitor.Receive(Prefixed({0xFF, 0xFF, 0xFF, 0xFF, 'E'}, data, size));
  Check(monitor.events.rulesChanges == 1 && monitor.events.rules == rows);
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

  ConnectedMonitor rules;
  FuzzRules(data, size, rules);

  ConnectedMonitor info;
  info.Receive(Prefixed({0xFF, 0xFF, 0xFF, 0xFF, 'I'}, data, size));

  ConnectedMonitor events;
  events.Receive(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 'j', 0});
  SplitReassembler joiner;
  FeedEvents(data, size, events, joiner);

  ConnectedMonitor split;
  FeedSplit(data, size, split);
  return 0;
}
