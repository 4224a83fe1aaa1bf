// TrayPresence: the window's icon in the notification area, and the caption and window icon while
// the window is shown. All shell calls go through one hook so tests can see what was added,
// modified and deleted even where the display has no tray.
#ifndef TARNWICK_SHELL_TRAY_PRESENCE_WIN_H
#define TARNWICK_SHELL_TRAY_PRESENCE_WIN_H

#include <functional>
#include <string>

#include "common/win32.h"
#include "shell/tray_picture.h"


namespace tarnwick {

// Shell_NotifyIconA, or a test's stand-in for it (process-wide; empty restores the shell).
using TrayShellHook = std::function<BOOL(DWORD message, const NOTIFYICONDATAA& data)>;
void SetTrayShellHook(TrayShellHook hook);

UINT TrayCallbackMessage();     // "TrayCallbackMsg"
UINT TaskbarCreatedMessage();   // "TaskbarCreated"

class TrayPresence {
 public:
  TrayPresence();

  void Attach(HWND window, HINSTANCE instance);

  // Shows `text` and icon `iconId`: as caption and window icon while the window is visible, as
  // tooltip and tray picture while it is hidden in the tray. A new tray picture starts a flash.
  void Show(const std::string& text, int iconId, bool windowVisible);

  bool AddIcon();
  void DeleteIcon();
  // A window destroyed while hidden takes its icon with it.
  void DeleteIconIfShown();
  bool IconShown() const { return iconShown_; }
  // One tick of the flash timer.
  void FlashStep();

  const std::string& Tooltip() const { return tooltip_; }
  HICON CurrentIcon() const { return data_.hIcon; }
  bool IsFlashing() const { return flash_.IsRunning(); }
  DWORD RecordSize() const { return data_.cbSize; }

 private:
  BOOL Notify(DWORD message, UINT flags);
  HICON LoadTrayIcon(int id) const;

  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  NOTIFYICONDATAA data_;
  std::string tooltip_;
  FlashSequence flash_;
  bool iconShown_ = false;
};

}  // namespace tarnwick

#endif
