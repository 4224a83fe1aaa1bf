// The modal "Options" property sheet of one main window.
#ifndef TARNWICK_DIALOGS_OPTIONS_SHEET_WIN_H
#define TARNWICK_DIALOGS_OPTIONS_SHEET_WIN_H

namespace tarnwick {

class MainWindow;

// Runs the sheet; on OK the window takes over and applies the edited settings.
void OpenOptionsSheet(MainWindow& window);

}  // namespace tarnwick

#endif
