#include "tools/demo_server/rcon_commands.h"

#include <charconv>
#include <cstdio>

#include "tools/demo_server/join_text.h"

namespace tarnwick::demo {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                           text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// Splits off the first blank-separated word; `text` keeps the rest.
std::string_view NextWord(std::string_view& text) {
  text = TrimBlanks(text);
  size_t end = text.find_first_of(" \t");
  if (end == std::string_view::npos) end = text.size();
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  text = TrimBlanks(text);
  return word;
}

std::optional<uint32_t> ParseNumber(std::string_view text) {
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (x != b[i]) return false;
  }
  return true;
}

std::string Quote(std::string_view text) { return Join({"\"", text, "\""}); }

std::string PlayerTag(std::span<const DemoPlayer> players, size_t index) {
  const std::string id = std::to_string(index + 1);
  return Join({"\"", players[index].name, "<", id, "><STEAM_0:0:", std::to_string(1000 + index + 1),
               "><>\""});
}

std::string Clock(float seconds) {
  const long total = static_cast<long>(seconds);
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof(text), "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof(text), "%02ld:%02ld", total / 60, total % 60);
  }
  return text;
}

RconEffect LogAddress(std::string_view arguments, const ServerFacts& facts) {
  RconEffect effect;
  const std::string_view ip_text = NextWord(arguments);
  const std::optional<uint32_t> ip = ParseIpv4(ip_text);
  const std::optional<uint32_t> port = ParseNumber(NextWord(arguments));
  if (!ip || !port || *port == 0 || *port > 65535 || !arguments.empty()) {
    effect.answer = "usage:  logaddress ip port\n";
    return effect;
  }
  if (!IsLoopbackAddress(*ip)) {
    effect.answer = Join({"logaddress:  ", ip_text, " refused: not a loopback address\n"});
    return effect;
  }
  const Endpoint target{*ip, static_cast<uint16_t>(*port)};
  effect.answer = Join({"logaddress:  ", FormatEndpoint(target), "\n"});
  if (target.port == facts.port) {
    effect.log_change = RconEffect::LogChange::kStop;
  } else {
    effect.log_change = RconEffect::LogChange::kStart;
    effect.log_target = target;
  }
  return effect;
}

uint32_t UserId(const ServerFacts& facts, size_t index) {
  return index < facts.user_ids.size() ? facts.user_ids[index] : static_cast<uint32_t>(index + 1);
}

std::string UniqueId(uint32_t user_id) { return Join({"STEAM_0:0:", std::to_string(1000 + user_id)}); }

// The player a "#<userid>" or a unique id names; nothing when none does.
std::optional<size_t> FindPlayer(std::string_view id, const ServerFacts& facts) {
  for (size_t i = 0; i < facts.players.size(); ++i) {
    const uint32_t user_id = UserId(facts, i);
    if (id == Join({"#", std::to_string(user_id)}) || id == UniqueId(user_id)) return i;
  }
  return std::nullopt;
}

std::string Dropped(const ServerFacts& facts, size_t index, RconEffect& effect) {
  effect.dropped_user_ids.push_back(UserId(facts, index));
  const DemoPlayer& player = facts.players[index];
  effect.log_texts.push_back(Join({"Kick: \"", player.name, "<", std::to_string(UserId(facts, index)),
                                   "><", UniqueId(UserId(facts, index)),
                                   "><>\" was kicked by \"Console\""}));
  return Join({"Dropped ", player.name, " from server\nReason:  Kicked by Console\n"});
}

RconEffect Kick(std::string_view arguments, const ServerFacts& facts) {
  RconEffect effect;
  const std::string_view id = NextWord(arguments);
  if (id.size() < 2 || id[0] != '#' || !arguments.empty()) {
    effect.answer = "Usage:  kick < # userid >\n";
  } else if (const std::optional<size_t> index = FindPlayer(id, facts)) {
    effect.answer = Dropped(facts, *index, effect);
  } else {
    effect.answer = Join({"kick:  no player ", id, "\n"});
  }
  return effect;
}

RconEffect BanId(std::string_view arguments, const ServerFacts& facts) {
  RconEffect effect;
  const std::optional<uint32_t> minutes = ParseNumber(NextWord(arguments));
  const std::string_view id = NextWord(arguments);
  const std::string_view kick = NextWord(arguments);
  const bool steam_id = id.substr(0, 6) == "STEAM_" && id.find_first_of("\"; ") == id.npos;
  if (!minutes || (!steam_id && id.substr(0, 1) != "#") || !(kick.empty() || kick == "kick") ||
      !arguments.empty()) {
    effect.answer = "Usage:  banid <minutes> <uniqueid or #userid> { kick }\n";
    return effect;
  }
  const std::optional<size_t> index = FindPlayer(id, facts);
  if (!index && !steam_id) {
    effect.answer = Join({"banid:  no player ", id, "\n"});
    return effect;
  }
  const std::string banned = index ? UniqueId(UserId(facts, *index)) : std::string(id);
  effect.answer = Join({banned, " banned ",
                        *minutes == 0 ? "permanently" : Join({"for ", std::to_string(*minutes), " minutes"}),
                        "\n"});
  if (index && !kick.empty()) effect.answer += Dropped(facts, *index, effect);
  return effect;
}

RconEffect AddIp(std::string_view arguments) {
  RconEffect effect;
  const std::optional<uint32_t> minutes = ParseNumber(NextWord(arguments));
  const std::string_view ip = NextWord(arguments);
  if (!minutes || !ParseIpv4(ip) || !arguments.empty()) {
    effect.answer = "Usage:  addip <minutes> <ipaddress>\n";
    return effect;
  }
  effect.answer = Join({"Filter added: ", ip, " ",
                        *minutes == 0 ? "permanently" : Join({"for ", std::to_string(*minutes), " minutes"}),
                        "\n"});
  return effect;
}

}  // namespace

std::optional<RconRequest> ParseRconRequest(std::string_view text, bool with_challenge) {
  if (text.substr(0, 5) != "rcon ") return std::nullopt;
  text.remove_prefix(5);
  RconRequest request;
  std::string_view word = NextWord(text);
  if (with_challenge) {
    if (const std::optional<uint32_t> challenge = ParseNumber(word)) {
      request.has_challenge = true;
      request.challenge = *challenge;
      word = NextWord(text);
    }
  }
  request.password = std::string(word);
  request.command = std::string(TrimBlanks(text));
  return request;
}

RconEffect RunRconCommand(std::string_view command, const ServerFacts& facts) {
  std::string_view arguments = command;
  const std::string_view name = NextWord(arguments);
  RconEffect effect;
  if (SameWord(name, "status")) {
    effect.answer = StatusText(facts);
  } else if (SameWord(name, "echo")) {
    effect.answer = Join({arguments, "\n"});
  } else if (SameWord(name, "logaddress")) {
    effect = LogAddress(arguments, facts);
  } else if (SameWord(name, "kick")) {
    effect = Kick(arguments, facts);
  } else if (SameWord(name, "banid")) {
    effect = BanId(arguments, facts);
  } else if (SameWord(name, "addip")) {
    effect = AddIp(arguments);
  } else if (SameWord(name, "writeid")) {
    effect.answer = "Writing banned.cfg\n";
  } else if (SameWord(name, "writeip")) {
    effect.answer = "Writing listip.cfg\n";
  } else if (SameWord(name, "say")) {
    effect.answer = Join({"Console: ", arguments, "\n"});
    effect.log_texts.push_back(Join({"Server say ", Quote(arguments)}));
  } else {
    effect.answer = Join({"Unknown command ", Quote(name), "\n"});
  }
  return effect;
}

std::string StatusText(const ServerFacts& facts) {
  const DemoConfig& c = facts.config;
  const std::string version = c.protocol <= 40 ? "1.1.0.6" : c.modern_options.game_version;
  const std::string players = std::to_string(facts.players.size());
  std::string text = Join({"hostname:  ", c.host_name, "\n"});
  text +=
      Join({"version :  ", std::to_string(c.protocol), "/", version, " 8684 ",
            c.vac ? "secure" : "insecure", "  (", std::to_string(c.modern_options.app_id), ")\n"});
  text += Join({"tcp/ip  :  ", facts.address, "\n"});
  text += Join({"map     :  ", c.map, " at: 0 x, 0 y, 0 z\n"});
  text += Join({"players :  ", players, " active (", std::to_string(c.max_players), " max)\n\n"});
  text += "#      name userid uniqueid frag time ping loss adr\n";
  for (size_t i = 0; i < facts.players.size(); ++i) {
    const DemoPlayer& p = facts.players[i];
    const std::string row = std::to_string(i + 1);
    const uint32_t user_id = UserId(facts, i);
    text +=
        Join({"#", row, " ", Quote(p.name), " ", std::to_string(user_id), " ", UniqueId(user_id),
              " ", std::to_string(p.frags), " ", Clock(p.seconds), " ",
              std::to_string(20 + 7 * (user_id - 1) % 50), " 0 127.0.0.1:", std::to_string(27004 + user_id),
              "\n"});
  }
  text += Join({players, " users\n"});
  return text;
}

std::string LogLine(int64_t now_ms, std::string_view text) {
  const int64_t seconds = 10 * 3600 + (now_ms > 0 ? now_ms / 1000 : 0);
  char stamp[48];
  std::snprintf(stamp, sizeof(stamp),
                "log L 12/06/2026 - %02d:%02d:%02d: ", static_cast<int>(seconds / 3600 % 24),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return Join({stamp, text, "\n"});
}

std::string PeriodicLogText(uint64_t turn, std::span<const DemoPlayer> players) {
  if (players.size() < 2 || turn % 3 == 0) return "World triggered \"Round_Start\"";
  if (turn % 3 == 1) return Join({PlayerTag(players, 0), " say \"hello from the demo server\""});
  return Join({PlayerTag(players, turn % players.size()), " killed ",
               PlayerTag(players, (turn + 1) % players.size()), " with \"crowbar\""});
}

}  // namespace tarnwick::demo
