// Saving the remote console's output to a log file the user picks ("Save log as..."): a save-file
// dialog with the log file filter, "Tarnwick.log" and the extension "log", then the output's text
// as it is (UTF-8 without a byte order mark, CR LF line ends, no header) in a file that others
// may read while it is written.
#ifndef TARNWICK_RCON_CONSOLE_LOG_FILE_WIN_H
#define TARNWICK_RCON_CONSOLE_LOG_FILE_WIN_H

#include <functional>
#include <string>
#include <string_view>

#include "common/win32.h"

namespace tarnwick {

// Runs the save-file dialog for a filled-in request; true when the user confirmed a file, whose
// path is then in the request's file buffer. GetSaveFileNameW unless a test replaces it.
using SaveFileDialog = std::function<bool(OPENFILENAMEW& request)>;

// Asks for a file (dialog owned by `owner`) and writes `text` into it. False when the user
// cancelled or the file could not be written; neither shows a message.
bool SaveConsoleLog(HWND owner, std::string_view text);

// Creates (or replaces) the file at the UTF-8 `path` and writes all of `text`; false when that
// fails.
bool WriteLogFile(const std::string& path, std::string_view text);

// Installs a process-wide dialog (tests only); an empty function restores GetSaveFileNameW.
void SetSaveFileDialog(SaveFileDialog dialog);

}  // namespace tarnwick

#endif
