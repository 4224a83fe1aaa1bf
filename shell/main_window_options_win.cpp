// The Options command: the sheet edits copies of the window's settings; on OK the window takes
// them over and applies them at once.

#include "common/wide_text_win.h"
#include "dialogs/options_sheet_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"

namespace tarnwick {

void MainWindow::OpenOptions() {
  OptionValues values = OptionValuesFrom(settings_);
  std::vector<HighlightRule> rules = highlightRules_;
  if (!RunOptionsSheet(hwnd(), values, recentServers_, rules, highlightFonts_)) return;

  const AppliedOptions applied = ApplyOptionValues(values, settings_);
  commands_.SetChecked(ID_TOOLS_MINIMIZE_TO_TRAY, settings_.minimizeToTray);
  if (applied.addressBoxChanged) {
    bars_.DestroyAddressBox();
    CreateAddressBox();
  }
  commands_.SetChecked(ID_TOOLS_AUTO_UPDATE, settings_.autoUpdate);
  HWND players = playerList_.hwnd();
  if (applied.highlightChanged) {
    RedrawWindow(players, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  commands_.SetChecked(ID_FILE_AUTO_JOIN, launcher_.AutojoinOn());

  // The address box is filled again from the recent servers and keeps the server it showed.
  const std::string shown = bars_.AddressText();
  FillAddressBox();
  HWND box = bars_.AddressBox();
  const LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Widen(shown).c_str()));
  if (index != CB_ERR) {
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    SetWindowTextUtf8(box, shown);
  }

  highlightRules_ = std::move(rules);
  SortByPriority(highlightRules_);
  InvalidateRect(players, nullptr, TRUE);
  UpdateLayout(true);
  ResetTimers();
  RefreshCaption();
}

}  // namespace tarnwick
