// The texts the remote console sends to the server, and the choice of this host's address that is
// announced to the server for its log stream. Passwords and commands go out exactly as typed:
// there is no quoting or escaping, and a password with blanks is sent as it is.
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

// "rcon <password> <command>".
std::string RconCommandText(std::string_view password, std::string_view command);

// "rcon <password> logaddress a.b.c.d <port>": asks the server to send its log to this program.
std::string LogAddressOnText(std::string_view password, const Ipv4Address& logAddress,
                             uint16_t logPort);

// "rcon <password> logaddress 127.0.0.1 <serverPort>": the server sends its log to its own
// loopback address, that is, to nobody.
std::string LogAddressOffText(std::string_view password, uint16_t serverPort);

// The log address from this host's addresses in their listed order: the first one that is not
// private, or the last one when all are private; nothing when the list is empty.
std::optional<Ipv4Address> ChooseLogAddress(std::span<const Ipv4Address> hostAddresses);

}  // namespace tarnwick

#endif
