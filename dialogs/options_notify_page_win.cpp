// The "Notifications" page: the events that show a tray balloon, and how often a window in the
// tray reads the player list while a highlight rule notifies.
#include "dialogs/options_pages_win.h"
#include "dialogs/page_exchange_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr int kIntervalMax = 3600;

}  // namespace

void NotifyOptionsPage::OnInit() {
  SendMessageA(GetDlgItem(hwnd(), IDC_NOTIFY_PLAYERS_INTERVAL_SPIN), UDM_SETRANGE32, 0,
               kIntervalMax);
}

void NotifyOptionsPage::OnSetActive() {
  SetControls(hwnd(), {Exchange::Check(IDC_NOTIFY_PLAYERS, values_.players),
                       Exchange::Check(IDC_NOTIFY_FREE_SLOT, values_.freeSlot),
                       Exchange::Check(IDC_NOTIFY_CONNECTION, values_.connection),
                       Exchange::Check(IDC_NOTIFY_MAP_CHANGE, values_.mapChange),
                       Exchange::Number(IDC_NOTIFY_PLAYERS_INTERVAL, values_.playersIntervalTray)});
}

bool NotifyOptionsPage::OnKillActive() {
  return ReadControls(
      hwnd(), {Exchange::Check(IDC_NOTIFY_PLAYERS, values_.players),
               Exchange::Check(IDC_NOTIFY_FREE_SLOT, values_.freeSlot),
               Exchange::Check(IDC_NOTIFY_CONNECTION, values_.connection),
               Exchange::Check(IDC_NOTIFY_MAP_CHANGE, values_.mapChange),
               Exchange::Number(IDC_NOTIFY_PLAYERS_INTERVAL, values_.playersIntervalTray)});
}

}  // namespace tarnwick
