#include "rcon/console_rules.h"

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

bool ShouldAddToHistory(std::string_view command, int foundIndex) {
  return !command.empty() && foundIndex < 0;
}

}  // namespace tarnwick
