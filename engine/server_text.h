// The server text a user types: a host, or a host, a colon and a decimal port.
#ifndef TARNWICK_ENGINE_SERVER_TEXT_H
#define TARNWICK_ENGINE_SERVER_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr uint16_t kDefaultServerPort = 27015;

struct ServerText {
  std::string host;
  uint16_t port = kDefaultServerPort;
};

// Splits at the first colon. The port is the text after it read as a decimal number (0 when it
// holds no digits), of which the low 16 bits are kept; without a colon the port is 27015.
ServerText SplitServerText(std::string_view text);

// "host:port", the form the recent servers list keeps.
std::string JoinServerText(std::string_view host, uint16_t port);

}  // namespace tarnwick

#endif
