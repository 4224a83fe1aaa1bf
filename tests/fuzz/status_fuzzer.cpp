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
#include <iterator>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8_text.h"
#include "rcon/admin_actions.h"
#include "rcon/status_reply.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tarnwick;

// The allowed shapes, read here independently of the code that builds them: a kick by user id, a
// ban by a Steam, Valve or WON id (not all zeros) with the kick, a ban of a dotted IPv4 address
// (each part at most 255), and the commands that write the lists.
bool HasShape(const std::string& command) {
  static const std::regex kShapes(
      "kick #[0-9]{1,10}|writeid|writeip"
      "|banid (5|60|1440|0) ((STEAM|VALVE)_[0-9]{1,2}:[0-9]{1,2}:[0-9]{1,10}"
      "|(?=[0-9]{1,10} )0*[1-9][0-9]*) kick"
      "|addip (5|60|1440|0) (([01]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\\.){3}"
      "([01]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])");
  return std::regex_match(command, kShapes);
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

  const AdminMenuState state = DecideAdminMenu(
      {true, true, name, &whole}, [](std::string_view bytes) { return std::string(bytes); });
  if (state.kick || state.banId || state.banAddress) {
    Check(state.player.has_value() && whole.Trusted(), "an action without a trusted player");
    size_t named = 0;
    for (const StatusPlayer& player : whole.players) named += player.name == name ? 1 : 0;
    Check(named == 1 && state.player->name == name, "an action for a name not unique", name);
  }
  return 0;
}
