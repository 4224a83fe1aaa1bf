// The server's answer to the console command "status": the players with the ids the server knows
// them by. Servers of 2001 and today's write the same table, one row per player:
//
//   #      name userid uniqueid frag time ping loss adr
//   # 1 "Gordon Freeman" 5 STEAM_0:1:123 10 12:34 45 0 192.0.2.7:27005
//   # 2 "Bot" 6 BOT 0 1:02:03 0 0
//   2 users
//
// The name is written between double quotes as the player chose it, quotes included, so it ends
// at the last quote of its row: nothing after the name holds one. Unique ids are Steam ids
// (STEAM_0:1:123), ids of servers without Steam (VALVE_0:1:123), WON numbers of 2001, or words
// (BOT, HLTV, STEAM_ID_LAN, VALVE_ID_LAN, VALVE_ID_PENDING, ...). Times are m:ss or h:mm:ss; the
// address is "ip:port", "loopback" or missing (bots). An HLTV row has other columns after its id;
// only the name, the user id and the unique id are needed of a row.
//
// The answer comes as print replies that may part it anywhere (a long table takes several). It is
// whole once its closing "<n> users" line has come; it can be trusted only when that count equals
// the rows read, which a lost or unreadable row breaks.
//
// Everything here is the server's word, so the reader is bounded: at most kMaxStatusPlayers rows,
// lines of at most kMaxStatusLine bytes, names of at most kMaxStatusName bytes and ids of at most
// kMaxStatusId; anything beyond makes the answer untrusted rather than larger.
// The collector's state belongs to the thread of its console's window.
#ifndef TARNWICK_RCON_STATUS_REPLY_H
#define TARNWICK_RCON_STATUS_REPLY_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr size_t kMaxStatusPlayers = 64;
inline constexpr size_t kMaxStatusLine = 512;
inline constexpr size_t kMaxStatusName = 128;
inline constexpr size_t kMaxStatusId = 64;
// The most text gathered for one answer: 64 long rows and the lines around them.
inline constexpr size_t kMaxStatusText = 40 * 1024;

// An answer is kept this long for the player list's menu; "status" is sent again after it.
inline constexpr uint32_t kStatusCacheMs = 10000;
// How long an asked "status" is waited for.
inline constexpr uint32_t kStatusWaitMs = 5000;

struct StatusPlayer {
  std::string name;      // as the server wrote it, between the quotes
  std::string userId;    // the word as written; checked only where a command is made of it
  std::string uniqueId;  // likewise
  std::optional<int32_t> frags;
  std::optional<uint32_t> seconds;
  std::string address;  // "ip:port", "ip" or "loopback"; empty when the row gives none
  friend bool operator==(const StatusPlayer&, const StatusPlayer&) = default;
};

struct StatusReply {
  std::vector<StatusPlayer> players;
  // The count of the closing "<n> users" line; nothing until it came.
  std::optional<uint32_t> users;
  // A row could not be read, was too long, or was one more than kMaxStatusPlayers.
  bool rowsLost = false;

  bool Complete() const { return users.has_value(); }
  bool Trusted() const { return users && !rowsLost && *users == players.size(); }
};

// Reads the table from `text`, which may hold other lines before it (and the answers of other
// commands): rows count from the last header line ("#  name userid ..."), up to the first
// "<n> users" line after a header. Text after that line is not read.
StatusReply ReadStatusReply(std::string_view text);

// "m:ss", "mm:ss" or "h:mm:ss" as seconds.
std::optional<uint32_t> ReadStatusTime(std::string_view text);

// Gathers the answer to one "status" from the print replies that follow it.
class StatusCollector {
 public:
  void Reset() { *this = StatusCollector(); }
  // "status" went out at `now`: print replies are gathered from now on. While an answer is still
  // awaited, asking again changes nothing.
  void Asked(uint32_t now);
  // A print reply that is not a server log line. True when it completed the answer.
  bool Received(std::string_view text, uint32_t now);
  // The last answer, when it came less than kStatusCacheMs ago.
  const StatusReply* Fresh(uint32_t now) const;
  // An answer is awaited: asked less than kStatusWaitMs ago.
  bool Asking(uint32_t now) const { return asking_ && now - askedAt_ < kStatusWaitMs; }
  // The ids in the last answer may be stale (a player was kicked): it is not used again.
  void Forget() { answer_.reset(); }

 private:
  std::string pending_;
  bool asking_ = false;
  uint32_t askedAt_ = 0;
  std::optional<StatusReply> answer_;
  uint32_t answeredAt_ = 0;
};

}  // namespace tarnwick

#endif
