#include "rcon/console_rules.h"

#include "common/ansi_text.h"

namespace tarnwick {

ConsoleControlStates ConsoleEnableRules(const ConsoleFacts& facts) {
  ConsoleControlStates states;
  if (!facts.connected) return states;
  states.passwordBox = true;
  const bool withPassword = !facts.passwordEmpty;
  states.commandBox = withPassword;
  states.send = withPassword;
  const bool reachable = facts.logAddress.has_value() &&
                         (facts.serverIsPrivate || !IsPrivateAddress(*facts.logAddress));
  states.logSwitch = withPassword && reachable;
  return states;
}

bool IsSecretCommand(std::string_view command) {
  constexpr std::string_view kSecretEnding = "password";
  const size_t start = command.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  command.remove_prefix(start);
  const std::string_view word = command.substr(0, command.find_first_of(" \t"));
  return word.size() >= kSecretEnding.size() &&
         EqualsNoCase(word.substr(word.size() - kSecretEnding.size()), kSecretEnding);
}

bool ShouldAddToHistory(std::string_view command, int foundIndex) {
  return !command.empty() && !IsSecretCommand(command) && foundIndex < 0;
}

}  // namespace tarnwick
