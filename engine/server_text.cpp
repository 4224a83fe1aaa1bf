#include "engine/server_text.h"

#include "common/ansi_text.h"

namespace tarnwick {

ServerText SplitServerText(std::string_view text) {
  ServerText result;
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) {
    result.host = std::string(text);
    return result;
  }
  result.host = std::string(text.substr(0, colon));
  result.port = static_cast<uint16_t>(static_cast<uint32_t>(ParseDecimal(text.substr(colon + 1))));
  return result;
}

std::string JoinServerText(std::string_view host, uint16_t port) {
  return std::string(host) + ":" + std::to_string(port);
}

}  // namespace tarnwick
