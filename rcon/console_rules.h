// When the remote console's controls may be used, and which sent commands join its history.
#ifndef TARNWICK_RCON_CONSOLE_RULES_H
#define TARNWICK_RCON_CONSOLE_RULES_H

#include <optional>
#include <string_view>

#include "engine/ipv4.h"

namespace tarnwick {

struct ConsoleFacts {
  bool connected = false;
  bool passwordEmpty = true;
  bool serverIsPrivate = false;
  // This host's address for the server's log; nothing when the host lookup found none.
  std::optional<Ipv4Address> logAddress;
};

struct ConsoleControlStates {
  bool passwordBox = false;
  bool logSwitch = false;
  bool commandBox = false;
  bool send = false;
};

// Without a connection everything is disabled. While connected the password box is enabled; the
// command box and Send need a password; the log switch needs a password and a log address the
// server can reach: a server on a private network reaches any address, any other server only an
// address that is not private. With no log address known the switch stays disabled.
ConsoleControlStates ConsoleEnableRules(const ConsoleFacts& facts);

// A command that sets a password: its first word ends in "password" in any letter case
// ("rcon_password", "sv_password"). It is sent, but kept out of the history and the settings.
bool IsSecretCommand(std::string_view command);

// A sent command joins the history unless it is empty, a secret, or the list already holds it
// without regard to letter case (`foundIndex` >= 0: the list's case-insensitive search found it).
bool ShouldAddToHistory(std::string_view command, int foundIndex);

}  // namespace tarnwick

#endif
