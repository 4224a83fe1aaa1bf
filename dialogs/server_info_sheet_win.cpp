#include "dialogs/server_info_sheet_win.h"

#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr UINT kPingPageIndex = 3;

}  // namespace

ServerInfoSheet::ServerInfoSheet(ServerMonitor& monitor)
    : monitor_(monitor), general_(monitor.State()), mod_(monitor.State()), ping_(monitor),
      history_(monitor) {}

void ServerInfoSheet::Open(HWND owner, int command) {
  ServerMonitor& monitor = monitor_;
  const std::string caption =
      Format(LoadResourceString(IDS_SERVER_INFO_CAPTION).c_str(), monitor.HostText().c_str(),
             static_cast<unsigned>(monitor.Port()));
  monitor.SendQuery("details");
  monitor.SendQuery("rules");
  RunPropertySheet(owner, caption,
                   {{&general_, IDD_INFO_GENERAL},
                    {&rules_, IDD_INFO_RULES},
                    {&mod_, IDD_INFO_MOD},
                    {&ping_, IDD_INFO_PING},
                    {&history_, IDD_INFO_HISTORY}},
                   command == ID_VIEW_PING_STATISTICS ? kPingPageIndex : 0);
}

void ServerInfoSheet::ServerInfoChanged(const ServerState& state) {
  general_.Fill(state);
  mod_.Fill(state);
  history_.ServerInfoChanged(state);
}

}  // namespace tarnwick
