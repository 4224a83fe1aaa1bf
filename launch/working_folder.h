// The working-folder rule: the process's current directory is the game client's folder, set when a
// window has loaded its settings and again before every launch. The folder is everything before the
// last '\' of the game client path; a path without '\' leaves the current directory alone.
#ifndef TARNWICK_LAUNCH_WORKING_FOLDER_H
#define TARNWICK_LAUNCH_WORKING_FOLDER_H

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The folder to make current for `gameClientPath`, or nothing when the path has no '\'. A folder
// that would name only a drive ("C:") or nothing (the path starts with its only '\') gets a
// closing '\', so that it means the drive's root rather than the drive's current directory.
// The path is UTF-8, where no byte of a character other than '\' itself has the value of '\'.
std::optional<std::string> WorkingFolderOf(std::string_view gameClientPath);

}  // namespace tarnwick

#endif
