#include "rcon/admin_actions.h"

#include <algorithm>

namespace tarnwick {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Digits(std::string_view text, size_t most) {
  return !text.empty() && text.size() <= most && std::all_of(text.begin(), text.end(), IsDigit);
}

// "<prefix>x:y:z": universe and part of one or two digits, account of up to ten.
bool IsAccountId(std::string_view id, std::string_view prefix) {
  if (id.substr(0, prefix.size()) != prefix) return false;
  id.remove_prefix(prefix.size());
  const size_t first = id.find(':');
  if (first == std::string_view::npos) return false;
  const size_t second = id.find(':', first + 1);
  if (second == std::string_view::npos) return false;
  return Digits(id.substr(0, first), 2) && Digits(id.substr(first + 1, second - first - 1), 2) &&
         Digits(id.substr(second + 1), 10);
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

uint32_t BanMinutes(BanTime time) {
  switch (time) {
    case BanTime::kFiveMinutes: return 5;
    case BanTime::kOneHour: return 60;
    case BanTime::kOneDay: return 1440;
    case BanTime::kPermanent: return 0;
  }
  return 0;
}

bool IsUserId(std::string_view id) { return Digits(id, 10); }

bool IsBannableId(std::string_view id) {
  if (IsAccountId(id, "STEAM_") || IsAccountId(id, "VALVE_")) return true;
  return Digits(id, 10) && id.find_first_not_of('0') != std::string_view::npos;
}

std::optional<std::string> AddressToBan(std::string_view address) {
  const std::string_view ip = address.substr(0, address.find(':'));
  if (address.size() > ip.size() && !Digits(address.substr(ip.size() + 1), 5)) return std::nullopt;
  int parts = 0;
  for (size_t start = 0; start <= ip.size(); ++parts) {
    size_t dot = ip.find('.', start);
    if (dot == std::string_view::npos) dot = ip.size();
    const std::string_view part = ip.substr(start, dot - start);
    if (!Digits(part, 3) || (part.size() > 1 && part[0] == '0')) return std::nullopt;
    if (std::stoi(std::string(part)) > 255) return std::nullopt;
    start = dot + 1;
  }
  if (parts != 4) return std::nullopt;
  return std::string(ip);
}

std::optional<std::string> KickCommand(const StatusPlayer& player) {
  if (!IsUserId(player.userId)) return std::nullopt;
  std::string command = "kick #";
  command += player.userId;
  return command;
}

std::vector<std::string> BanIdCommands(const StatusPlayer& player, BanTime time) {
  if (!IsUserId(player.userId) || !IsBannableId(player.uniqueId)) return {};
  std::string command = "banid ";
  command += std::to_string(BanMinutes(time));
  command += ' ';
  command += player.uniqueId;
  command += " kick";
  return {command, "writeid"};
}

std::vector<std::string> BanAddressCommands(const StatusPlayer& player, BanTime time) {
  const std::optional<std::string> ip = AddressToBan(player.address);
  if (!ip || !IsUserId(player.userId) || !IsBannableId(player.uniqueId)) return {};
  std::string command = "addip ";
  command += std::to_string(BanMinutes(time));
  command += ' ';
  command += *ip;
  return {command, "writeip"};
}

std::optional<std::string> SayCommand(std::string_view text) {
  std::string clean;
  for (const char c : text) {
    if (c == '"') {
      clean.push_back('\'');
    } else if (c == ';') {
      clean.push_back(',');
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      clean.push_back(' ');
    } else {
      clean.push_back(c);
    }
  }
  if (clean.size() > kMaxSayText) {
    size_t cut = kMaxSayText;
    while (cut > 0 && IsContinuation(clean[cut])) --cut;
    clean.resize(cut);
  }
  const size_t first = clean.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  std::string command = "say ";
  command.append(clean, first, clean.find_last_not_of(' ') - first + 1);
  return command;
}

AdminMenuState DecideAdminMenu(const AdminMenuFacts& facts, ShownName shown) {
  AdminMenuState state;
  state.copyName = facts.name.has_value();
  state.copyAddress = facts.connected;
  if (!facts.connected) return state;
  if (!facts.passwordWorks) {
    state.note = AdminNote::kNoPassword;
    return state;
  }
  state.say = true;
  if (!facts.name) return state;
  if (facts.answer == nullptr) {
    state.note = facts.asking ? AdminNote::kAsking : AdminNote::kNoAnswer;
    return state;
  }
  if (!facts.answer->Trusted()) {
    state.note = AdminNote::kUnreadable;
    return state;
  }
  size_t matches = 0;
  for (const StatusPlayer& player : facts.answer->players) {
    if (shown(player.name) != *facts.name) continue;
    ++matches;
    state.player = player;
  }
  if (matches != 1) {
    state.player.reset();
    state.note = matches == 0 ? AdminNote::kNoSuchName : AdminNote::kSeveralNames;
    return state;
  }
  state.kick = KickCommand(*state.player).has_value();
  state.banId = !BanIdCommands(*state.player, BanTime::kPermanent).empty();
  state.banAddress = !BanAddressCommands(*state.player, BanTime::kPermanent).empty();
  if (!state.kick) {
    state.note = AdminNote::kBadUserId;
  } else if (!state.banId) {
    state.note = AdminNote::kOnlyKick;
  } else if (!state.banAddress) {
    state.note = AdminNote::kNoAddress;
  }
  return state;
}

}  // namespace tarnwick
