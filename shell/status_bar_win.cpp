#include "shell/status_bar_win.h"

#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr int kDefaultPane = 0;
constexpr int kPingPane = 1;
constexpr int kStatePane = 2;

}  // namespace

bool StatusBar::Create(HWND parent, HINSTANCE instance) {
  idleText_ = LoadResourceString(IDS_IDLE_STATUS);
  window_ = CreateWindowExW(0, STATUSCLASSNAMEW, Widen(idleText_).c_str(),
                            WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBT_TOOLTIPS, 0, 0, 0, 0,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
                            instance, nullptr);
  if (window_ == nullptr) return false;
  LayoutPanes();
  return true;
}

int StatusBar::TextWidth(const std::string& text) const {
  ScopedWindowDc dc(window_);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  ScopedSelectObject select(dc.Get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  const std::wstring wide = Widen(text);
  GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

void StatusBar::LayoutPanes() {
  if (window_ == nullptr) return;
  RECT client = {};
  GetClientRect(window_, &client);
  int borders[3] = {};
  SendMessageA(window_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  const int padding = 2 * borders[1] + 6;
  const int grip = SystemMetricForDpi(SM_CXVSCROLL, WindowDpi(window_));
  const int stateWidth = TextWidth(LoadResourceString(IDS_STATE_PANE_WIDTH)) + padding;
  const int pingWidth = TextWidth(LoadResourceString(IDS_PING_PANE)) + padding;
  int edges[3];
  edges[kStatePane] = -1;
  edges[kPingPane] = client.right - grip - stateWidth;
  edges[kDefaultPane] = edges[kPingPane] - pingWidth;
  if (edges[kDefaultPane] < 0) edges[kDefaultPane] = 0;
  if (edges[kPingPane] < edges[kDefaultPane]) edges[kPingPane] = edges[kDefaultPane];
  SendMessageA(window_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

void StatusBar::SetHelpText(const std::string& text) {
  SendMessageW(window_, SB_SETTEXTW, kDefaultPane, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void StatusBar::ShowIdleText() { SetHelpText(idleText_); }

void StatusBar::SetPingText(const std::string& text) {
  SendMessageW(window_, SB_SETTEXTW, kPingPane, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void StatusBar::SetState(HICON icon, const std::string& tip) {
  stateTip_ = tip;
  stateIcon_ = icon;
  SendMessageW(window_, SB_SETTIPTEXTW, kStatePane,
               reinterpret_cast<LPARAM>(Widen(stateTip_).c_str()));
  SendMessageA(window_, SB_SETICON, kStatePane, reinterpret_cast<LPARAM>(icon));
}

std::string StatusBar::PaneText(int pane) const {
  const LRESULT info = SendMessageW(window_, SB_GETTEXTLENGTHW, pane, 0);
  std::wstring text(LOWORD(info) + 1, L'\0');
  SendMessageW(window_, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(info));
  return Narrow(text);
}

}  // namespace tarnwick
