// The folder part of the game client path.
#include "launch/working_folder.h"

namespace tarnwick {

std::optional<std::string> WorkingFolderOf(std::string_view path, LeadByteTest isLeadByte) {
  std::optional<size_t> lastSeparator;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte == '\\') {
      lastSeparator = i;
    } else if (isLeadByte != nullptr && isLeadByte(byte) && i + 1 < path.size()) {
      ++i;
    }
  }
  if (!lastSeparator) return std::nullopt;
  std::string folder(path.substr(0, *lastSeparator));
  if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder += '\\';
  return folder;
}

}  // namespace tarnwick
