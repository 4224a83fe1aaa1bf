// Everything the demo server says about itself and how it misbehaves on purpose. Tests fill this
// struct directly; the program fills it from its command line (command_line.h). The defaults are a
// plausible Half-Life deathmatch server of protocol 47 with three players.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_DEMO_CONFIG_H
#define TARNWICK_TOOLS_DEMO_SERVER_DEMO_CONFIG_H

#include <cstdint>
#include <string>
#include <vector>

#include "tools/demo_server/endpoint.h"

namespace tarnwick::demo {

struct DemoPlayer {
  std::string name;
  int32_t frags = 0;
  float seconds = 0;  // connected time when the player was set; it grows while the server runs
  friend bool operator==(const DemoPlayer&, const DemoPlayer&) = default;
};

struct DemoRule {
  std::string name;
  std::string value;
  friend bool operator==(const DemoRule&, const DemoRule&) = default;
};

// The modification block of the details reply, written only when `is_mod` is set.
struct ModInfo {
  std::string info_link = "http://www.example.com/mod/";
  std::string download_link = "http://www.example.com/mod/download.zip";  // protocol 41 and above
  std::string version_text = "1.0";                                       // protocol 40 and below
  int32_t version = 1;
  int32_t size = 184320000;
  uint8_t type = 0;  // 0: single and multiplayer, 1: multiplayer only (protocol 41 and above)
  uint8_t dll = 1;   // 1: the mod has its own game DLL (protocol 41 and above)
};

// Which reply today's servers give to the 'T' info query.
enum class ModernInfoReply { kInfo, kDetails, kBoth };

// The behaviour of Steam-era servers, used when DemoConfig::modern is set.
struct ModernOptions {
  ModernInfoReply info_reply = ModernInfoReply::kInfo;
  bool challenge_info = false;  // demand a challenge for 'T' as well as for 'U' and 'V'
  uint8_t protocol = 48;        // the protocol byte of the 'I' reply
  uint16_t app_id = 70;
  std::string game_version = "1.1.2.7/Stdio";
  bool extra_data = true;  // write the extra-data flag byte (and what its bits announce)
  // Bits of the extra-data flag: 0x80 port, 0x10 SteamID, 0x40 spectator, 0x20 keywords, 0x01 game id.
  uint8_t extra_flags = 0x80;
  uint64_t steam_id = 90071992547409921ull;
  uint16_t spectator_port = 27020;
  std::string spectator_name = "Tarnwick TV";
  std::string keywords = "demo,tarnwick";
  uint64_t game_id = 70;
  // A reply longer than this (prefix included) goes out in split pieces of at most this size.
  int split_limit = 1400;
  // The largest joined reply: rules that would not fit are left out of the rules reply.
  int split_max_total = 4010;
  // How long a rcon challenge stays good; 0 keeps it until the next "challenge rcon".
  int rcon_challenge_lifetime_ms = 60000;
  int ban_after_failures = 5;
};

// About `per_second` queries per second per address, counted over `window_seconds`.
struct RateLimit {
  bool enabled = false;
  int per_second = 3;
  int window_seconds = 60;
};

// Where replies come from when the alternate-port fault is on.
enum class AlternateSource { kOff, kOnly, kAlso };

// Faults applied to replies (not to log lines). Zero switches a numeric fault off.
struct FaultModes {
  int drop_every = 0;         // drop every Nth reply datagram
  int delay_ms = 0;           // send every reply this much later
  int cut_at = 0;             // cut every reply datagram to this many bytes
  int garbage_per_reply = 0;  // junk datagrams sent before each reply
  AlternateSource alternate = AlternateSource::kOff;
  // With kAlso, info and details replies from the other port carry this host name instead.
  std::string forged_host_name = "Forged reply";
  int churn_seconds = 0;  // a player joins or leaves every N seconds
  // Junk datagrams per second, unasked, to the first address that sent a request (see FloodStage).
  int flood_per_second = 0;
  int flood_after_seconds = 0;  // counted from that first request
  int flood_seconds = 20;
};

struct DemoConfig {
  uint32_t bind_address = kLoopbackAddress;  // must be 127.x.x.x
  uint16_t port = 0;                         // 0: an ephemeral port
  bool modern = false;

  std::string host_name = "Tarnwick Demo Server";
  std::string map = "crossfire";
  std::string folder = "valve";
  std::string description = "Half-Life";
  std::vector<DemoPlayer> players = {
      {"Freeman", 23, 1520.0f}, {"Barney", 7, 632.5f}, {"[TW] Alyx", -2, 95.0f}};
  int max_players = 16;
  int protocol = 47;  // 40 or below: the old mod tail; 41 and above: today's layout
  bool dedicated = true;
  char os = 'l';
  bool password = false;
  bool is_mod = false;
  ModInfo mod;
  uint8_t vac = 1;
  uint8_t bots = 0;
  std::vector<DemoRule> rules = {{"mp_fraglimit", "0"},  {"mp_friendlyfire", "0"},
                                 {"mp_timelimit", "30"}, {"sv_gravity", "800"},
                                 {"sv_maxspeed", "270"}, {"sv_password", "0"},
                                 {"mp_footsteps", "1"},  {"mp_flashlight", "1"}};

  std::string rcon_password = "demo";  // empty: every rcon attempt fails
  int log_interval_seconds = 2;
  uint32_t seed = 1;  // for challenges and garbage bytes

  ModernOptions modern_options;
  RateLimit rate_limit;
  FaultModes faults;
};

}  // namespace tarnwick::demo

#endif
