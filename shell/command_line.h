// A window thread's command line: "-new" and "-tray" anywhere, the rest a server text.
#ifndef TARNWICK_SHELL_COMMAND_LINE_H
#define TARNWICK_SHELL_COMMAND_LINE_H

#include <string>
#include <string_view>

namespace tarnwick {

struct WindowCommandLine {
  bool openedWithNew = false;  // "-new": a window another window asked for
  bool startInTray = false;    // "-tray": hide into the tray right after showing
  std::string server;          // what is left, without leading white space; empty: no server
};

// Lower-cases the whole line first, so options match in any case and host names are used in lower
// case; then takes out every "-new" and every "-tray", wherever they stand (also inside a word),
// until none is left.
WindowCommandLine ParseWindowCommandLine(std::string_view line);

// Takes out every occurrence of `word`; returns whether there was one.
bool RemoveEvery(std::string& text, std::string_view word);

}  // namespace tarnwick

#endif
