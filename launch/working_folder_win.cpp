// The working-folder rule applied to the process, stepping over double-byte characters of the
// active code page as CharNextA would.
#include "launch/working_folder_win.h"

#include "common/win32.h"
#include "launch/working_folder.h"

namespace tarnwick {
namespace {

bool IsLeadByteOfCodePage(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

bool SetWorkingFolder(std::string_view gameClientPath) {
  const std::optional<std::string> folder = WorkingFolderOf(gameClientPath, &IsLeadByteOfCodePage);
  if (!folder) return true;
  return SetCurrentDirectoryA(folder->c_str()) != FALSE;
}

}  // namespace tarnwick
