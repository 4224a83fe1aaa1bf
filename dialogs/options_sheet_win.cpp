// OpenOptionsSheet: builds the six pages on copies of the window's settings, runs the sheet, and on
// OK hands the copies back to the window and applies them at once.
#include "dialogs/options_sheet_win.h"

#include "common/string_resource_win.h"
#include "common/wide_text_win.h"
#include "dialogs/options_pages_win.h"
#include "highlight/highlight_page_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"

namespace tarnwick {
namespace {

// Refills the address box from the recent servers and keeps the server it showed.
void RefillAddressBox(MainWindow& window) {
  const std::string shown = window.Bars().AddressText();
  window.FillAddressBox();
  HWND box = window.Bars().AddressBox();
  const LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Widen(shown).c_str()));
  if (index != CB_ERR) {
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    SetWindowTextUtf8(box, shown);
  }
}

void Apply(MainWindow& window, const OptionValues& values,
           const std::vector<HighlightRule>& rules) {
  Settings& settings = window.CurrentSettings();
  const AppliedOptions applied = ApplyOptionValues(values, settings);
  window.Commands().SetChecked(ID_TOOLS_MINIMIZE_TO_TRAY, settings.minimizeToTray);
  if (applied.addressBoxChanged) {
    window.Bars().DestroyAddressBox();
    window.CreateAddressBox();
  }
  window.Commands().SetChecked(ID_TOOLS_AUTO_UPDATE, settings.autoUpdate);
  HWND players = window.Players().hwnd();
  if (applied.highlightChanged) {
    RedrawWindow(players, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  window.Commands().SetChecked(ID_FILE_AUTO_JOIN, window.Launcher().AutojoinOn());
  RefillAddressBox(window);
  window.HighlightRules() = rules;
  SortByPriority(window.HighlightRules());
  InvalidateRect(players, nullptr, TRUE);
  window.UpdateLayout(true);
  window.ResetTimers();
  window.RefreshCaption();
}

}  // namespace

void OpenOptionsSheet(MainWindow& window) {
  OptionValues values = OptionValuesFrom(window.CurrentSettings());
  GeneralOptionsPage general(values.general);
  RefreshOptionsPage refresh(values.refresh);
  TrayOptionsPage tray(values.tray);
  MiscOptionsPage misc(values.misc);
  ServersOptionsPage servers(window.RecentServerList());
  HighlightPage highlight(window.HighlightRules(), window.Fonts());

  const INT_PTR result = RunPropertySheet(window.hwnd(), "Options",
                                          {{&general, IDD_OPTIONS_GENERAL},
                                           {&refresh, IDD_OPTIONS_REFRESH},
                                           {&tray, IDD_OPTIONS_TRAY},
                                           {&misc, IDD_OPTIONS_MISC},
                                           {&servers, IDD_OPTIONS_SERVERS},
                                           {&highlight, IDD_OPTIONS_HIGHLIGHT}},
                                          0);
  if (result <= 0) return;
  Apply(window, values, highlight.Rules());
}

}  // namespace tarnwick
