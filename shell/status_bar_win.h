// StatusBar: the main window's status bar with three panes: the default pane (menu help and the
// idle text), the ping pane (the last round trip) and the state pane (an icon with a tooltip).
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_SHELL_STATUS_BAR_WIN_H
#define TARNWICK_SHELL_STATUS_BAR_WIN_H

#include <string>

#include "common/win32.h"

namespace tarnwick {

class StatusBar {
 public:
  bool Create(HWND parent, HINSTANCE instance);
  HWND hwnd() const { return window_; }

  // Sets the pane edges for the bar's present width; call after the bar has been sized.
  void LayoutPanes();
  void SetHelpText(const std::string& text);
  void ShowIdleText();
  void SetPingText(const std::string& text);
  // The state pane: `icon` (shared, not owned) and `tip` as its tooltip.
  void SetState(HICON icon, const std::string& tip);

  std::string PaneText(int pane) const;
  std::string StateTip() const { return stateTip_; }
  HICON StateIcon() const { return stateIcon_; }

 private:
  int TextWidth(const std::string& text) const;

  HWND window_ = nullptr;
  std::string idleText_;
  std::string stateTip_;
  HICON stateIcon_ = nullptr;
};

}  // namespace tarnwick

#endif
