// The main window's side of its stored settings: what its windows show goes into a WindowSettings
// before a save, and what loading gave goes back to the windows. The creation handler, once the
// remote console exists (the player list does not exist yet):
//
//   WindowSettings stored{settings_, std::nullopt, recentServers_, highlightRules_};
//   const bool found = LoadWindowSettings(store_, stored);
//   ApplyToWindows({hwnd(), console, consoleCommandBox, nullptr}, stored, found);
//   settings_ = stored.settings;  ... and the lists likewise
//
// and the close handler, first thing:
//
//   WindowSettings stored{settings_, std::nullopt, recentServers_, highlightRules_};
//   TakeFromWindows({hwnd(), console, consoleCommandBox, playerList}, stored);
//   SaveWindowSettings(store_, stored);
//
// A null handle skips what needs that window: no placement is applied to or taken from it, the
// player list's columns stay as the settings hold them, no history is added or taken.
// Thread: the window thread that owns the handles.
#ifndef TARNWICK_SHELL_MAIN_WINDOW_SETTINGS_WIN_H
#define TARNWICK_SHELL_MAIN_WINDOW_SETTINGS_WIN_H

#include "common/win32.h"
#include "shell/window_settings.h"

namespace tarnwick {

struct MainWindowHandles {
  HWND mainWindow = nullptr;
  HWND consoleWindow = nullptr;      // the remote console dialog
  HWND consoleCommandBox = nullptr;  // its command box (control 1021), which holds the history
  HWND playerList = nullptr;         // the list view with the columns "#", "Name", "Frags", "Time"
  UINT playerListDpi = 96;           // its DPI: the widths are stored as at 96 DPI
};

// Before a save: the placements of both windows (nothing where the platform cannot say), the
// player list's column order and widths when it can report all four, and the console's history.
void TakeFromWindows(const MainWindowHandles& windows, WindowSettings& stored);

// After a load: the stored placements, the console's without showing it; a window opened with
// "-new" instead gets its 400 by 600 pixels in its place, when a settings key was `found`. The
// loaded history joins the console's command box.
void ApplyToWindows(const MainWindowHandles& windows, const WindowSettings& stored, bool found);

}  // namespace tarnwick

#endif
