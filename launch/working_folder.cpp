// The folder part of the game client path.
#include "launch/working_folder.h"

namespace tarnwick {

std::optional<std::string> WorkingFolderOf(std::string_view path) {
  const size_t lastSeparator = path.rfind('\\');
  if (lastSeparator == std::string_view::npos) return std::nullopt;
  std::string folder(path.substr(0, lastSeparator));
  if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder += '\\';
  return folder;
}

}  // namespace tarnwick
