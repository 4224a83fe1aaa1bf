// The window steps of loading and saving settings: placement records taken from and given to real
// windows, the size of a window opened with "-new", and the program's own path for the logon
// entry. The main window calls these on its own thread, which owns the windows they touch.
#ifndef TARNWICK_SETTINGS_WINDOW_PLACEMENT_WIN_H
#define TARNWICK_SETTINGS_WINDOW_PLACEMENT_WIN_H

#include <optional>
#include <string>

#include "common/win32.h"
#include "settings/settings.h"

namespace tarnwick {

// The window's placement record (GetWindowPlacement); nothing when the call fails.
std::optional<PlacementRecord> TakePlacementRecord(HWND window);

// Applies a stored record (SetWindowPlacement), which also shows the window in the record's show
// state. The record's length field is set to the platform's size first, so a damaged length cannot
// make the call fail.
bool ApplyPlacementRecord(HWND window, const PlacementRecord& record);

// Gives the window this size, keeping its position and stacking order, without redrawing.
void SizeWindowKeepingPlace(HWND window, int width, int height);

// The full path of the running program file (at most 260 UTF-16 units) in UTF-8.
std::string ProgramFilePath();

}  // namespace tarnwick

#endif
