// The texts the remote console sends to the server, and the choice of this host's address that is
// announced to the server for its log stream. Passwords and commands go out exactly as typed:
// there is no quoting or escaping, and a password with blanks is sent as it is. Which form a
// command goes out in is RconSession's decision (rcon_session.h).
#ifndef TARNWICK_RCON_RCON_TEXTS_H
#define TARNWICK_RCON_RCON_TEXTS_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/ipv4.h"

namespace tarnwick {

// The longest password and command the console reads from its boxes.
inline constexpr size_t kMaxConsoleText = 255;

// Asks today's servers for the number the challenge form needs.
inline constexpr std::string_view kRconChallengeRequest = "challenge rcon";

// "rcon <password> <command>": the challenge-less form servers of 2001 take.
std::string RconCommandText(std::string_view password, std::string_view command);

// "rcon <challenge> <password> <command>", the challenge in decimal: the form today's servers take.
std::string RconChallengeCommandText(uint32_t challenge, std::string_view password,
                                     std::string_view command);

// "logaddress a.b.c.d <port>": asks the server to send its log to this program.
std::string LogAddressOnCommand(const Ipv4Address& logAddress, uint16_t logPort);

// "logaddress 127.0.0.1 <serverPort>": the server sends its log to its own loopback address,
// that is, to nobody.
std::string LogAddressOffCommand(uint16_t serverPort);

// The log address from this host's addresses in their listed order: the first one that is not
// private, or the last one when all are private; nothing when the list is empty.
std::optional<Ipv4Address> ChooseLogAddress(std::span<const Ipv4Address> hostAddresses);

}  // namespace tarnwick

#endif
