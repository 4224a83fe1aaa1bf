// The remote console of the demo server: splitting "rcon ..." request texts, running the few
// console commands it knows, and the texts of its log stream.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_RCON_COMMANDS_H
#define TARNWICK_TOOLS_DEMO_SERVER_RCON_COMMANDS_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/demo_server/endpoint.h"
#include "tools/demo_server/replies.h"

namespace tarnwick::demo {

// One "rcon ..." request. Old servers take "rcon <password> <command>"; today's servers take
// "rcon <challenge> <password> <command>", and a first word that is not a number means the client
// sent no challenge.
struct RconRequest {
  bool has_challenge = false;
  uint32_t challenge = 0;
  std::string password;
  std::string command;  // without leading blanks or a trailing line end
};

// Nothing when the text does not start with "rcon ".
std::optional<RconRequest> ParseRconRequest(std::string_view text, bool with_challenge);

// What a command answers and what it does to the log stream.
struct RconEffect {
  enum class LogChange { kNone, kStart, kStop };
  std::string answer;
  LogChange log_change = LogChange::kNone;
  Endpoint log_target;                 // with kStart
  std::vector<std::string> log_texts;  // lines the command itself writes to the server log
  std::vector<uint32_t> dropped_user_ids;  // players the command kicked
};

// Runs "status", "echo <text>", "logaddress <ip> <port>", "say <text>", "kick #<userid>",
// "banid <minutes> <uniqueid or #userid> [kick]", "addip <minutes> <ip>", "writeid" and "writeip"
// (names in any case); anything else answers "Unknown command "<name>"". "logaddress" starts the
// stream only toward a loopback address and stops it when pointed at the server's own port. A
// player's unique id is STEAM_0:0:<1000 + userid>. Bans are only answered: nobody joins the demo
// server to be refused.
RconEffect RunRconCommand(std::string_view command, const ServerFacts& facts);

// A multi-line listing in the manner of a game server's "status".
std::string StatusText(const ServerFacts& facts);

// "log L 12/06/2026 - 10:00:00: <text>\n", the clock starting at 10:00:00 when now_ms is 0.
std::string LogLine(int64_t now_ms, std::string_view text);

// The log text the server writes on its own, by turn.
std::string PeriodicLogText(uint64_t turn, std::span<const DemoPlayer> players);

}  // namespace tarnwick::demo

#endif
