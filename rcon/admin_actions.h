// What the player list's menu offers an operator for one row, and the console commands the
// actions send. The player is found in the server's "status" answer by the name the row shows,
// and the commands name the player only by the ids that answer gave: a name never becomes part
// of a command, and an id that does not have the shape of an id is refused.
//
// Commands:
//   Kick            "kick #<userid>"
//   Ban             "banid <minutes> <uniqueid> kick", then "writeid"
//   Ban address     "addip <minutes> <ip>", then "writeip"
//   Say to all      "say <text>"
// with 0 minutes meaning for ever. A user id is 1 to 10 digits. A unique id is banned only when
// it names one player for good: STEAM_x:y:z, VALVE_x:y:z, or a WON number of 2001 (not 0). BOT,
// HLTV, STEAM_ID_LAN, VALVE_ID_PENDING and the like are shared or passing, so such a player can
// only be kicked. An address is a dotted IPv4 address.
#ifndef TARNWICK_RCON_ADMIN_ACTIONS_H
#define TARNWICK_RCON_ADMIN_ACTIONS_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rcon/status_reply.h"

namespace tarnwick {

enum class BanTime { kFiveMinutes, kOneHour, kOneDay, kPermanent };
uint32_t BanMinutes(BanTime time);

bool IsUserId(std::string_view id);
bool IsBannableId(std::string_view id);
// The dotted IPv4 address of a status address ("ip:port" or "ip"); nothing for "loopback" or
// anything else.
std::optional<std::string> AddressToBan(std::string_view address);

// Each nothing (or empty) when the player's id or address is refused.
std::optional<std::string> KickCommand(const StatusPlayer& player);
std::vector<std::string> BanIdCommands(const StatusPlayer& player, BanTime time);
std::vector<std::string> BanAddressCommands(const StatusPlayer& player, BanTime time);

// The most text "Say to all" sends.
inline constexpr size_t kMaxSayText = 127;
// "say <text>". The server would read a double quote, a semicolon or a line end in the text as
// the end of the command (and what follows as the next one): quotes become apostrophes,
// semicolons commas, control characters blanks. Blanks at either end go; nothing for an empty
// text. Longer texts are cut to kMaxSayText bytes, between UTF-8 characters.
std::optional<std::string> SayCommand(std::string_view text);

// Why the menu offers less than everything; one reason, the first that holds in this order.
enum class AdminNote {
  kNone,
  kNoPassword,    // no command has been answered with the console's present password
  kAsking,        // "status" is awaited
  kNoAnswer,      // "status" was not answered
  kUnreadable,    // the answer's rows could not all be read
  kNoSuchName,    // no player in the answer has the row's name
  kSeveralNames,  // more than one has it
  kBadUserId,     // the player's user id has not the shape of one
  kOnlyKick,      // the unique id cannot be banned (bot, HLTV, LAN, pending)
  kNoAddress,     // no address to ban
};

struct AdminMenuFacts {
  bool connected = false;
  bool passwordWorks = false;
  // The row's name as the list shows it; nothing when the menu is not for a row.
  std::optional<std::string> name;
  const StatusReply* answer = nullptr;  // the fresh answer, if there is one
  bool asking = false;
};

struct AdminMenuState {
  bool copyName = false;
  bool copyAddress = false;
  bool kick = false;
  bool banId = false;
  bool banAddress = false;
  bool say = false;
  AdminNote note = AdminNote::kNone;
  std::optional<StatusPlayer> player;  // the one player the row's name matched
};

// How the list shows a name the server sent (the list and the status answer get the same bytes).
using ShownName = std::string (*)(std::string_view serverBytes);

AdminMenuState DecideAdminMenu(const AdminMenuFacts& facts, ShownName shown);

}  // namespace tarnwick

#endif
