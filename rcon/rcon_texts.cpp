#include "rcon/rcon_texts.h"

#include "common/ansi_text.h"

namespace tarnwick {

std::string RconCommandText(std::string_view password, std::string_view command) {
  std::string text = "rcon ";
  text.append(password);
  text.push_back(' ');
  text.append(command);
  return text;
}

std::string RconChallengeCommandText(uint32_t challenge, std::string_view password,
                                     std::string_view command) {
  std::string text = Format("rcon %u ", static_cast<unsigned>(challenge));
  text.append(password);
  text.push_back(' ');
  text.append(command);
  return text;
}

std::string LogAddressOnCommand(const Ipv4Address& logAddress, uint16_t logPort) {
  const auto& o = logAddress.octets;
  return Format("logaddress %u.%u.%u.%u %u", unsigned{o[0]}, unsigned{o[1]}, unsigned{o[2]},
                unsigned{o[3]}, unsigned{logPort});
}

std::string LogAddressOffCommand(uint16_t serverPort) {
  return Format("logaddress 127.0.0.1 %u", unsigned{serverPort});
}

std::optional<Ipv4Address> ChooseLogAddress(std::span<const Ipv4Address> hostAddresses) {
  std::optional<Ipv4Address> chosen;
  for (const Ipv4Address& address : hostAddresses) {
    chosen = address;
    if (!IsPrivateAddress(address)) break;
  }
  return chosen;
}

}  // namespace tarnwick
