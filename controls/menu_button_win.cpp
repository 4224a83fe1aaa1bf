#include "controls/menu_button_win.h"

#include <string>

#include "common/window_dpi_win.h"

namespace tarnwick {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// The arrow part: as wide as a scroll bar's arrow at the button's DPI, inside the two frame lines.
RECT ArrowRect(HWND button, const RECT& client) {
  const int width = SystemMetricForDpi(SM_CXVSCROLL, WindowDpi(button));
  return RECT{client.right - 2 - width, client.top + 2, client.right - 2, client.bottom - 2};
}

void FillBox(HDC dc, int left, int top, int right, int bottom, int colorIndex) {
  const RECT box{left, top, right, bottom};
  FillRect(dc, &box, GetSysColorBrush(colorIndex));
}

// A downward triangle, centred in `area`, in rows of one pixel.
void DrawArrowGlyph(HDC dc, const RECT& area, int colorIndex) {
  const int width = ((area.right - area.left) * 7 / 16) | 1;
  const int height = (width + 1) / 2;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  for (int row = 0; row < height; ++row) {
    FillBox(dc, left + row, top + row, left + width - row, top + row + 1, colorIndex);
  }
}

}  // namespace

MenuButton::~MenuButton() { Detach(); }

bool MenuButton::Attach(HWND button, HINSTANCE instance, int menuId) {
  Detach();
  menuBar_.Reset(LoadMenuA(instance, MAKEINTRESOURCEA(menuId)));
  popup_ = menuBar_ ? GetSubMenu(menuBar_.Get(), 0) : nullptr;
  if (button == nullptr || popup_ == nullptr) return false;

  char caption[64] = {};
  GetWindowTextA(button, caption, sizeof(caption));
  const UINT command = static_cast<UINT>(GetDlgCtrlID(button));
  InsertMenuA(popup_, 0, MF_BYPOSITION | MF_STRING, command, caption);
  SetMenuDefaultItem(popup_, command, FALSE);

  if (!SetWindowSubclass(button, &MenuButton::SubclassProc, kSubclassId,
                         reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  button_ = button;
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  SetStyle(static_cast<WPARAM>(style & BS_TYPEMASK), TRUE);
  return true;
}

void MenuButton::Detach() {
  if (button_ != nullptr) RemoveWindowSubclass(button_, &MenuButton::SubclassProc, kSubclassId);
  button_ = nullptr;
}

RECT MenuButton::ArrowPart() const {
  RECT client = {};
  if (button_ != nullptr) GetClientRect(button_, &client);
  return ArrowRect(button_, client);
}

void MenuButton::SetStyle(WPARAM style, BOOL redraw) {
  isDefault_ = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  // The dialog manager sets push button types; the button stays drawn by the program and keeps
  // its other style bits (the flat style among them).
  const LONG current = GetWindowLongA(button_, GWL_STYLE);
  const WPARAM kept = static_cast<WPARAM>(current & 0xFFFF & ~BS_TYPEMASK);
  DefSubclassProc(button_, BM_SETSTYLE, kept | BS_OWNERDRAW, redraw);
  if (redraw) InvalidateRect(button_, nullptr, FALSE);
}

LRESULT CALLBACK MenuButton::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<MenuButton*>(data);
  if (message == WM_NCDESTROY) {
    self->Detach();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return DefSubclassProc(window, message, wParam, lParam);
  }
}

LRESULT MenuButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(button_, message, wParam, lParam);
      code &= ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
      return code | DLGC_BUTTON | DLGC_WANTARROWS |
             (isDefault_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case BM_SETSTYLE:
      SetStyle(wParam, static_cast<BOOL>(lParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      LRESULT result = 0;
      if (OnMouseDown(message, wParam, lParam, result)) return result;
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        OpenMenu();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(button_, message, wParam, lParam);
}

bool MenuButton::OnMouseDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const bool pressed = (SendMessageA(button_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  if (at.x >= ArrowPart().left && !pressed) {
    SendMessageA(GetParent(button_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button_), TRUE);
    OpenMenu();
    result = 0;
    return true;
  }
  if (message == WM_LBUTTONDBLCLK) {
    // A drawn button reports a second click as a double click; like any push button it is
    // pressed again instead.
    result = DefSubclassProc(button_, WM_LBUTTONDOWN, wParam, lParam);
    return true;
  }
  return false;
}

void MenuButton::OpenMenu() {
  if (button_ == nullptr || popup_ == nullptr || menuOpen_) return;
  const HWND button = button_;
  RECT place = {};
  GetWindowRect(button, &place);
  menuOpen_ = true;
  InvalidateRect(button, nullptr, FALSE);
  UpdateWindow(button);
  TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, place.left, place.bottom, 0,
                 GetParent(button), nullptr);
  menuOpen_ = false;
  if (!IsWindow(button)) return;
  InvalidateRect(button, nullptr, FALSE);
  MSG pending;
  while (PeekMessageA(&pending, button, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) {
  }
}

void MenuButton::Draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;

  RECT frame = item.rcItem;
  FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
  if (isDefault_ || focused) FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNTEXT));
  InflateRect(&frame, -1, -1);
  if (pushed) {
    DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
  } else {
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
  }

  const RECT arrow = ArrowRect(item.hwndItem, item.rcItem);
  RECT glyph = arrow;
  if (menuOpen_) {
    RECT sunken = arrow;
    DrawEdge(dc, &sunken, EDGE_SUNKEN, BF_RECT);
    OffsetRect(&glyph, 1, 1);
  } else {
    FillBox(dc, arrow.left, arrow.top + 2, arrow.left + 1, arrow.bottom - 2, COLOR_BTNSHADOW);
  }
  DrawArrowGlyph(dc, glyph, disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);

  RECT caption{item.rcItem.left + 2, item.rcItem.top + 2, arrow.left, item.rcItem.bottom - 2};
  RECT text = caption;
  if (pushed) OffsetRect(&text, 1, 1);
  char buffer[64] = {};
  const int length = GetWindowTextA(item.hwndItem, buffer, sizeof(buffer));
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  ScopedSelectObject selectFont(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  if (disabled) {
    // Engraved like the system's greyed captions: a light copy below the grey one.
    RECT light = text;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, buffer, length, &light, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextA(dc, buffer, length, &text, format);

  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    InflateRect(&caption, -1, -1);
    DrawFocusRect(dc, &caption);
  }
}

}  // namespace tarnwick
