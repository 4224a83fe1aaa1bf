// The remote console's window: creation, message routing, showing and hiding, the resizing
// rules and the background.
#include "rcon/remote_console_win.h"

#include "controls/combo_box_win.h"
#include "rcon/host_addresses_win.h"
#include "rcon/rcon_texts.h"
#include "resources/resource.h"
#include "common/message_loop_win.h"

namespace tarnwick {
namespace {

RECT ChildRect(HWND dialog, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool IsGroupBox(int id) { return id == IDC_RCON_COMMAND_GROUP || id == IDC_RCON_OUTPUT_GROUP; }

}  // namespace

RemoteConsole::~RemoteConsole() {
  if (hwnd() != nullptr) DestroyWindow(hwnd());
}

bool RemoteConsole::Create(HINSTANCE instance, HWND mainWindow) {
  instance_ = instance;
  mainWindow_ = mainWindow;
  const std::vector<Ipv4Address> addresses = HostAddresses();
  logAddress_ = ChooseLogAddress(addresses);
  if (CreateModeless(instance, IDD_REMOTE_CONSOLE, mainWindow) == nullptr) return false;
  if (MessageLoop* loop = MessageLoop::Current()) {
    filterId_ = loop->AddFilter([this](MSG& message) { return FilterMessage(message); });
  }
  return true;
}

void RemoteConsole::Show() {
  if (hwnd() == nullptr) return;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  if (focusPasswordOnShow_) {
    focusPasswordOnShow_ = false;
    const HWND password = GetDlgItem(hwnd(), IDC_RCON_PASSWORD);
    if (IsWindowEnabled(password)) {
      SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(password), TRUE);
    }
  }
}

void RemoteConsole::Hide() {
  if (hwnd() != nullptr) ShowWindow(hwnd(), SW_HIDE);
}

HWND RemoteConsole::CommandBox() const {
  return hwnd() != nullptr ? GetDlgItem(hwnd(), IDC_RCON_COMMAND) : nullptr;
}

HWND RemoteConsole::OutputBox() const {
  return hwnd() != nullptr ? GetDlgItem(hwnd(), IDC_RCON_OUTPUT) : nullptr;
}

INT_PTR RemoteConsole::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is placed when the window is first shown
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_DRAWITEM:
      if (wParam != IDOK) return FALSE;
      sendButton_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      SetResult(TRUE);
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED)
        Layout(LOWORD(lParam), HIWORD(lParam), wParam == SIZE_MAXIMIZED);
      return TRUE;
    case WM_GETMINMAXINFO:
      OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return TRUE;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      SetResult(TRUE);
      return TRUE;
    case WM_TIMER:
      if (wParam == kRconTimer) OnRconTimer();
      return TRUE;
    case WM_CLOSE:
      Hide();
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    default:
      return FALSE;
  }
}

void RemoteConsole::OnInitDialog() {
  RECT window = {};
  GetWindowRect(hwnd(), &window);
  minimumSize_ = {window.right - window.left, window.bottom - window.top};
  RECT client = {};
  GetClientRect(hwnd(), &client);
  initialClient_ = {client.right, client.bottom};
  for (const ControlRule& rule : ConsoleLayout()) {
    const HWND control = GetDlgItem(hwnd(), rule.id);
    if (control == nullptr) continue;
    RECT box = ChildRect(hwnd(), control);
    if (rule.id == IDC_RCON_COMMAND) {
      // A drop-down combo box is sized with its list: keep the list's height.
      RECT dropped = {};
      SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      box.bottom = box.top + (dropped.bottom - dropped.top);
    }
    initialBoxes_.push_back({rule, ControlBox{box.left, box.top, box.right, box.bottom}});
  }

  sendButton_.Attach(GetDlgItem(hwnd(), IDOK), instance_, IDR_SEND_MENU);
  SendDlgItemMessageA(hwnd(), IDC_RCON_OUTPUT, EM_SETLIMITTEXT, 0, 0);
  SendDlgItemMessageA(hwnd(), IDC_RCON_PASSWORD, EM_SETLIMITTEXT, kMaxConsoleText, 0);
  SendDlgItemMessageA(hwnd(), IDC_RCON_COMMAND, CB_LIMITTEXT, kMaxConsoleText, 0);
  ApplyEnableRules();
}

void RemoteConsole::OnDestroy() {
  if (filterId_ != 0 && MessageLoop::Current() != nullptr) {
    MessageLoop::Current()->RemoveFilter(filterId_);
  }
  filterId_ = 0;
  KillTimer(hwnd(), kRconTimer);
  sendButton_.Detach();
}

bool RemoteConsole::FilterMessage(MSG& message) {
  if (hwnd() == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
    return false;
  }
  return IsDialogMessageW(hwnd(), &message) != FALSE;
}

bool RemoteConsole::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:  // the button, Enter, and the menu's first item
      if (code == BN_CLICKED) Send();
      return true;
    case IDCANCEL:
      Hide();
      return true;
    case IDC_RCON_PASSWORD:
      if (code == EN_CHANGE) OnPasswordChange();
      return true;
    case IDC_RCON_SHOW_LOG:
      if (code == BN_CLICKED) OnLogSwitch();
      return true;
    case IDC_RCON_COMMAND:
      if (code == CBN_EDITCHANGE) CompleteTypedText(CommandBox(), previousTyped_);
      return true;
    case ID_RCON_CLEAR_LOG:
      ClearLog();
      return true;
    case ID_RCON_SAVE_LOG:
      SaveLog();
      return true;
    case ID_RCON_CLEAR_COMBO:
      ClearHistory();
      return true;
    default:
      return false;
  }
}

void RemoteConsole::OnMinMaxInfo(MINMAXINFO& info) const {
  if (minimumSize_.cx <= 0) return;
  info.ptMinTrackSize.x = minimumSize_.cx;
  info.ptMinTrackSize.y = minimumSize_.cy;
}

void RemoteConsole::Layout(int clientWidth, int clientHeight, bool maximized) {
  if (initialBoxes_.empty()) return;
  const int dx = clientWidth - initialClient_.cx;
  const int dy = clientHeight - initialClient_.cy;
  HDWP positions = BeginDeferWindowPos(static_cast<int>(initialBoxes_.size()));
  for (const auto& [rule, initial] : initialBoxes_) {
    const HWND control = GetDlgItem(hwnd(), rule.id);
    const ControlBox box = FollowResize(initial, rule.follow, dx, dy);
    if (positions != nullptr) {
      positions =
          DeferWindowPos(positions, control, nullptr, box.left, box.top, box.right - box.left,
                         box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (positions != nullptr) EndDeferWindowPos(positions);
  // A maximized window cannot be sized by its corner.
  ShowWindow(GetDlgItem(hwnd(), IDC_RCON_GRIP), maximized ? SW_HIDE : SW_SHOW);
  // The group boxes leave their inside to the dialog: erase it again where their frames were.
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void RemoteConsole::EraseBackground(HDC dc) {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  const int saved = SaveDC(dc);
  // A control that asks for its parent's background (themed check boxes) brings a DC of its own:
  // that one gets the whole background. The dialog's own erase skips the controls, which paint
  // themselves, so that they do not flicker while the window is sized.
  if (WindowFromDC(dc) == hwnd()) {
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child) || IsGroupBox(GetDlgCtrlID(child))) continue;
      const RECT box = ChildRect(hwnd(), child);
      ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
    }
  }
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      hwnd(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
  FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
  RestoreDC(dc, saved);
}

}  // namespace tarnwick
