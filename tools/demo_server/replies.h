// The reply datagrams of the demo server, built with its own ByteWriter. Every function returns a
// whole datagram, starting with the four 0xFF bytes (or 0xFF 0xFF 0xFF 0xFE for split pieces).
// All numbers little-endian.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_REPLIES_H
#define TARNWICK_TOOLS_DEMO_SERVER_REPLIES_H

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/demo_server/byte_writer.h"
#include "tools/demo_server/demo_config.h"

namespace tarnwick::demo {

// What the info replies describe: the configuration, the players as of now (their times already
// grown), and the address text "a.b.c.d:port" of the server's own socket.
struct ServerFacts {
  const DemoConfig& config;
  std::span<const DemoPlayer> players;
  std::string address;
  uint16_t port = 0;
  // The players' user ids, as "status" lists them and "kick" takes them; empty: 1, 2, 3, ...
  std::vector<uint32_t> user_ids = {};
};

// 'j' 00.
Datagram EncodePing();

// 'C': address, host name, map, folder, description, players, max players, protocol.
Datagram EncodeInfo(const ServerFacts& facts);

// 'm' with the given protocol byte, which also picks the mod tail:
//   40 and below with a mod: link, byte 0, version text, int32 version, int32 size, byte 0, byte 0.
//   41 and above with a mod: link, download link, empty string, int32 version, int32 size, type,
//   dll, VAC, bots. Without a mod: nothing after the is-mod byte at 40 and below; VAC and bots
//   above.
Datagram EncodeDetails(const ServerFacts& facts, int protocol);

// 'I', today's info reply, with the extra-data block the options ask for.
Datagram EncodeSourceInfo(const ServerFacts& facts);

// 'D': count, then per player an index byte (1..n, or 0 for all when `zero_index`), name, frags,
// time.
Datagram EncodePlayers(std::span<const DemoPlayer> players, bool zero_index);

// 'E': int16 count and name/value pairs. Rules are left out from the end until the whole datagram
// fits in `max_size` bytes; the count says how many are in.
Datagram EncodeRules(std::span<const DemoRule> rules, size_t max_size);

// 'A' + int32 challenge: 9 bytes.
Datagram EncodeChallenge(uint32_t challenge);

// 'l' + text + 00: a printed message.
Datagram EncodePrint(std::string_view text);

// The text + 00 after the prefix, for replies that are all text ("challenge rcon N\n", "log ...").
Datagram EncodeText(std::string_view text);

// The pieces of a reply longer than `limit` bytes: each FF FF FF FE, int32 `sequence`, one byte
// (index << 4 | count), then at most limit - 9 bytes of the whole reply. A reply of at most `limit`
// bytes comes back as the only element, unsplit. Returns nothing when more than 15 pieces would be
// needed, which the header byte could not number.
std::vector<Datagram> SplitReply(const Datagram& whole, int32_t sequence, size_t limit);

constexpr size_t kSplitHeaderSize = 9;
constexpr int kMaxSplitPieces = 5;

}  // namespace tarnwick::demo

#endif
