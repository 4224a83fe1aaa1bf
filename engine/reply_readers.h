// The readers of the information, details, players and rules replies. They walk the body with
// ByteReader: a reply that ends early updates only the fields it reaches.
#ifndef TARNWICK_ENGINE_REPLY_READERS_H
#define TARNWICK_ENGINE_REPLY_READERS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/server_state.h"

namespace tarnwick {

struct InfoReadResult {
  bool playerCountChanged = false;  // the reply carried a player count unlike the stored one
};

// Reads an information ('C') or details ('m') body into `state`:
// address (kept only when not empty), host name, map, game folder, description, players, max
// players, protocol, dedicated ('d'), OS letter, password, is-mod; then, only for a modification,
// the mod block: its info link, and for protocol 40 and below an unused byte, the version text,
// version, size and two unused bytes; for protocol 41 and above the download link, an extra string
// that today's servers put there (discarded), version, size and three unused bytes.
InfoReadResult ReadServerInfo(const uint8_t* body, size_t length, ServerState& state);

// One row of the player list, as the list shows it.
struct PlayerRow {
  std::string index;  // "%d" of the signed index byte
  std::string name;
  std::string frags;  // "%d"
  std::string time;   // "%02d:%02d:%02d"
  int columns = 0;    // how many of the four texts the reply reached (1 to 4)
};

// Reads a players ('D') body: a count byte, then up to that many records while bytes remain. A
// record cut short yields a row with only the columns it reached. `rows` is replaced; the texts of
// rows it already held are reused, so a window reading the same server again allocates nothing.
void ReadPlayers(const uint8_t* body, size_t length, std::vector<PlayerRow>& rows);
std::vector<PlayerRow> ReadPlayers(const uint8_t* body, size_t length);

// One rule variable of a rules reply.
struct RuleRow {
  std::string name;
  std::string value;
  bool operator==(const RuleRow&) const = default;
};

// Reads a rules ('E') body: a 2-byte rule count, which is not used, then names and values as
// consecutive zero-terminated strings while bytes remain; a string cut by the end of the body ends
// there, and a name without a value gets an empty one. A name and its value take at least two
// bytes, so a body of n bytes gives at most (n - 1) / 2 rows. Nothing for an empty body, so the
// list that shows the rules keeps what it shows.
std::optional<std::vector<RuleRow>> ReadRules(const uint8_t* body, size_t length);

// Connected time as hours:minutes:seconds, from seconds dropped toward zero to a whole number.
// Values a 32-bit count cannot hold (and NaN) are clamped instead of being undefined.
std::string FormatConnectedTime(float seconds);
void FormatConnectedTime(float seconds, std::string& out);

}  // namespace tarnwick

#endif
