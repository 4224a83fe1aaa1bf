// The game client's command line and the checks on the server's values that go onto it.
#include "launch/game_command_line.h"

#include <algorithm>

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A decimal number of 1 to `maxDigits` digits, without a leading zero unless it is "0" itself
// (some address parsers read a leading zero as octal), no larger than `maxValue`.
bool ReadNumber(std::string_view& text, size_t maxDigits, uint32_t maxValue, uint32_t& value) {
  size_t length = 0;
  while (length < text.size() && IsDigit(text[length])) ++length;
  if (length == 0 || length > maxDigits) return false;
  if (length > 1 && text[0] == '0') return false;
  value = 0;
  for (size_t i = 0; i < length; ++i) value = value * 10 + static_cast<uint32_t>(text[i] - '0');
  text.remove_prefix(length);
  return value <= maxValue;
}

bool Expect(std::string_view& text, char c) {
  if (text.empty() || text[0] != c) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

bool IsPlainEndpointText(std::string_view text) {
  uint32_t value = 0;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0 && !Expect(text, '.')) return false;
    if (!ReadNumber(text, 3, 255, value)) return false;
  }
  if (!Expect(text, ':')) return false;
  if (!ReadNumber(text, 5, 65535, value) || value == 0) return false;
  return text.empty();
}

bool IsPlainFolderName(std::string_view name) {
  if (name.empty() || name.size() > kMaxGameFolderName) return false;
  if (name[0] == '-') return false;
  const bool allowed = std::all_of(name.begin(), name.end(), [](char c) {
    return IsAsciiLetter(c) || IsDigit(c) || c == '_' || c == '-' || c == '.';
  });
  if (!allowed) return false;
  return name.find_first_not_of('.') != std::string_view::npos;
}

bool IsAcceptablePassword(std::string_view password) {
  return password.find('"') == std::string_view::npos &&
         (password.empty() || password.back() != '\\');
}

std::string FolderNameForMessage(std::string_view name) {
  std::string shown(name.substr(0, kMaxGameFolderName));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  if (name.size() > kMaxGameFolderName) shown += "...";
  return shown;
}

std::string ConnectArgument(const JoinFacts& facts) {
  if (IsPlainEndpointText(facts.reportedAddress)) return facts.reportedAddress;
  return FormatEndpoint(facts.resolved);
}

std::optional<std::string> GameArgument(const JoinFacts& facts) {
  if (facts.isMod == 0) return std::string(kStandardGameFolder);
  if (!IsPlainFolderName(facts.gameDir)) return std::nullopt;
  return facts.gameDir;
}

std::optional<std::string> BuildGameCommandLine(const std::string& format, const JoinFacts& facts,
                                                const std::string& password) {
  const std::optional<std::string> game = GameArgument(facts);
  if (!game || !IsAcceptablePassword(password)) return std::nullopt;
  const std::string address = ConnectArgument(facts);
  return Format(format.c_str(), game->c_str(), password.c_str(), address.c_str());
}

}  // namespace tarnwick
