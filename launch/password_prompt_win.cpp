#include "launch/password_prompt_win.h"

#include <algorithm>

#include "common/wide_text_win.h"
#include "launch/game_command_line.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

// The edit box first; the others keep their distance from the right edge.
constexpr int kEditIndex = 0;
constexpr std::array<int, 4> kControlIds = {IDC_PASSWORD_EDIT, IDOK, IDCANCEL, IDC_PASSWORD_GRIP};


int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

bool PasswordPrompt::Run(HINSTANCE instance, HWND owner) {
  return RunModal(instance, IDD_PASSWORD_PROMPT, owner) == IDOK;
}

INT_PTR PasswordPrompt::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOk();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd(), IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) OnSize(LOWORD(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

void PasswordPrompt::OnInitDialog() {
  RECT window = {};
  GetWindowRect(hwnd(), &window);
  openedSize_ = SIZE{Width(window), Height(window)};
  RECT client = {};
  GetClientRect(hwnd(), &client);
  openedClientWidth_ = client.right;
  for (size_t i = 0; i < kControlIds.size(); ++i) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(hwnd(), kControlIds[i]), &rect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    controls_[i] = Placed{kControlIds[i], rect};
  }
  measured_ = true;

  HWND edit = GetDlgItem(hwnd(), IDC_PASSWORD_EDIT);
  SetWindowTextUtf8(edit, password_);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  CentreOnOwner();
}

void PasswordPrompt::CentreOnOwner() {
  RECT prompt = {};
  GetWindowRect(hwnd(), &prompt);
  HWND owner = GetWindow(hwnd(), GW_OWNER);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoA(MonitorFromWindow(owner != nullptr ? owner : hwnd(), MONITOR_DEFAULTTONEAREST),
                  &monitor);
  const RECT& work = monitor.rcWork;
  // A hidden or minimised owner has no place worth centring on: the screen's work area is used.
  RECT around = work;
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  int left = around.left + (Width(around) - Width(prompt)) / 2;
  int top = around.top + (Height(around) - Height(prompt)) / 2;
  // Kept on the screen, with its caption reachable when it is larger than the work area.
  left = std::max<int>(work.left, std::min<int>(left, work.right - Width(prompt)));
  top = std::max<int>(work.top, std::min<int>(top, work.bottom - Height(prompt)));
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PasswordPrompt::OnOk() {
  HWND edit = GetDlgItem(hwnd(), IDC_PASSWORD_EDIT);
  const std::string text = WindowTextUtf8(edit);
  if (!IsAcceptablePassword(text)) {
    // The game reads the password between double quotes: one inside would end it early, a
    // backslash before the closing one would keep it open.
    MessageBeep(MB_ICONEXCLAMATION);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return;
  }
  password_ = text;
  EndDialog(hwnd(), IDOK);
}

void PasswordPrompt::OnGetMinMaxInfo(MINMAXINFO& info) const {
  // Sent once before WM_INITDIALOG, when nothing is measured yet.
  if (!measured_) return;
  info.ptMinTrackSize.x = openedSize_.cx;
  info.ptMinTrackSize.y = openedSize_.cy;
  info.ptMaxTrackSize.y = openedSize_.cy;
}

void PasswordPrompt::OnSize(int clientWidth) {
  if (!measured_) return;
  const int grown = clientWidth - openedClientWidth_;
  HDWP positions = BeginDeferWindowPos(static_cast<int>(controls_.size()));
  for (size_t i = 0; i < controls_.size() && positions != nullptr; ++i) {
    const RECT& rect = controls_[i].rect;
    HWND control = GetDlgItem(hwnd(), controls_[i].id);
    const bool stretches = i == kEditIndex;
    const int left = stretches ? rect.left : rect.left + grown;
    const int width = stretches ? std::max(Width(rect) + grown, 0) : Width(rect);
    positions = DeferWindowPos(positions, control, nullptr, left, rect.top, width, Height(rect),
                               SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (positions != nullptr) EndDeferWindowPos(positions);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

}  // namespace tarnwick
