// Makes the game client's folder the process's current directory (SetCurrentDirectoryA). The
// current directory is shared by every window of the process.
#ifndef TARNWICK_LAUNCH_WORKING_FOLDER_WIN_H
#define TARNWICK_LAUNCH_WORKING_FOLDER_WIN_H

#include <string_view>

namespace tarnwick {

// Sets the folder of `gameClientPath` as the current directory; a path without '\' changes
// nothing. False when the folder could not be made current (the directory stays as it was).
bool SetWorkingFolder(std::string_view gameClientPath);

}  // namespace tarnwick

#endif
