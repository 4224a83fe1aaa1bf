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

// Shell_NotifyIconW, or a test's stand-in for it (process-wide; empty restores the shell).
using TrayShellHook = std::function<BOOL(DWORD message, const NOTIFYICONDATAW& data)>;
void SetTrayShellHook(TrayShellHook hook);

UINT TrayCallbackMessage();     // "TrayCallbackMsg"
UINT TaskbarCreatedMessage();   // "TaskbarCreated"

// The window timer that asks a shell which was not ready (at logon) again to take the icon.
inline constexpr UINT_PTR kTrayRetryTimerId = 16;
inline constexpr UINT kTrayRetryPeriodMs = 2000;
// The window timer that shows a balloon held back by the spacing of balloons.
inline constexpr UINT_PTR kBalloonTimerId = 17;

class TrayPresence {
 public:
  TrayPresence();

  void Attach(HWND window, HINSTANCE instance);

  // Shows `text` and icon `iconId`: as caption and window icon while the window is visible, as
  // tooltip and tray picture while it is hidden in the tray. A new tray picture starts a flash.
  void Show(const std::string& text, int iconId, bool windowVisible);

  // Puts the icon into the tray with the picture and tip it holds. An icon the shell already has
  // is brought up to date; a shell that takes nothing yet is asked again on kTrayRetryTimerId.
  bool AddIcon();
  // Takes the icon out of the tray: once per stay in the tray, whatever the shell answered.
  void DeleteIcon();
  // kTrayRetryTimerId.
  void OnRetryTimer();
  // A balloon from the icon (UTF-8 texts, cut to the record's room). False when it cannot be
  // shown: the window is not in the tray, the shell does not hold the icon, the shell refused
  // version 3 (its record has no room for balloons), or it refused the balloon.
  bool ShowBalloon(const std::string& title, const std::string& text);
  // One tick of the flash timer.
  void FlashStep();

  bool InTray() const { return inTray_; }
  bool IconShown() const { return iconShown_; }
  const std::string& Tooltip() const { return tooltip_; }  // UTF-8
  HICON CurrentIcon() const { return data_.hIcon; }
  bool IsFlashing() const { return flash_.IsRunning(); }
  DWORD RecordSize() const { return data_.cbSize; }

 private:
  BOOL Notify(DWORD message, UINT flags);
  HICON LoadTrayIcon(int id) const;
  UINT FilledFlags() const;
  void SetTip(const std::string& text);
  // NIM_MODIFY; a refusal means the shell no longer has the icon.
  bool Modify(UINT flags);
  // A picture the shell shows for the first time starts a flash.
  void NoteShownPicture();
  void KeepRetrying(bool on);

  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  NOTIFYICONDATAW data_;
  std::string tooltip_;
  FlashSequence flash_;
  // The window lives in the tray (between ShowInTray(true) and ShowInTray(false)).
  bool inTray_ = false;
  // The shell holds the icon: it took the add, or refused it because it already had it.
  bool iconShown_ = false;
  bool retrying_ = false;
  HICON shownPicture_ = nullptr;
};

}  // namespace tarnwick

#endif
