#include "shell/tray_presence_win.h"

#include <cstring>

#include "common/process_hook.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

ProcessHook<TrayShellHook>& Hook() {
  static ProcessHook<TrayShellHook> hook;
  return hook;
}

constexpr size_t kTooltipLimit = 127;

}  // namespace

void SetTrayShellHook(TrayShellHook hook) { Hook().Set(std::move(hook)); }

UINT TrayCallbackMessage() {
  static const UINT message = RegisterWindowMessageA("TrayCallbackMsg");
  return message;
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

TrayPresence::TrayPresence() {
  std::memset(&data_, 0, sizeof(data_));
  // The first record size every shell understands; raised once the shell accepts version 3.
  data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
}

void TrayPresence::Attach(HWND window, HINSTANCE instance) {
  window_ = window;
  instance_ = instance;
  data_.hWnd = window;
  data_.uID = 0;
  data_.uCallbackMessage = TrayCallbackMessage();
}

HICON TrayPresence::LoadTrayIcon(int id) const {
  return static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED));
}

BOOL TrayPresence::Notify(DWORD message, UINT flags) {
  data_.uFlags = flags;
  const TrayShellHook hook = Hook().Get();
  if (hook) return hook(message, data_);
  return Shell_NotifyIconA(message, &data_);
}

void TrayPresence::Show(const std::string& text, int iconId, bool windowVisible) {
  if (windowVisible) {
    SetWindowTextA(window_, text.c_str());
    HICON big = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    return;
  }
  // A hidden window without an icon (one still being created) has nothing in the tray to modify;
  // the tray data keeps no picture, so the first one shown in the tray counts as a change.
  if (!iconShown_) return;
  const std::string tip = text.substr(0, kTooltipLimit);
  if (tip != tooltip_) {
    tooltip_ = tip;
    std::memset(data_.szTip, 0, sizeof(data_.szTip));
    std::memcpy(data_.szTip, tooltip_.data(), tooltip_.size());
    Notify(NIM_MODIFY, NIF_TIP);
  }
  HICON icon = LoadTrayIcon(iconId);
  if (icon != nullptr && icon != data_.hIcon) {
    data_.hIcon = icon;
    if (Notify(NIM_MODIFY, NIF_ICON)) flash_.Start();
  }
}

bool TrayPresence::AddIcon() {
  UINT flags = 0;
  if (data_.hIcon != nullptr) flags |= NIF_ICON;
  if (data_.uCallbackMessage != 0) flags |= NIF_MESSAGE;
  if (!tooltip_.empty()) flags |= NIF_TIP;
  const BOOL added = Notify(NIM_ADD, flags);
  iconShown_ = added != FALSE;
  data_.uVersion = NOTIFYICON_VERSION;
  if (Notify(NIM_SETVERSION, 0)) data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
  return added != FALSE;
}

void TrayPresence::DeleteIcon() {
  Notify(NIM_DELETE, 0);
  iconShown_ = false;
}

void TrayPresence::DeleteIconIfShown() {
  if (iconShown_) DeleteIcon();
}

void TrayPresence::FlashStep() {
  const FlashSequence::Step step = flash_.Tick();
  if (step == FlashSequence::Step::Nothing) return;
  HICON picture = data_.hIcon;
  if (step == FlashSequence::Step::ShowBlank) {
    data_.hIcon = LoadTrayIcon(IDI_TRAY_BLANK);
    Notify(NIM_MODIFY, NIF_ICON);
  } else {
    Notify(NIM_MODIFY, NIF_ICON);
  }
  // The record always names the real picture, so a refresh compares against it, not the blank.
  data_.hIcon = picture;
}

}  // namespace tarnwick
