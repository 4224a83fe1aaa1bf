#include "dialogs/server_info_sheet_win.h"

namespace tarnwick {

void ServerInfoSheet::Open(int) { (void)window_; }
void ServerInfoSheet::ServerInfoChanged() {}
void ServerInfoSheet::PingFiguresChanged() {}
void ServerInfoSheet::RulesChanged() {}

}  // namespace tarnwick
