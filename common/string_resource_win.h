// Texts from the program's string table.
#ifndef TARNWICK_COMMON_STRING_RESOURCE_WIN_H
#define TARNWICK_COMMON_STRING_RESOURCE_WIN_H

#include <string>

#include "common/win32.h"

namespace tarnwick {

// The module whose resources the program uses (the running program, or a test program that
// links the same resource script).
HINSTANCE ResourceModule();

// The string `id` of the string table; empty when there is none.
std::string LoadResourceString(UINT id);

// A filter list for the common file dialogs from a string whose '|' separate the parts.
std::string LoadFilterString(UINT id);

}  // namespace tarnwick

#endif
