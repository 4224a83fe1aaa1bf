#include "controls/link_static_win.h"

#include <algorithm>
#include <mutex>

#include "common/shell_open_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "settings/registry_key_store_win.h"

namespace tarnwick {
namespace {

// The window property that finds the link object of a subclassed static.
constexpr char kLinkProperty[] = "TarnwickLinkStatic";
// WM_CTLCOLORSTATIC as the dialog hands it back to the control (the reflected-message range).
constexpr UINT kReflectedColour = WM_USER + 0x1C00 + WM_CTLCOLORSTATIC;
// A static's text is read with room for 255 characters.
constexpr int kTextRoom = 256;
// Resource 106 of winhlp32.exe: the hand cursor of systems without IDC_HAND.
constexpr int kHelpHandCursor = 106;

struct SharedLinks {
  std::mutex lock;
  LinkColours colours;
  bool coloursRead = false;
};

SharedLinks& Shared() {
  static SharedLinks shared;
  return shared;
}

LinkColours SystemColours() {
  LinkColours colours;
  colours.normal = GetSysColor(COLOR_HIGHLIGHT);
  colours.visited = GetSysColor(COLOR_HOTLIGHT);
  if (colours.visited == 0) colours.visited = RGB(0, 0, 255);
  colours.hover = RGB(0, 128, 128);
  return colours;
}

HCURSOR LoadHandCursor() {
  if (HCURSOR hand = LoadCursor(nullptr, IDC_HAND)) return hand;
  char path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  std::string helper = length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
  helper += "\\winhlp32.exe";
  HMODULE module = LoadLibraryExA(helper.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) module = LoadLibraryExA("winhlp32.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return nullptr;
  HCURSOR cursor = LoadCursorA(module, MAKEINTRESOURCEA(kHelpHandCursor));
  // The copy outlives the module; it is kept for the whole process.
  HCURSOR copy = cursor != nullptr ? static_cast<HCURSOR>(CopyIcon(cursor)) : nullptr;
  FreeLibrary(module);
  return copy;
}

HCURSOR HandCursor() {
  static const HCURSOR cursor = LoadHandCursor();
  return cursor;
}

void ReadColoursOnce() {
  SharedLinks& shared = Shared();
  {
    std::lock_guard<std::mutex> guard(shared.lock);
    if (shared.coloursRead) return;
  }
  RegistryKeyStore registry;
  LinkStatic::LoadColours(registry);
}

}  // namespace

LinkStatic::LinkStatic() {
  ReadColoursOnce();
  HandCursor();
}

LinkStatic::~LinkStatic() { Detach(); }

LinkColours LinkStatic::Colours() {
  std::lock_guard<std::mutex> guard(Shared().lock);
  return Shared().colours;
}

void LinkStatic::LoadColours(KeyStore& store) {
  // Values the browser does not set keep the system's colours, so links never turn black.
  LinkColours colours = SystemColours();
  ReadLinkColours(store, colours);
  SetColours(colours);
}

void LinkStatic::SetColours(const LinkColours& colours) {
  std::lock_guard<std::mutex> guard(Shared().lock);
  Shared().colours = colours;
  Shared().coloursRead = true;
}

void LinkStatic::Attach(HWND control, LinkTexts texts) {
  if (!IsWindow(control)) return;
  Detach();
  window_ = control;
  texts_ = texts;
  const auto style = static_cast<uint32_t>(GetWindowLongPtrA(control, GWL_STYLE));
  textStatic_ = IsTextStaticStyle(style);
  GetWindowRect(control, &room_);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&room_), 2);
  dpi_ = WindowDpi(control);
  SetPropA(control, kLinkProperty, this);
  // Through the W call, so the control stays a Unicode window and keeps its text as written.
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));

  if (textStatic_) {
    plainFont_ = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    MakeLinkFont();
  }

  wchar_t text[kTextRoom] = {};
  GetWindowTextW(control, text, kTextRoom);
  SetWindowTextW(control, text);

  tip_ = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(control), nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE)), nullptr);
  if (tip_ != nullptr) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void LinkStatic::Detach(bool dying) {
  // The tooltip goes first: it takes its own subclass off the control.
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
  tip_ = nullptr;
  if (window_ != nullptr && IsWindow(window_)) {
    RemovePropA(window_, kLinkProperty);
    if (!dying) {
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
      // The control must not keep a font that is about to be deleted.
      if (font_) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(plainFont_), FALSE);
    }
  }
  font_.Reset();
  plainFont_ = nullptr;
  window_ = nullptr;
  original_ = nullptr;
  url_.clear();
  pressed_.clear();
}

bool LinkStatic::IsVisited() const { return history_.IsVisited(url_); }

void LinkStatic::Open() {
  if (url_.empty()) return;
  if (OpenWithShellOrBeep(url_)) {
    history_.MarkVisited(url_);
    Repaint();
  }
}

bool LinkStatic::ReflectColour(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  auto control = reinterpret_cast<HWND>(lParam);
  const auto* link = static_cast<const LinkStatic*>(GetPropA(control, kLinkProperty));
  if (link == nullptr || !link->textStatic_ || !link->ShowsLink()) return false;
  result = static_cast<INT_PTR>(SendMessageA(control, kReflectedColour, wParam, lParam));
  return true;
}

LRESULT CALLBACK LinkStatic::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<LinkStatic*>(GetPropA(window, kLinkProperty));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->CallOriginal(message, wParam, lParam);
    self->Detach(true);
    return result;
  }
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return self->CallOriginal(message, wParam, lParam);
  }
}

LRESULT LinkStatic::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  if (original_ == nullptr) return DefWindowProcW(window_, message, wParam, lParam);
  return CallWindowProcW(original_, window_, message, wParam, lParam);
}

LRESULT LinkStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      if (ShowsLink()) return HTCLIENT;
      break;
    case kReflectedColour:
      if (textStatic_) return OnColour(reinterpret_cast<HDC>(wParam));
      break;
    case WM_SETCURSOR:
      if (ShowsLink() && HandCursor() != nullptr) {
        SetCursor(HandCursor());
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (!ShowsLink()) break;
      SetFocus(window_);
      pressed_ = url_;
      return 0;
    case WM_LBUTTONUP: {
      // Only the target the button went down on: a text set in between opens nothing.
      const bool same = !pressed_.empty() && pressed_ == url_;
      pressed_.clear();
      if (same && GetFocus() == window_) Open();
      return 0;
    }
    case WM_KEYUP:
      if (wParam == VK_SPACE) Open();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = CallOriginal(message, wParam, lParam);
      RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return result;
    }
    case WM_SETTEXT:
      return OnSetText(lParam != 0 ? Narrow(reinterpret_cast<const wchar_t*>(lParam))
                                   : std::string());
    case WM_ERASEBKGND:
      if (!ShowsLink()) break;
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_MOUSEMOVE:
      if (Colours().useHover && ShowsLink()) OnMouseMove(lParam);
      return 0;
    case WM_NOTIFYFORMAT:
      if (reinterpret_cast<HWND>(wParam) == tip_) return NFR_UNICODE;
      break;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    default:
      if (message == kDpiChangedAfterParentMessage) OnDpiChanged(WindowDpi(window_));
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT LinkStatic::OnSetText(const std::string& given) {
  LinkText split;
  if (texts_ == LinkTexts::kServer) {
    split.url = WebAddressFromServerText(given);
    split.caption = split.url.empty() ? PlainServerText(given) : split.url;
  } else {
    split = SplitLinkText(given);
  }
  url_ = split.url;
  if (!ShowsLink() && GetCapture() == window_) ReleaseCapture();
  LRESULT result = TRUE;
  if (textStatic_) {
    ChooseFont();
    Fit(split.caption);
    result = CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(split.caption).c_str()));
  } else {
    // A picture static would take a new text as the name of its image: only the window text
    // changes, the picture stays.
    result = DefWindowProcW(window_, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(Widen(split.caption).c_str()));
    InvalidateRect(window_, nullptr, TRUE);
  }
  EnableWindow(window_, split.caption.empty() ? FALSE : TRUE);
  return result;
}

void LinkStatic::MakeLinkFont() {
  LOGFONTW description = {};
  GetObjectW(plainFont_ != nullptr ? plainFont_ : GetStockObject(DEFAULT_GUI_FONT),
             sizeof(description), &description);
  description.lfUnderline = TRUE;
  font_.Reset(CreateFontIndirectW(&description));
}

void LinkStatic::OnDpiChanged(UINT dpi) {
  if (window_ == nullptr || dpi == 0 || dpi == dpi_) return;
  const auto scale = [&](LONG& value) {
    value = MulDiv(value, static_cast<int>(dpi), static_cast<int>(dpi_));
  };
  scale(room_.left);
  scale(room_.top);
  scale(room_.right);
  scale(room_.bottom);
  dpi_ = dpi;
  if (!textStatic_) return;
  if (auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(GetParent(window_), WM_GETFONT, 0, 0))) {
    plainFont_ = dialogFont;
  }
  // The control still draws with the old link font until ChooseFont gives it the new one.
  UniqueFont previous(font_.Release());
  MakeLinkFont();
  ChooseFont();
  wchar_t text[kTextRoom] = {};
  GetWindowTextW(window_, text, kTextRoom);
  Fit(Narrow(text));
}

void LinkStatic::ChooseFont() {
  if (!font_) return;
  const HFONT wanted = ShowsLink() ? font_.Get() : plainFont_;
  if (reinterpret_cast<HFONT>(CallOriginal(WM_GETFONT, 0, 0)) == wanted) return;
  CallOriginal(WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
}

void LinkStatic::Fit(const std::string& caption) {
  SIZE extent = {};
  TEXTMETRICA metrics = {};
  {
    ScopedWindowDc dc(window_);
    if (dc.Get() == nullptr) return;
    auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    ScopedSelectObject select(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    const std::wstring wide = Widen(caption);
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    GetTextMetricsA(dc.Get(), &metrics);
  }
  // A long target never runs over the controls beside it: the link keeps to the room the dialog
  // gave it (the text static cuts the rest).
  const LinkRect room{room_.left, room_.top, room_.right, room_.bottom};
  const int width = std::min<int>(extent.cx, room.right - room.left);
  const auto style = static_cast<uint32_t>(GetWindowLongPtrA(window_, GWL_STYLE));
  const LinkRect fitted = FitLinkRect(room, width, metrics.tmHeight, style);
  MoveWindow(window_, fitted.left, fitted.top, fitted.right - fitted.left,
             fitted.bottom - fitted.top, TRUE);
}

LRESULT LinkStatic::OnColour(HDC dc) {
  const LinkColours colours = Colours();
  COLORREF colour = IsVisited() ? colours.visited : colours.normal;
  if (colours.useHover && GetCapture() == window_) colour = colours.hover;
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void LinkStatic::OnMouseMove(LPARAM lParam) {
  if (GetCapture() != window_) {
    SetCapture(window_);
    Repaint();
    return;
  }
  RECT client = {};
  GetClientRect(window_, &client);
  const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (!PtInRect(&client, at)) {
    ReleaseCapture();
    Repaint();
  }
}

void LinkStatic::OnEraseBackground(HDC dc) {
  RECT client = {};
  GetClientRect(window_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (GetFocus() == window_) DrawFocusRect(dc, &client);
}

LRESULT LinkStatic::OnNotify(NMHDR& header) {
  if (header.hwndFrom != tip_ || tip_ == nullptr) return 0;
  const std::string tip = LinkTipText(url_);
  if (header.code == TTN_GETDISPINFOW) {
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    info.lpszText = info.szText;
    lstrcpynW(info.szText, Widen(tip).c_str(), static_cast<int>(kLinkTipRoom));
  }
  return 0;
}

void LinkStatic::Repaint() {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace tarnwick
