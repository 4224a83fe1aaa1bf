#include "dialogs/options_sheet_win.h"

#include "dialogs/options_pages_win.h"
#include "highlight/highlight_page_win.h"
#include "resources/resource.h"

namespace tarnwick {

bool RunOptionsSheet(HWND owner, OptionValues& values, RecentServers& servers,
                     std::vector<HighlightRule>& rules, const HighlightFonts& fonts) {
  GeneralOptionsPage general(values.general);
  RefreshOptionsPage refresh(values.refresh);
  TrayOptionsPage tray(values.tray);
  MiscOptionsPage misc(values.misc);
  ServersOptionsPage serversPage(servers);
  HighlightPage highlight(rules, fonts);
  NotifyOptionsPage notify(values.notify);

  const INT_PTR result = RunPropertySheet(owner, "Options",
                                          {{&general, IDD_OPTIONS_GENERAL},
                                           {&refresh, IDD_OPTIONS_REFRESH},
                                           {&tray, IDD_OPTIONS_TRAY},
                                           {&misc, IDD_OPTIONS_MISC},
                                           {&serversPage, IDD_OPTIONS_SERVERS},
                                           {&highlight, IDD_OPTIONS_HIGHLIGHT},
                                           {&notify, IDD_OPTIONS_NOTIFY}},
                                          0);
  if (result <= 0) return false;
  rules = highlight.Rules();
  return true;
}

}  // namespace tarnwick
