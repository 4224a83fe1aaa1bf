// The modal "Options" property sheet of one main window.
#ifndef TARNWICK_DIALOGS_OPTIONS_SHEET_WIN_H
#define TARNWICK_DIALOGS_OPTIONS_SHEET_WIN_H

#include <vector>

#include "common/win32.h"
#include "dialogs/option_values.h"
#include "highlight/highlight_fonts_win.h"
#include "highlight/highlight_rules.h"
#include "settings/recent_servers.h"

namespace tarnwick {

// Runs the sheet over `owner` on the given copies. True on OK: `values` and `rules` then hold the
// edits for the window to apply; the Servers page has edited `servers` in place.
bool RunOptionsSheet(HWND owner, OptionValues& values, RecentServers& servers,
                     std::vector<HighlightRule>& rules, const HighlightFonts& fonts);

}  // namespace tarnwick

#endif
