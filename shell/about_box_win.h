// The About box: program name, version and build read from the program's version resource.
#ifndef TARNWICK_SHELL_ABOUT_BOX_WIN_H
#define TARNWICK_SHELL_ABOUT_BOX_WIN_H

#include "common/win32.h"

namespace tarnwick {

// Runs the box modally over the active window.
void ShowAbout(HINSTANCE instance);

}  // namespace tarnwick

#endif
