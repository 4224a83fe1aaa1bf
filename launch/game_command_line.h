// The game client's command line for joining the watched server, and the checks that keep what the
// server reports from steering it. The server controls the address and the game folder it reports,
// and both land on the command line, where a blank or a quote would add arguments or console
// commands of the server's choosing; so each is used only in a plain form:
//   - the reported address only as "a.b.c.d:port" (four decimal numbers 0-255 without leading
//     zeros, a colon, a decimal port 1-65535 without leading zeros); otherwise the address the
//     connection resolved;
//   - the game folder of a mod only as a plain folder name (see IsPlainFolderName); otherwise
//     there is no command line at all;
//   - the password only without a double quote and not ending in a backslash, which would turn
//     the closing quote into a quote inside the password and run it into the arguments after it
//     (the password prompt refuses both).
#ifndef TARNWICK_LAUNCH_GAME_COMMAND_LINE_H
#define TARNWICK_LAUNCH_GAME_COMMAND_LINE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/ipv4.h"

namespace tarnwick {

// What a join needs to know about the server, copied from the server state.
struct JoinFacts {
  std::string reportedAddress;  // the state's Address text
  Ipv4Endpoint resolved;        // the address and port the connection resolved
  uint8_t isMod = 0;
  std::string gameDir;
};

inline constexpr size_t kMaxGameFolderName = 63;
inline constexpr char kStandardGameFolder[] = "Valve";

// True for "a.b.c.d:port" as described above.
bool IsPlainEndpointText(std::string_view text);

// True for 1 to 63 ASCII letters, digits, '_', '-' and '.', not starting with '-' (the game would
// read it as a switch of its own) and not made of dots alone ("." and ".." name other folders).
bool IsPlainFolderName(std::string_view name);

// False when the password holds a double quote, which would close the quotes around it, or ends in
// a backslash, which would keep them open.
bool IsAcceptablePassword(std::string_view password);

// The "+connect" argument: the reported address when it is plain, else the resolved one.
std::string ConnectArgument(const JoinFacts& facts);

// The "-game" argument: "Valve" when the server runs no mod, else its game folder; nothing when
// the game folder of a mod is not a plain folder name.
std::optional<std::string> GameArgument(const JoinFacts& facts);

// A reported game folder as a refusal message quotes it: control characters as '?', and a name
// longer than 63 characters cut there and ended with "...".
std::string FolderNameForMessage(std::string_view name);

// The command line from `format` (string 132, three "%s": game folder, password, address). Nothing
// when GameArgument gives nothing or the password is not acceptable (the password prompt never
// lets such a password through).
std::optional<std::string> BuildGameCommandLine(const std::string& format, const JoinFacts& facts,
                                                const std::string& password);

}  // namespace tarnwick

#endif
