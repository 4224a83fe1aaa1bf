// ModalDriver: acts inside the modal loops of the dialogs a test opens on its own thread. Each time
// a "#32770" window is activated for the first time, the next action of the queue runs from a
// thread timer inside that dialog's own loop, so it can select pages, set controls and press
// buttons with messages exactly as a user's input would arrive. A dialog still open some seconds
// after its action is cancelled and the test fails, instead of hanging. Below it, the small
// helpers the actions read and drive dialogs with.
#ifndef TARNWICK_TESTS_SUPPORT_MODAL_DRIVER_WIN_H
#define TARNWICK_TESTS_SUPPORT_MODAL_DRIVER_WIN_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <set>
#include <string>

#include "common/win32.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick::testing {

class ModalDriver {
 public:
  using Action = std::function<void(HWND dialog)>;

  explicit ModalDriver(std::deque<Action> actions) : actions_(std::move(actions)) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, &ModalDriver::Hook, nullptr, GetCurrentThreadId());
  }
  ~ModalDriver() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (watchdog_ != 0) KillTimer(nullptr, watchdog_);
    current_ = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // How many actions have run.
  int Ran() const { return ran_; }
  bool AllRan() const { return actions_.empty(); }

 private:
  static constexpr UINT kWatchdogMs = 60000;

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    ModalDriver* self = current_;
    if (self != nullptr && code == HCBT_ACTIVATE) {
      auto window = reinterpret_cast<HWND>(wParam);
      char name[16] = {};
      GetClassNameA(window, name, sizeof(name));
      if (std::string(name) == "#32770" && self->seen_.insert(window).second &&
          !self->actions_.empty()) {
        self->pending_.push_back(window);
        SetTimer(nullptr, 0, 0, &ModalDriver::OnTimer);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ModalDriver* self = current_;
    if (self == nullptr) return;
    if (timer == self->watchdog_) {
      self->watchdog_ = 0;
      for (HWND dialog : self->seen_) {
        if (!IsWindow(dialog)) continue;
        ADD_FAILURE() << "a dialog was still open long after its action";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }
      return;
    }
    if (self->pending_.empty() || self->actions_.empty()) return;
    HWND dialog = self->pending_.front();
    self->pending_.pop_front();
    Action action = std::move(self->actions_.front());
    self->actions_.pop_front();
    ++self->ran_;
    if (self->watchdog_ == 0)
      self->watchdog_ = SetTimer(nullptr, 0, kWatchdogMs, &ModalDriver::OnTimer);
    action(dialog);
  }

  static inline ModalDriver* current_ = nullptr;
  std::deque<Action> actions_;
  std::deque<HWND> pending_;
  std::set<HWND> seen_;
  HHOOK hook_ = nullptr;
  UINT_PTR watchdog_ = 0;
  int ran_ = 0;
};

// The page window a property sheet shows now, and its index.
inline HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
inline int PageIndex(HWND sheet) {
  return static_cast<int>(
      SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0));
}

// Selects the page at `index` as a click on its tab would; returns its window.
inline HWND SelectPage(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  return CurrentPage(sheet);
}

inline void PressOk(HWND sheet) { SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); }
inline void PressCancel(HWND sheet) { SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}
inline std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
inline bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

inline RECT ScreenRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}
// A child window's place in its parent's client area.
inline RECT RectInParent(HWND child) {
  RECT rect = ScreenRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// A left-button click on a link control.
inline void ClickLink(HWND link) {
  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

inline void SetText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

// Moves a track bar as a drag of its thumb would: the new position, then WM_HSCROLL to the page.
inline void MoveTrackbar(HWND dialog, int id, int position) {
  HWND bar = GetDlgItem(dialog, id);
  SendMessageA(bar, TBM_SETPOS, TRUE, position);
  SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
               reinterpret_cast<LPARAM>(bar));
}

}  // namespace tarnwick::testing

#endif
