// The "General" page: tray and logon switches, the address box's list and height, the game
// client's location with its Browse button, and the game's priority on a track bar.
#include "common/string_resource_win.h"
#include "common/wide_text_win.h"
#include "dialogs/options_pages_win.h"
#include "dialogs/page_exchange_win.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace tarnwick {
namespace {

constexpr int kListHeightMin = 56;
constexpr int kListHeightMax = 1000;
constexpr int kPriorityMax = 5;

}  // namespace

void GeneralOptionsPage::OnInit() {
  EnableControls(hwnd(), {IDC_GENERAL_LIST_HEIGHT, IDC_GENERAL_LIST_HEIGHT_SPIN},
                 values_.serverList != 0);
  SendMessageA(Item(IDC_GENERAL_LIST_HEIGHT_SPIN), UDM_SETRANGE32, kListHeightMin, kListHeightMax);
  SendMessageA(Item(IDC_GENERAL_HL_LOCATION), EM_LIMITTEXT, kMaxGameClientPath, 0);
  HWND priority = Item(IDC_GENERAL_PRIORITY);
  SendMessageA(priority, TBM_SETRANGE, FALSE, MAKELPARAM(0, kPriorityMax));
  SendMessageA(priority, TBM_SETTICFREQ, 1, 0);
  SendMessageA(priority, TBM_SETPOS, TRUE, values_.priority);
}

void GeneralOptionsPage::OnSetActive() {
  SetControls(hwnd(), {Exchange::Check(IDC_GENERAL_MINIMIZE_TO_TRAY, values_.minimizeToTray),
                       Exchange::Check(IDC_GENERAL_START_WITH_LOGON, values_.startWithLogon),
                       Exchange::Check(IDC_GENERAL_SHOW_SERVER_LIST, values_.serverList),
                       Exchange::Number(IDC_GENERAL_LIST_HEIGHT, values_.serverListHeight),
                       Exchange::Text(IDC_GENERAL_HL_LOCATION, values_.location)});
  EnableHeight();
}

bool GeneralOptionsPage::OnKillActive() {
  return ReadControls(hwnd(),
                      {Exchange::Check(IDC_GENERAL_MINIMIZE_TO_TRAY, values_.minimizeToTray),
                       Exchange::Check(IDC_GENERAL_START_WITH_LOGON, values_.startWithLogon),
                       Exchange::Check(IDC_GENERAL_SHOW_SERVER_LIST, values_.serverList),
                       Exchange::Number(IDC_GENERAL_LIST_HEIGHT, values_.serverListHeight),
                       Exchange::Text(IDC_GENERAL_HL_LOCATION, values_.location)});
}

bool GeneralOptionsPage::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_GENERAL_SHOW_SERVER_LIST:
      values_.serverList = CheckValue(hwnd(), IDC_GENERAL_SHOW_SERVER_LIST);
      EnableHeight();
      return true;
    case IDC_GENERAL_BROWSE:
      Browse();
      return true;
    default:
      return false;
  }
}

bool GeneralOptionsPage::OnOtherMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  if (message != WM_HSCROLL || reinterpret_cast<HWND>(lParam) != Item(IDC_GENERAL_PRIORITY)) {
    return false;
  }
  values_.priority =
      static_cast<int32_t>(SendMessageA(Item(IDC_GENERAL_PRIORITY), TBM_GETPOS, 0, 0));
  result = 0;
  return true;
}

void GeneralOptionsPage::EnableHeight() {
  EnableControls(hwnd(), {IDC_GENERAL_LIST_HEIGHT, IDC_GENERAL_LIST_HEIGHT_SPIN},
                 values_.serverList != 0);
}

void GeneralOptionsPage::Browse() {
  const std::wstring filter = Widen(LoadFilterString(IDS_EXECUTABLE_FILTER));
  wchar_t location[MAX_PATH] = {};
  GetDlgItemTextW(hwnd(), IDC_GENERAL_HL_LOCATION, location, MAX_PATH);
  values_.location = Narrow(location);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = hwnd();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = location;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"exe";
  // No OFN_NOCHANGEDIR: the chosen file's folder becomes the current directory, where the game
  // client is started from.
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog)) return;
  values_.location = Narrow(location);
  SetItemText(IDC_GENERAL_HL_LOCATION, values_.location);
}

}  // namespace tarnwick
