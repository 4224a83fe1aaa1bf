// The About box: the banner links to the maker's web site; program name, version, copyright and
// build number are read at run time from the program file's own version resource; the credits are
// mail links.
#ifndef TARNWICK_SHELL_ABOUT_BOX_WIN_H
#define TARNWICK_SHELL_ABOUT_BOX_WIN_H

#include "common/win32.h"

namespace tarnwick {

// Runs the box modally over the active window and returns when it is closed.
void ShowAbout(HINSTANCE instance);

}  // namespace tarnwick

#endif
