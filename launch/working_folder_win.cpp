// The working-folder rule applied to the process. The path is UTF-8, where no byte of a longer
// character has the value of '\', so no lead bytes need stepping over.
#include "launch/working_folder_win.h"

#include "common/wide_text_win.h"
#include "launch/working_folder.h"

namespace tarnwick {

bool SetWorkingFolder(std::string_view gameClientPath) {
  const std::optional<std::string> folder = WorkingFolderOf(gameClientPath);
  if (!folder) return true;
  return SetCurrentDirectoryW(Widen(*folder).c_str()) != FALSE;
}

}  // namespace tarnwick
