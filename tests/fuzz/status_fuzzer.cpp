// Feeds random server text to the reader of the "status" answer and to the player list's admin
// actions:
// - the reader and the collector (the text in random pieces, asked at random times) keep within
//   their bounds: at most kMaxStatusPlayers rows, names and ids within their lengths, a trusted
//   answer only with as many rows as its closing line counts;
// - every command made from a row has one of the allowed shapes ("kick #<digits>", "banid
//   <minutes> <Steam, Valve or WON id> kick", "writeid", "addip <minutes> <dotted IPv4>",
//   "writeip"), checked here by a reading of its own, and no command holds a control character,
//   a double quote or a semicolon;
// - "say" texts made of random input hold none of those either and stay within their length;
// - the menu gives a player to act on only when exactly one row has the name.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8_text.h"
#include "rcon/admin_actions.h"
#include "rcon/status_reply.h"

namespace {

using namespace tarnwick;

void Check(bool holds, const char* what, std::string_view text = {}) {
  if (holds) return;
  std::fprintf(stderr, "status fuzzer: %s [%.*s]\n", what, static_cast<int>(text.size()),
               text.data());
  std::abort();
}

bool Digits(std::string_view text, size_t least, size_t most) {
  if (text.size() < least || text.size() > most) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::vector<std::string_view> SplitAt(std::string_view text, char at) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == at) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

bool IsMinutes(std::string_view word) {
  return word == "5" || word == "60" || word == "1440" || word == "0";
}

bool IsBanId(std::string_view id) {
  for (const std::string_view prefix : {"STEAM_", "VALVE_"}) {
    if (id.substr(0, prefix.size()) != prefix) continue;
    const std::vector<std::string_view> parts = SplitAt(id.substr(prefix.size()), ':');
    return parts.size() == 3 && Digits(parts[0], 1, 2) && Digits(parts[1], 1, 2) &&
           Digits(parts[2], 1, 10);
  }
  return Digits(id, 1, 10) && id.find_first_not_of('0') != std::string_view::npos;
}

bool IsIpv4(std::string_view ip) {
  const std::vector<std::string_view> parts = SplitAt(ip, '.');
  if (parts.size() != 4) return false;
  for (const std::string_view part : parts) {
    if (!Digits(part, 1, 3) || std::stoi(std::string(part)) > 255) return false;
  }
  return true;
}

bool HasShape(const std::string& command) {
  const std::vector<std::string_view> words = SplitAt(command, ' ');
  if (command == "writeid" || command == "writeip") return true;
  if (words.size() == 2 && words[0] == "kick") {
    return words[1].size() > 1 && words[1][0] == '#' && Digits(words[1].substr(1), 1, 10);
  }
  if (words.size() == 4 && words[0] == "banid") {
    return IsMinutes(words[1]) && IsBanId(words[2]) && words[3] == "kick";
  }
  if (words.size() == 3 && words[0] == "addip") return IsMinutes(words[1]) && IsIpv4(words[2]);
  return false;
}

void CheckClean(const std::string& command) {
  for (const char c : command) {
    const auto byte = static_cast<unsigned char>(c);
    Check(byte >= 0x20 && byte != 0x7F && c != '"' && c != ';', "a command with a bad character",
          command);
  }
}

void CheckCommands(const StatusPlayer& player) {
  std::vector<std::string> commands;
  if (const std::optional<std::string> kick = KickCommand(player)) commands.push_back(*kick);
  for (const BanTime time :
       {BanTime::kFiveMinutes, BanTime::kOneHour, BanTime::kOneDay, BanTime::kPermanent}) {
    for (const std::string& c : BanIdCommands(player, time)) commands.push_back(c);
    for (const std::string& c : BanAddressCommands(player, time)) commands.push_back(c);
  }
  for (const std::string& command : commands) {
    CheckClean(command);
    Check(HasShape(command), "a command of no allowed shape", command);
  }
}

void CheckReply(const StatusReply& reply) {
  Check(reply.players.size() <= kMaxStatusPlayers, "too many rows");
  if (reply.Trusted()) Check(*reply.users == reply.players.size(), "trusted with a wrong count");
  for (const StatusPlayer& player : reply.players) {
    Check(player.name.size() <= kMaxStatusName, "a name too long", player.name);
    Check(player.userId.size() <= kMaxStatusId && player.uniqueId.size() <= kMaxStatusId,
          "an id too long");
    Check(player.name.find('\n') == std::string::npos, "a name across lines", player.name);
    CheckCommands(player);
  }
}

std::string Shown(std::string_view bytes) { return std::string(bytes); }

// Rows made of random words in the table's shape, so that most inputs reach the row reader.
std::string TableText(FuzzedDataProvider& in) {
  static constexpr const char* kWords[] = {
      "#", "# 1 ", "#12 ", "\"", "\" ", " ", "\t", "\n", "\r\n", "5 users\n", "1 users\n",
      "#      name userid uniqueid frag time ping loss adr\n", "STEAM_0:1:123", "VALVE_0:0:7",
      "BOT", "HLTV", "VALVE_ID_LAN", "STEAM_ID_PENDING", "1234567", "0", "12:34", "1:02:03",
      "192.0.2.7:27005", "loopback", "256.1.1.1", ";quit", "-3", "7", "Freeman"};
  std::string text;
  while (in.remaining_bytes() > 0 && text.size() < 8192) {
    if (in.ConsumeBool()) {
      text += kWords[in.ConsumeIntegralInRange<size_t>(0, std::size(kWords) - 1)];
    } else {
      text += in.ConsumeRandomLengthString(24);
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int mode = in.ConsumeIntegralInRange<int>(0, 2);
  if (mode == 2) {
    const std::string typed = in.ConsumeRemainingBytesAsString();
    if (const std::optional<std::string> say = SayCommand(typed)) {
      Check(say->substr(0, 4) == "say " && say->size() > 4, "a say without text", *say);
      Check(say->size() <= 4 + kMaxSayText, "a say too long", *say);
      CheckClean(*say);
      if (IsValidUtf8(typed)) Check(IsValidUtf8(*say), "a say cut inside a character", *say);
    }
    return 0;
  }
  const std::string name = in.ConsumeRandomLengthString(16);
  const std::string text = mode == 0 ? TableText(in) : in.ConsumeRemainingBytesAsString();

  const StatusReply whole = ReadStatusReply(text);
  CheckReply(whole);

  // The same text in pieces, as print replies bring it.
  StatusCollector collector;
  uint32_t now = 1000;
  collector.Asked(now);
  for (size_t at = 0; at < text.size();) {
    const size_t piece = 1 + (text[at] & 0x3F) * 23;
    collector.Received(std::string_view(text).substr(at, piece), ++now);
    at += piece;
  }
  if (const StatusReply* fresh = collector.Fresh(now)) {
    CheckReply(*fresh);
    if (whole.Complete() && fresh->Trusted()) {
      Check(whole.players == fresh->players, "pieces read otherwise than the whole");
    }
  }

  AdminMenuFacts facts;
  facts.connected = true;
  facts.passwordWorks = true;
  facts.name = name;
  facts.answer = &whole;
  const AdminMenuState state = DecideAdminMenu(facts, &Shown);
  if (state.kick || state.banId || state.banAddress) {
    Check(state.player.has_value() && whole.Trusted(), "an action without a trusted player");
    size_t named = 0;
    for (const StatusPlayer& player : whole.players) named += player.name == name ? 1 : 0;
    Check(named == 1 && state.player->name == name, "an action for a name not unique", name);
  }
  return 0;
}
