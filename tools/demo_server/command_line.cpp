#include "tools/demo_server/command_line.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

#include "tools/demo_server/join_text.h"

namespace tarnwick::demo {
namespace {

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, Number low, Number high) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<float> ParseSeconds(std::string_view text) {
  // from_chars for floats is missing from some of the toolchains; seconds are whole or .5-ish.
  const std::string copy(text);
  float value = 0;
  char extra = 0;
  if (std::sscanf(copy.c_str(), "%f%c", &value, &extra) != 1 || value < 0) return std::nullopt;
  return value;
}

// "Name:frags:seconds", split from the right so that a name may hold colons.
std::optional<DemoPlayer> ParsePlayer(std::string_view text) {
  const size_t second_colon = text.rfind(':');
  if (second_colon == std::string_view::npos || second_colon == 0) return std::nullopt;
  const size_t first_colon = text.rfind(':', second_colon - 1);
  if (first_colon == std::string_view::npos) return std::nullopt;
  const auto frags = ParseNumber<int32_t>(
      text.substr(first_colon + 1, second_colon - first_colon - 1), INT32_MIN, INT32_MAX);
  const auto seconds = ParseSeconds(text.substr(second_colon + 1));
  if (!frags || !seconds) return std::nullopt;
  return DemoPlayer{std::string(text.substr(0, first_colon)), *frags, *seconds};
}

struct State {
  CommandLine* result;
  bool players_given = false;
  bool rules_given = false;
};

using Handler = std::function<bool(State&, std::string_view)>;

struct Option {
  const char* name;
  bool takes_value;
  Handler handle;
};

// An option that stores a number between `low` and `high` into the field `pick` selects.
template <typename Number, typename Pick>
Option NumberOption(const char* name, Number low, Number high, Pick pick) {
  return {name, true, [=](State& state, std::string_view value) {
            const std::optional<Number> number = ParseNumber<Number>(value, low, high);
            if (number) pick(state.result->config) = *number;
            return number.has_value();
          }};
}

template <typename Pick>
Option TextOption(const char* name, Pick pick) {
  return {name, true, [=](State& state, std::string_view value) {
            pick(state.result->config) = std::string(value);
            return true;
          }};
}

template <typename Pick>
Option SwitchOption(const char* name, Pick pick) {
  return {name, false, [=](State& state, std::string_view) {
            pick(state.result->config) = true;
            return true;
          }};
}

const std::vector<Option>& Options() {
  using C = DemoConfig;
  static const std::vector<Option> options = {
      NumberOption<uint16_t>("--port", 0, 65535, [](C& c) -> auto& { return c.port; }),
      {"--bind", true, [](State& state, std::string_view value) {
         const std::optional<uint32_t> address = ParseIpv4(value);
         if (!address || !IsLoopbackAddress(*address)) return false;
         state.result->config.bind_address = *address;
         return true;
       }},
      TextOption("--name", [](C& c) -> auto& { return c.host_name; }),
      TextOption("--map", [](C& c) -> auto& { return c.map; }),
      TextOption("--folder", [](C& c) -> auto& { return c.folder; }),
      TextOption("--description", [](C& c) -> auto& { return c.description; }),
      {"--player", true, [](State& state, std::string_view value) {
         const std::optional<DemoPlayer> player = ParsePlayer(value);
         if (!player) return false;
         if (!state.players_given) state.result->config.players.clear();
         state.players_given = true;
         state.result->config.players.push_back(*player);
         return true;
       }},
      {"--no-players", false, [](State& state, std::string_view) {
         state.players_given = true;
         state.result->config.players.clear();
         return true;
       }},
      NumberOption<int>("--max-players", 0, 255, [](C& c) -> auto& { return c.max_players; }),
      NumberOption<int>("--protocol", 1, 255, [](C& c) -> auto& { return c.protocol; }),
      SwitchOption("--password-flag", [](C& c) -> auto& { return c.password; }),
      {"--os", true, [](State& state, std::string_view value) {
         if (value != "l" && value != "w") return false;
         state.result->config.os = value[0];
         return true;
       }},
      {"--listen", false, [](State& state, std::string_view) {
         state.result->config.dedicated = false;
         return true;
       }},
      SwitchOption("--mod", [](C& c) -> auto& { return c.is_mod; }),
      TextOption("--mod-link", [](C& c) -> auto& { return c.mod.info_link; }),
      TextOption("--mod-download", [](C& c) -> auto& { return c.mod.download_link; }),
      TextOption("--mod-version-text", [](C& c) -> auto& { return c.mod.version_text; }),
      NumberOption<int32_t>("--mod-version", INT32_MIN, INT32_MAX,
                            [](C& c) -> auto& { return c.mod.version; }),
      NumberOption<int32_t>("--mod-size", INT32_MIN, INT32_MAX,
                            [](C& c) -> auto& { return c.mod.size; }),
      NumberOption<uint8_t>("--mod-type", 0, 255, [](C& c) -> auto& { return c.mod.type; }),
      NumberOption<uint8_t>("--mod-dll", 0, 255, [](C& c) -> auto& { return c.mod.dll; }),
      NumberOption<uint8_t>("--vac", 0, 1, [](C& c) -> auto& { return c.vac; }),
      NumberOption<uint8_t>("--bots", 0, 255, [](C& c) -> auto& { return c.bots; }),
      {"--rule", true, [](State& state, std::string_view value) {
         const size_t equals = value.find('=');
         if (equals == std::string_view::npos || equals == 0) return false;
         if (!state.rules_given) state.result->config.rules.clear();
         state.rules_given = true;
         state.result->config.rules.push_back(
             {std::string(value.substr(0, equals)), std::string(value.substr(equals + 1))});
         return true;
       }},
      {"--no-rules", false, [](State& state, std::string_view) {
         state.rules_given = true;
         state.result->config.rules.clear();
         return true;
       }},
      {"--many-rules", true, [](State& state, std::string_view value) {
         const std::optional<int> count = ParseNumber<int>(value, 1, 2000);
         if (!count) return false;
         std::vector<DemoRule>& rules = state.result->config.rules;
         for (DemoRule& rule : ManyRules(*count)) rules.push_back(std::move(rule));
         return true;
       }},
      TextOption("--rcon-password", [](C& c) -> auto& { return c.rcon_password; }),
      NumberOption<int>("--log-interval", 0, 3600,
                        [](C& c) -> auto& { return c.log_interval_seconds; }),
      NumberOption<uint32_t>("--seed", 0, UINT32_MAX, [](C& c) -> auto& { return c.seed; }),
      SwitchOption("--modern", [](C& c) -> auto& { return c.modern; }),
      {"--info-reply", true, [](State& state, std::string_view value) {
         ModernInfoReply& reply = state.result->config.modern_options.info_reply;
         if (value == "I") reply = ModernInfoReply::kInfo;
         else if (value == "m") reply = ModernInfoReply::kDetails;
         else if (value == "both") reply = ModernInfoReply::kBoth;
         else return false;
         return true;
       }},
      SwitchOption("--challenge-info",
                   [](C& c) -> auto& { return c.modern_options.challenge_info; }),
      NumberOption<uint8_t>("--extra-flags", 0, 255,
                            [](C& c) -> auto& { return c.modern_options.extra_flags; }),
      {"--no-extra-data", false, [](State& state, std::string_view) {
         state.result->config.modern_options.extra_data = false;
         return true;
       }},
      NumberOption<uint64_t>("--steam-id", 0, UINT64_MAX,
                             [](C& c) -> auto& { return c.modern_options.steam_id; }),
      NumberOption<uint64_t>("--game-id", 0, UINT64_MAX,
                             [](C& c) -> auto& { return c.modern_options.game_id; }),
      TextOption("--keywords", [](C& c) -> auto& { return c.modern_options.keywords; }),
      NumberOption<uint16_t>("--app-id", 0, 65535,
                             [](C& c) -> auto& { return c.modern_options.app_id; }),
      TextOption("--game-version", [](C& c) -> auto& { return c.modern_options.game_version; }),
      NumberOption<int>("--split-limit", 64, 65000,
                        [](C& c) -> auto& { return c.modern_options.split_limit; }),
      NumberOption<int>("--rcon-challenge-ms", 0, 86400000,
                        [](C& c) -> auto& { return c.modern_options.rcon_challenge_lifetime_ms; }),
      NumberOption<int>("--ban-after", 0, 1000,
                        [](C& c) -> auto& { return c.modern_options.ban_after_failures; }),
      SwitchOption("--rate-limit", [](C& c) -> auto& { return c.rate_limit.enabled; }),
      NumberOption<int>("--rate-per-second", 1, 1000,
                        [](C& c) -> auto& { return c.rate_limit.per_second; }),
      NumberOption<int>("--rate-window", 1, 3600,
                        [](C& c) -> auto& { return c.rate_limit.window_seconds; }),
      NumberOption<int>("--drop-every", 0, 1000000,
                        [](C& c) -> auto& { return c.faults.drop_every; }),
      NumberOption<int>("--delay-ms", 0, 600000, [](C& c) -> auto& { return c.faults.delay_ms; }),
      NumberOption<int>("--cut-at", 0, 65536, [](C& c) -> auto& { return c.faults.cut_at; }),
      NumberOption<int>("--garbage", 0, 100,
                        [](C& c) -> auto& { return c.faults.garbage_per_reply; }),
      {"--alternate-port", true, [](State& state, std::string_view value) {
         AlternateSource& source = state.result->config.faults.alternate;
         if (value == "only") source = AlternateSource::kOnly;
         else if (value == "also") source = AlternateSource::kAlso;
         else if (value == "off") source = AlternateSource::kOff;
         else return false;
         return true;
       }},
      TextOption("--forged-name", [](C& c) -> auto& { return c.faults.forged_host_name; }),
      NumberOption<int>("--churn-seconds", 0, 86400,
                        [](C& c) -> auto& { return c.faults.churn_seconds; }),
      NumberOption<int>("--flood", 0, 1000000,
                        [](C& c) -> auto& { return c.faults.flood_per_second; }),
      NumberOption<int>("--flood-after", 0, 86400,
                        [](C& c) -> auto& { return c.faults.flood_after_seconds; }),
      NumberOption<int>("--flood-seconds", 0, 86400,
                        [](C& c) -> auto& { return c.faults.flood_seconds; }),
      {"--port-file", true, [](State& state, std::string_view value) {
         state.result->port_file = std::string(value);
         return !value.empty();
       }},
      {"--help", false, [](State& state, std::string_view) {
         state.result->help = true;
         return true;
       }},
  };
  return options;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* result,
                      std::string* error) {
  *result = CommandLine{};
  result->config.port = 27015;
  State state{result};
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    const Option* option = nullptr;
    for (const Option& candidate : Options()) {
      if (name == candidate.name) option = &candidate;
    }
    if (option == nullptr) {
      *error = Join({"unknown option ", name});
      return false;
    }
    std::string_view value;
    if (option->takes_value) {
      if (i + 1 >= arguments.size()) {
        *error = Join({name, " needs a value"});
        return false;
      }
      value = arguments[++i];
    }
    if (!option->handle(state, value)) {
      *error = Join({"bad value for ", name, ": ", value});
      return false;
    }
  }
  return true;
}

std::vector<DemoRule> ManyRules(int count) {
  std::vector<DemoRule> rules;
  for (int i = 1; i <= count; ++i) {
    char name[32];
    char value[64];
    std::snprintf(name, sizeof(name), "tw_demo_rule_%04d", i);
    std::snprintf(value, sizeof(value), "value number %d of the demo server", i);
    rules.push_back({name, value});
  }
  return rules;
}

}  // namespace tarnwick::demo

namespace tarnwick::demo {

std::string UsageText() {
  return R"(usage: tarnwick_demo_server [options]
A UDP game server on 127.0.0.1 that answers like a Half-Life server. Ctrl+C stops it.

Server:
  --port N                 port to bind (default 27015; 0 picks a free one)
  --bind A                 loopback address to bind (default 127.0.0.1; 127.x.x.x only)
  --port-file PATH         write the bound port to PATH
  --name T --map T --folder T --description T
  --player NAME:FRAGS:SECONDS   repeatable; replaces the default three players
  --no-players             start empty
  --max-players N          (default 16)
  --protocol N             40 (old mod tail) or 47 (today's details layout; default)
  --password-flag          the server asks for a password
  --os l|w                 (default l)
  --listen                 a listen server instead of a dedicated one
  --vac 0|1  --bots N      the VAC and bots bytes (protocol 47)
  --mod                    the game folder is a modification; with
  --mod-link T --mod-download T --mod-version-text T --mod-version N --mod-size N
  --mod-type N --mod-dll N
  --rule NAME=VALUE        repeatable; replaces the default rules
  --no-rules  --many-rules N   no rules / N more generated rules
  --rcon-password T        (default "demo"; empty refuses every attempt)
  --log-interval S         seconds between streamed log lines (default 2)
  --seed N                 seed for challenges and garbage bytes

Today's servers:
  --modern                 only "ping" of the text queries; 'T', 'U', 'V' with challenges,
                           split rules replies, challenge rcon, a ban after failed rcon attempts
  --info-reply I|m|both    the reply to 'T' (default I)
  --challenge-info         demand a challenge for 'T' too
  --extra-flags N          extra-data flags of 'I' (default 0x80: game port)
  --no-extra-data          no extra-data byte at all
  --steam-id N --keywords T --game-id N --app-id N --game-version T
  --split-limit N          largest datagram before a reply is split (default 1400)
  --rcon-challenge-ms N    lifetime of a rcon challenge (default 60000; 0 forever)
  --ban-after N            failed rcon attempts before a ban (default 5; 0 never)
  --rate-limit             about 3 queries per second per address over a minute; tune with
  --rate-per-second N --rate-window S

Faults (replies only):
  --drop-every N           drop every Nth reply datagram
  --delay-ms N             send replies N ms late
  --cut-at N               cut replies to N bytes
  --garbage N              N junk datagrams before each reply
  --alternate-port only|also   replies from a second socket (also: a forged copy from there first)
  --forged-name T          host name of the forged copies (default "Forged reply")
  --churn-seconds N        a player joins or leaves every N seconds

Flood (unasked, from the server's own address and port, to the first address that asked):
  --flood N                N junk datagrams per second
  --flood-after S          start S seconds after that first request (default 0)
  --flood-seconds S        stop after S seconds (default 20)
)";
}

}  // namespace tarnwick::demo
