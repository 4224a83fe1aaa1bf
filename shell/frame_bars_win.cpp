#include "shell/frame_bars_win.h"

#include "controls/combo_box_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr int kButtonImages = 11;
// The strip's background, the button face of the system the pictures were drawn on.
constexpr COLORREF kButtonImageBackground = RGB(192, 192, 192);
constexpr int kAddressBoxLeft = 80;
constexpr int kAddressBoxRight = 140;
constexpr UINT_PTR kEnterSubclassId = 1;

struct ButtonSpec {
  int command;  // 0: a separator
  int image;
};
constexpr ButtonSpec kButtons[] = {
    {ID_FILE_CONNECT, 0},   {ID_FILE_CLONE, 1},          {ID_FILE_DISCONNECT, 2},
    {0, 0},                 {ID_FILE_JOIN, 3},           {ID_FILE_AUTO_JOIN, 4},
    {ID_TOOLS_REMOTE_CONSOLE, 5}, {0, 0},               {ID_VIEW_REFRESH, 6},
    {ID_VIEW_SERVER_INFO, 7}, {ID_FILE_GO_TO_TRAY, 8},  {ID_TOOLS_OPTIONS, 9},
    {0, 0},                 {ID_HELP_ABOUT, 10},
};

// Enter in the address box's edit field connects, as Ctrl+O does; the key then goes on as usual.
LRESULT CALLBACK AddressEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    HWND top = window;
    while (HWND parent = GetParent(top)) top = parent;
    SendMessageA(top, WM_COMMAND, MAKEWPARAM(ID_FILE_CONNECT, 0), 0);
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &AddressEditProc, kEnterSubclassId);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool FrameBars::Create(HWND frame, HINSTANCE instance) {
  frame_ = frame;
  instance_ = instance;
  rebar_ = CreateWindowExA(0, REBARCLASSNAMEA, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_BORDER |
                               RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_AUTOSIZE,
                           0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_REBAR)),
                           instance, nullptr);
  if (rebar_ == nullptr) return false;
  REBARINFO info = {};
  info.cbSize = sizeof(info);
  SendMessageA(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));

  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                 CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                             0, 0, 0, 0, rebar_, nullptr, instance, nullptr);
  if (toolbar_ == nullptr) return false;
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar_, TB_SETPARENT, reinterpret_cast<WPARAM>(frame), 0);
  SetButtonImages(WindowDpi(frame));
  TBBUTTON buttons[sizeof(kButtons) / sizeof(kButtons[0])] = {};
  int count = 0;
  for (const ButtonSpec& spec : kButtons) {
    TBBUTTON& button = buttons[count++];
    if (spec.command == 0) {
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = spec.image;
      button.idCommand = spec.command;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
    }
  }
  SendMessageA(toolbar_, TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons));
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);

  REBARBANDINFOA band = ToolbarBandSizes();
  band.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_ID;
  band.fStyle = RBBS_CHILDEDGE | RBBS_USECHEVRON;
  band.hwndChild = toolbar_;
  band.wID = IDC_TOOLBAR_BAND;
  SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
  return true;
}

void FrameBars::SetButtonImages(UINT dpi) {
  buttonImages_.Reset(LoadImageStripForDpi(instance_, IDR_MAINFRAME, kButtonImages,
                                           kButtonImageBackground, dpi));
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(buttonImages_.Get(), &width, &height);
  SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(buttonImages_.Get()));
}

REBARBANDINFOA FrameBars::ToolbarBandSizes() const {
  SIZE ideal = {};
  SendMessageA(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
  RECT first = {};
  SendMessageA(toolbar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  REBARBANDINFOA band = {};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
  band.cxMinChild = first.right - first.left;
  band.cyMinChild = ideal.cy;
  band.cx = ideal.cx;
  band.cxIdeal = ideal.cx;
  return band;
}

void FrameBars::OnDpiChanged(UINT fromDpi, UINT toDpi) {
  SetButtonImages(toDpi);
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  REBARBANDINFOA band = ToolbarBandSizes();
  const LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, IDC_TOOLBAR_BAND, 0);
  if (index >= 0) {
    SendMessageA(rebar_, RB_SETBANDINFOA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&band));
  }
  rebarFont_.Rescale(rebar_, fromDpi, toDpi);
  addressFont_.Rescale(addressBox_, fromDpi, toDpi);
  FitAddressBand(toDpi);
}

void FrameBars::FitAddressBand(UINT dpi) {
  const LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, IDC_ADDRESS_BOX, 0);
  if (index < 0 || addressBox_ == nullptr) return;
  RECT box = {};
  GetWindowRect(addressBox_, &box);
  REBARBANDINFOA band = {};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILDSIZE;
  band.cxMinChild = ScaleForDpi(kAddressBoxRight - kAddressBoxLeft, dpi);
  band.cyMinChild = box.bottom - box.top;
  SendMessageA(rebar_, RB_SETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
}

bool FrameBars::CreateAddressBox(bool showList, uint32_t height) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_SORT;
  style |= showList ? (CBS_SIMPLE | CBS_NOINTEGRALHEIGHT) : CBS_DROPDOWN;
  // A Unicode box, so that a server name typed in any script is kept as typed.
  addressBox_ = CreateWindowExW(0, WC_COMBOBOXW, nullptr, style, kAddressBoxLeft, 0,
                                kAddressBoxRight - kAddressBoxLeft, static_cast<int>(height),
                                rebar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ADDRESS_BOX)),
                                instance_, nullptr);
  if (addressBox_ == nullptr) return false;
  SendMessageA(addressBox_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  // The stock font is made for the screen's DPI; a window on a screen of another one needs its own.
  const UINT dpi = WindowDpi(frame_);
  if (dpi != ScreenDpi()) addressFont_.Rescale(addressBox_, ScreenDpi(), dpi);
  SendMessageA(addressBox_, CB_SETEXTENDEDUI, TRUE, 0);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  addressEdit_ = GetComboBoxInfo(addressBox_, &info) ? info.hwndItem : nullptr;
  if (addressEdit_ != nullptr) SetWindowSubclass(addressEdit_, &AddressEditProc, kEnterSubclassId, 0);
  lastAddressText_.clear();

  RECT box = {};
  GetWindowRect(addressBox_, &box);
  REBARBANDINFOA band = {};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_TEXT | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE | RBBS_BREAK;
  band.lpText = const_cast<char*>("Server");
  band.hwndChild = addressBox_;
  band.cxMinChild = ScaleForDpi(kAddressBoxRight - kAddressBoxLeft, dpi);
  band.cyMinChild = box.bottom - box.top;
  band.cx = 0;
  band.wID = IDC_ADDRESS_BOX;
  SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
  return addressEdit_ != nullptr;
}

void FrameBars::DestroyAddressBox() {
  const LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, IDC_ADDRESS_BOX, 0);
  if (index >= 0) SendMessageA(rebar_, RB_DELETEBAND, static_cast<WPARAM>(index), 0);
  if (addressBox_ != nullptr) DestroyWindow(addressBox_);
  addressBox_ = nullptr;
  addressEdit_ = nullptr;
}

std::string FrameBars::AddressText() const {
  const int selected = static_cast<int>(SendMessageA(addressBox_, CB_GETCURSEL, 0, 0));
  if (selected != CB_ERR) return ComboItemText(addressBox_, selected).substr(0, 255);
  return ComboEditText(addressBox_);
}

void FrameBars::FillAddressBox(const std::vector<std::string>& servers) {
  SendMessageW(addressBox_, CB_RESETCONTENT, 0, 0);
  for (const std::string& server : servers) AddComboItem(addressBox_, server);
}

void FrameBars::SelectAddress(const std::string& text) {
  SendMessageW(addressBox_, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void FrameBars::OnAddressEditChange() { CompleteTypedText(addressBox_, lastAddressText_); }

void FrameBars::ApplyToToolbar(const CommandStates& states) {
  for (const CommandState& state : states.All()) {
    if (!state.onToolbar) continue;
    SendMessageA(toolbar_, TB_ENABLEBUTTON, state.id, MAKELPARAM(state.enabled ? TRUE : FALSE, 0));
    SendMessageA(toolbar_, TB_CHECKBUTTON, state.id, MAKELPARAM(state.checked ? TRUE : FALSE, 0));
  }
}

bool FrameBars::HidesAccessKeys() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  const BOOL known = GetVersionExA(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  if (!known || version.dwMajorVersion < 4) return false;
  return !(version.dwMajorVersion == 4 && version.dwMinorVersion < 90);
}

LRESULT FrameBars::OnRebarCustomDraw(NMCUSTOMDRAW& draw) {
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return draw.lItemlParam == IDC_ADDRESS_BOX || draw.dwItemSpec == IDC_ADDRESS_BOX
                 ? CDRF_NOTIFYPOSTPAINT
                 : CDRF_DODEFAULT;
    case CDDS_ITEMPOSTPAINT: {
      if (draw.dwItemSpec != IDC_ADDRESS_BOX) return CDRF_DODEFAULT;
      UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
      if (HidesAccessKeys()) {
        if (GetKeyState(VK_MENU) >= 0) return CDRF_DODEFAULT;
        format |= DT_PREFIXONLY;
      }
      const auto font = reinterpret_cast<HFONT>(SendMessageA(rebar_, WM_GETFONT, 0, 0));
      ScopedSelectObject select(draw.hdc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
      RECT title = draw.rc;
      title.left += 4;
      const int mode = SetBkMode(draw.hdc, TRANSPARENT);
      DrawTextA(draw.hdc, "&Server", -1, &title, format);
      SetBkMode(draw.hdc, mode);
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace tarnwick
