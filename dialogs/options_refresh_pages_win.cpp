// The "Refresh", "Tray" and "Misc" pages: the query intervals while the window is shown and while
// it is in the tray, each set switched on and off by its check box, the tray icon set and the
// remaining switches.
#include "common/string_resource_win.h"
#include "common/window_dpi_win.h"
#include "dialogs/options_pages_win.h"
#include "dialogs/page_exchange_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr int kIntervalMax = 3600;
// The pictures beside the icon set's radio buttons: a half-full server in each set.
constexpr int kDefaultSetSample = IDI_TRAY_STRIPES_FIRST + 2;
constexpr int kAlternativeSetSample = IDI_TRAY_NUMBER_FIRST + 10;

void SetIntervalRange(HWND page, std::initializer_list<int> spins) {
  for (int spin : spins) SendMessageA(GetDlgItem(page, spin), UDM_SETRANGE32, 0, kIntervalMax);
}

void ShowSampleIcon(HWND page, int id, int icon) {
  // As large as the tray shows it at the page's DPI.
  const int size = SystemMetricForDpi(SM_CXSMICON, WindowDpi(page));
  auto picture = static_cast<HICON>(
      LoadImageA(ResourceModule(), MAKEINTRESOURCEA(icon), IMAGE_ICON, size, size, LR_SHARED));
  SendMessageA(GetDlgItem(page, id), STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
}

}  // namespace

// ---- Refresh

void RefreshOptionsPage::OnInit() {
  SetIntervalRange(hwnd(),
                   {IDC_REFRESH_PING_SPIN, IDC_REFRESH_DETAILS_SPIN, IDC_REFRESH_PLAYERS_SPIN});
  EnableIntervals();
}

void RefreshOptionsPage::OnSetActive() {
  SetControls(hwnd(), {Exchange::Check(IDC_REFRESH_ENABLE, values_.autoUpdate),
                       Exchange::Number(IDC_REFRESH_PING, values_.pingInterval),
                       Exchange::Number(IDC_REFRESH_DETAILS, values_.detailsInterval),
                       Exchange::Number(IDC_REFRESH_PLAYERS, values_.playersInterval)});
  EnableIntervals();
}

bool RefreshOptionsPage::OnKillActive() {
  return ReadControls(hwnd(), {Exchange::Check(IDC_REFRESH_ENABLE, values_.autoUpdate),
                               Exchange::Number(IDC_REFRESH_PING, values_.pingInterval),
                               Exchange::Number(IDC_REFRESH_DETAILS, values_.detailsInterval),
                               Exchange::Number(IDC_REFRESH_PLAYERS, values_.playersInterval)});
}

bool RefreshOptionsPage::OnCommand(int id, int code) {
  if (id != IDC_REFRESH_ENABLE || code != BN_CLICKED) return false;
  values_.autoUpdate = CheckValue(hwnd(), IDC_REFRESH_ENABLE);
  EnableIntervals();
  return true;
}

void RefreshOptionsPage::EnableIntervals() {
  EnableControls(hwnd(),
                 {IDC_REFRESH_PING, IDC_REFRESH_PING_SPIN, IDC_REFRESH_DETAILS,
                  IDC_REFRESH_DETAILS_SPIN, IDC_REFRESH_PLAYERS, IDC_REFRESH_PLAYERS_SPIN},
                 values_.autoUpdate != 0);
}

// ---- Tray

void TrayOptionsPage::OnInit() {
  SetIntervalRange(hwnd(), {IDC_TRAY_PING_SPIN, IDC_TRAY_DETAILS_SPIN});
  ShowSampleIcon(hwnd(), IDC_TRAY_ICON_DEFAULT, kDefaultSetSample);
  ShowSampleIcon(hwnd(), IDC_TRAY_ICON_ALTERNATIVE, kAlternativeSetSample);
  EnableIntervals();
}

void TrayOptionsPage::OnSetActive() {
  SetControls(hwnd(), {Exchange::Check(IDC_TRAY_ENABLE, values_.autoUpdateTray),
                       Exchange::Number(IDC_TRAY_PING, values_.pingIntervalTray),
                       Exchange::Number(IDC_TRAY_DETAILS, values_.detailsIntervalTray),
                       Exchange::Radio(IDC_TRAY_ICONSET_DEFAULT, values_.iconSet),
                       Exchange::Check(IDC_TRAY_FLASH, values_.flashInTray)});
  EnableIntervals();
}

bool TrayOptionsPage::OnKillActive() {
  return ReadControls(hwnd(), {Exchange::Check(IDC_TRAY_ENABLE, values_.autoUpdateTray),
                               Exchange::Number(IDC_TRAY_PING, values_.pingIntervalTray),
                               Exchange::Number(IDC_TRAY_DETAILS, values_.detailsIntervalTray),
                               Exchange::Radio(IDC_TRAY_ICONSET_DEFAULT, values_.iconSet),
                               Exchange::Check(IDC_TRAY_FLASH, values_.flashInTray)});
}

bool TrayOptionsPage::OnCommand(int id, int code) {
  if (id != IDC_TRAY_ENABLE || code != BN_CLICKED) return false;
  values_.autoUpdateTray = CheckValue(hwnd(), IDC_TRAY_ENABLE);
  EnableIntervals();
  return true;
}

void TrayOptionsPage::EnableIntervals() {
  EnableControls(hwnd(),
                 {IDC_TRAY_PING, IDC_TRAY_PING_SPIN, IDC_TRAY_DETAILS, IDC_TRAY_DETAILS_SPIN},
                 values_.autoUpdateTray != 0);
}

// ---- Misc

void MiscOptionsPage::OnSetActive() {
  SetControls(hwnd(), {Exchange::Check(IDC_MISC_AUTO_DISCONNECT, values_.autoDisconnect),
                       Exchange::Check(IDC_MISC_CONFIRM_JOIN, values_.confirmJoin),
                       Exchange::Check(IDC_MISC_HIGHLIGHT, values_.playerListHighlight)});
}

bool MiscOptionsPage::OnKillActive() {
  return ReadControls(hwnd(), {Exchange::Check(IDC_MISC_AUTO_DISCONNECT, values_.autoDisconnect),
                               Exchange::Check(IDC_MISC_CONFIRM_JOIN, values_.confirmJoin),
                               Exchange::Check(IDC_MISC_HIGHLIGHT, values_.playerListHighlight)});
}

}  // namespace tarnwick
