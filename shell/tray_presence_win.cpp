#include "shell/tray_presence_win.h"

#include <cstring>

#include "common/process_hook.h"
#include "common/wide_text_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

ProcessHook<TrayShellHook>& Hook() {
  static ProcessHook<TrayShellHook> hook;
  return hook;
}

constexpr size_t kTooltipLimit = 127;  // UTF-16 units
constexpr UINT kBalloonTimeoutMs = 10000;  // asked for; the shell decides (Windows 10 ignores it)

// `text` into a fixed array of the record, always terminated, never ending inside a pair.
template <size_t N>
void CopyCut(wchar_t (&field)[N], const std::string& text) {
  std::wstring wide = Widen(text);
  if (wide.size() > N - 1) {
    size_t keep = N - 1;
    if (wide[keep - 1] >= 0xD800 && wide[keep - 1] <= 0xDBFF) --keep;
    wide.resize(keep);
  }
  std::memset(field, 0, sizeof(field));
  std::memcpy(field, wide.data(), wide.size() * sizeof(wchar_t));
}

// The part of a UTF-8 text the tip has room for, never ending inside a surrogate pair.
std::string TipPart(const std::string& text) {
  std::wstring wide = Widen(text);
  if (wide.size() > kTooltipLimit) {
    size_t keep = kTooltipLimit;
    if (wide[keep - 1] >= 0xD800 && wide[keep - 1] <= 0xDBFF) --keep;
    wide.resize(keep);
  }
  return Narrow(wide);
}

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
  data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
}

void TrayPresence::Attach(HWND window, HINSTANCE instance) {
  window_ = window;
  instance_ = instance;
  data_.hWnd = window;
  data_.uID = 0;
  data_.uCallbackMessage = TrayCallbackMessage();
}

HICON TrayPresence::LoadTrayIcon(int id) const {
  // The shell shows tray icons at its small icon size, which grows with the screen's DPI.
  return static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

BOOL TrayPresence::Notify(DWORD message, UINT flags) {
  data_.uFlags = flags;
  const TrayShellHook hook = Hook().Get();
  if (hook) return hook(message, data_);
  return Shell_NotifyIconW(message, &data_);
}

UINT TrayPresence::FilledFlags() const {
  UINT flags = 0;
  if (data_.hIcon != nullptr) flags |= NIF_ICON;
  if (data_.uCallbackMessage != 0) flags |= NIF_MESSAGE;
  if (!tooltip_.empty()) flags |= NIF_TIP;
  return flags;
}

void TrayPresence::SetTip(const std::string& text) {
  tooltip_ = TipPart(text);
  const std::wstring wide = Widen(tooltip_);
  std::memset(data_.szTip, 0, sizeof(data_.szTip));
  std::memcpy(data_.szTip, wide.data(), wide.size() * sizeof(wchar_t));
}

void TrayPresence::Show(const std::string& text, int iconId, bool windowVisible) {
  if (windowVisible) {
    SetWindowTextUtf8(window_, text);
    HICON big = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    return;
  }
  // The tip and picture are those last shown in the tray: a window hidden only while it is being
  // created leaves them empty, so the first picture in the tray counts as a change and flashes.
  if (!inTray_) return;
  const bool tipChanged = TipPart(text) != tooltip_;
  if (tipChanged) SetTip(text);
  HICON icon = LoadTrayIcon(iconId);
  const bool pictureChanged = icon != nullptr && icon != data_.hIcon;
  if (pictureChanged) data_.hIcon = icon;
  if (!iconShown_) {
    // The shell did not take the icon yet: it gets everything at once when it does.
    AddIcon();
    return;
  }
  if (tipChanged) Modify(NIF_TIP);
  if (pictureChanged) Modify(NIF_ICON);
}

bool TrayPresence::Modify(UINT flags) {
  if (Notify(NIM_MODIFY, flags)) {
    if ((flags & NIF_ICON) != 0) NoteShownPicture();
    return true;
  }
  // The shell lost the icon (it restarted): add it again until it takes it.
  iconShown_ = false;
  KeepRetrying(true);
  return false;
}

void TrayPresence::NoteShownPicture() {
  if (data_.hIcon == nullptr || data_.hIcon == shownPicture_) return;
  shownPicture_ = data_.hIcon;
  flash_.Start();
}

bool TrayPresence::AddIcon() {
  inTray_ = true;
  iconShown_ = Notify(NIM_ADD, FilledFlags()) != FALSE;
  // The shell refuses to add an icon it already has; the icon is then there, and is brought up to
  // date. A shell that refuses the change too has no icon (it is not running yet).
  if (!iconShown_) iconShown_ = Notify(NIM_MODIFY, FilledFlags()) != FALSE;
  if (iconShown_) {
    data_.uVersion = NOTIFYICON_VERSION;
    if (Notify(NIM_SETVERSION, 0)) data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    NoteShownPicture();
  }
  KeepRetrying(!iconShown_);
  return iconShown_;
}

void TrayPresence::KeepRetrying(bool on) {
  if (on == retrying_ || window_ == nullptr) return;
  retrying_ = on;
  if (on) {
    SetTimer(window_, kTrayRetryTimerId, kTrayRetryPeriodMs, nullptr);
  } else {
    KillTimer(window_, kTrayRetryTimerId);
  }
}

void TrayPresence::OnRetryTimer() {
  if (inTray_ && !iconShown_) {
    AddIcon();
  } else {
    KeepRetrying(false);
  }
}

bool TrayPresence::ShowBalloon(const std::string& title, const std::string& text) {
  if (!inTray_ || !iconShown_ || data_.cbSize < NOTIFYICONDATAW_V2_SIZE) return false;
  CopyCut(data_.szInfoTitle, title);
  CopyCut(data_.szInfo, text);
  data_.dwInfoFlags = NIIF_INFO;
  data_.uTimeout = kBalloonTimeoutMs;
  const bool shown = Modify(NIF_INFO);
  // Later changes of tip or picture must not show the balloon again.
  std::memset(data_.szInfo, 0, sizeof(data_.szInfo));
  std::memset(data_.szInfoTitle, 0, sizeof(data_.szInfoTitle));
  data_.dwInfoFlags = 0;
  return shown;
}

void TrayPresence::DeleteIcon() {
  if (!inTray_) return;
  Notify(NIM_DELETE, 0);
  inTray_ = false;
  iconShown_ = false;
  KeepRetrying(false);
}

void TrayPresence::FlashStep() {
  const FlashSequence::Step step = flash_.Tick();
  if (step == FlashSequence::Step::Nothing || !iconShown_) return;
  HICON picture = data_.hIcon;
  if (step == FlashSequence::Step::ShowBlank) data_.hIcon = LoadTrayIcon(IDI_TRAY_BLANK);
  Notify(NIM_MODIFY, NIF_ICON);
  // The record always names the real picture, so a refresh compares against it, not the blank.
  data_.hIcon = picture;
}

}  // namespace tarnwick
