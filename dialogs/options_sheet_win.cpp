#include "dialogs/options_sheet_win.h"

namespace tarnwick {

void OpenOptionsSheet(MainWindow&) {}

}  // namespace tarnwick
