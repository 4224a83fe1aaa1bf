#include "shell/main_window_win.h"

#include "common/message_box_win.h"
#include "common/string_resource_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "rcon/rcon_message_win.h"
#include "resources/resource.h"
#include "settings/registry_key_store_win.h"
#include "common/message_loop_win.h"

namespace tarnwick {
namespace {

constexpr const wchar_t* kWindowClass = L"TarnwickMainWindow";

// Help texts of system menu commands are numbered from 0xEF00 in steps of one per command.
UINT SystemCommandHelpId(UINT command) { return 0xEF00 + ((command - 0xF000) >> 4); }

}  // namespace

namespace {

std::unique_ptr<KeyStore> RegistryUnlessGiven(KeyStore* store) {
  if (store != nullptr) return nullptr;
  return std::make_unique<RegistryKeyStore>();
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, bool openedWithNew, KeyStore* store)
    : instance_(instance),
      ownStore_(RegistryUnlessGiven(store)),
      store_(store != nullptr ? *store : *ownStore_),
      launcher_(*this),
      infoSheet_(monitor_) {
  settings_.openedWithNew = openedWithNew;
}

MainWindow::~MainWindow() {
  if (hwnd() != nullptr) DestroyWindow(hwnd());
}

bool MainWindow::Create() {
  WNDCLASSEXW wc = {};
  wc.hInstance = instance_;
  wc.lpszClassName = kWindowClass;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDR_MAINFRAME));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINFRAME);
  if (!RegisterWindowClass(wc)) return false;
  const std::string title = LoadResourceString(IDS_PROGRAM_NAME);
  return CreateOwnedWindow(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, kWindowClass, title.c_str(),
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           instance_) != nullptr;
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTrayRetryTimerId) {
    tray_.OnRetryTimer();
    return 0;
  }
  if (message == WM_TIMER && wParam == kBalloonTimerId) {
    ShowDueBalloon();
    return 0;
  }
  if (socket_.Dispatch(monitor_, message, wParam, lParam)) return 0;
  if (message == TrayCallbackMessage()) {
    OnTrayNotify(static_cast<UINT>(LOWORD(lParam)));
    return 0;
  }
  if (message == TaskbarCreatedMessage()) {
    OnTaskbarCreated();
    return 0;
  }
  if (message == RConMessage()) {
    // The message carries no text: the console's outbox does, so one from another process sends
    // nothing.
    if (wParam == kRConSendText) {
      for (const std::string& text : console_.TakeOutgoing()) {
        if (monitor_.IsConnected()) monitor_.SendQuery(text);
      }
    }
    if (wParam == kRConServerPort && lParam == 0) return monitor_.ConnectedPort();
    return 0;
  }
  if (message == kDpiChangedMessage) {
    OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  switch (message) {
    case WM_SIZE:
      OnSize(wParam);
      break;
    case WM_CREATE:
      return OnCreate();
    case WM_CLOSE:
      OnClose();
      break;
    case WM_QUERYUISTATE:
      return UISF_HIDEACCEL;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != playerList_.hwnd()) break;
      playerMenu_.OnContextMenu(lParam);
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    case WM_DESTROY:
      if (filterId_ != 0 && MessageLoop::Current() != nullptr) {
        MessageLoop::Current()->RemoveFilter(filterId_);
        MessageLoop::Current()->RemoveIdleHandler(idleId_);
      }
      tray_.DeleteIcon();
      PostQuitMessage(1);
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT MainWindow::OnCreate() {
  socket_.Attach(hwnd());
  TrayCallbackMessage();
  TaskbarCreatedMessage();
  programName_ = LoadResourceString(IDS_PROGRAM_NAME);
  console_.Create(instance_, hwnd());
  AttachRecentServersMenu();
  LoadSettings();
  ApplyWorkingFolder();
  console_.Hide();
  if (!playerList_.Create(hwnd(), instance_, settings_)) return -1;
  if (!bars_.Create(hwnd(), instance_)) return -1;
  CreateHighlightFonts();
  CreateAddressBox();
  if (!statusBar_.Create(hwnd(), instance_)) return -1;
  // The controls start with fonts made for the screen's DPI, which a window placed on a screen of
  // another one does not have.
  dpi_ = WindowDpi(hwnd());
  if (dpi_ != ScreenDpi()) FitToDpi(ScreenDpi(), dpi_);
  accelerators_ = LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME));
  if (MessageLoop* loop = MessageLoop::Current()) {
    filterId_ = loop->AddFilter([this](MSG& message) { return FilterMessage(message); });
    idleId_ = loop->AddIdleHandler([this] { OnIdle(); });
  }
  tray_.Attach(hwnd(), instance_);
  FillAddressBox();
  SendMessageA(bars_.AddressBox(), CB_SETCURSEL, 0, 0);
  monitor_.Disconnect();
  ReadLogonEntry();
  commands_.SetChecked(ID_VIEW_TOOLBAR, true);
  commands_.SetChecked(ID_VIEW_STATUS_BAR, true);
  commands_.SetChecked(ID_TOOLS_AUTO_UPDATE, settings_.autoUpdate);
  commands_.SetChecked(ID_TOOLS_MINIMIZE_TO_TRAY, settings_.minimizeToTray);
  commands_.SetChecked(ID_FILE_AUTO_JOIN, launcher_.AutojoinOn());
  UpdateLayout(true);
  return 0;
}

void MainWindow::OnClose() {
  SaveSettings();
  WriteLogonEntry();
  monitor_.Disconnect();
}

bool MainWindow::CreateAddressBox() {
  return bars_.CreateAddressBox(settings_.serverList, settings_.serverListHeight);
}

void MainWindow::UpdateLayout(bool resizeBars) {
  if (hwnd() == nullptr || statusBar_.hwnd() == nullptr) return;
  if (resizeBars) {
    SendMessageA(bars_.Rebar(), WM_SIZE, 0, 0);
    SendMessageA(statusBar_.hwnd(), WM_SIZE, 0, 0);
  }
  statusBar_.LayoutPanes();
  RECT client = {};
  GetClientRect(hwnd(), &client);
  int top = 0;
  int bottom = client.bottom;
  if (IsWindowVisible(bars_.Rebar())) {
    RECT bar = {};
    GetWindowRect(bars_.Rebar(), &bar);
    top = bar.bottom - bar.top;
  }
  if (IsWindowVisible(statusBar_.hwnd())) {
    RECT bar = {};
    GetWindowRect(statusBar_.hwnd(), &bar);
    bottom -= bar.bottom - bar.top;
  }
  MoveWindow(playerList_.hwnd(), 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void MainWindow::OnSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    // Going to the tray minimises the window too; that minimise finds it in the tray already.
    if (settings_.minimizeToTray && !tray_.InTray()) ShowInTray(true);
    return;
  }
  UpdateLayout(true);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  FitToDpi(dpi_, dpi);
  dpi_ = dpi;
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateLayout(true);
}

void MainWindow::FitToDpi(UINT fromDpi, UINT toDpi) {
  bars_.OnDpiChanged(fromDpi, toDpi);
  playerList_.SetDpi(toDpi);
  listFont_.Rescale(playerList_.hwnd(), fromDpi, toDpi);
  statusFont_.Rescale(statusBar_.hwnd(), fromDpi, toDpi);
  // The highlight fonts are made from the list's font.
  CreateHighlightFonts();
  UpdateLayout(true);
}

LRESULT MainWindow::OnNotify(NMHDR& header) {
  if (header.hwndFrom == bars_.Rebar() && header.code == RBN_AUTOSIZE) {
    UpdateLayout(false);
    return 0;
  }
  if (header.idFrom == IDC_PLAYER_LIST && header.code == LVN_COLUMNCLICK) {
    playerList_.OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem, settings_.sortOrder);
    return 0;
  }
  if (header.code == NM_CUSTOMDRAW && settings_.playerListHighlight) {
    if (header.hwndFrom == playerList_.hwnd()) {
      return playerList_.OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header),
                                      [this](const std::string& name, COLORREF& color, HFONT& font) {
                                        return HighlightName(name, color, font);
                                      });
    }
    if (header.hwndFrom == bars_.Rebar()) {
      return bars_.OnRebarCustomDraw(reinterpret_cast<NMCUSTOMDRAW&>(header));
    }
  }
  if (header.code == TTN_GETDISPINFOW || header.code == TTN_GETDISPINFOA) {
    // The toolbar asks in the form its tooltip was made for; the tips are the program's own ASCII.
    const std::string help = LoadResourceString(static_cast<UINT>(header.idFrom));
    const size_t split = help.find('\n');
    const std::string tip = split == std::string::npos ? std::string() : help.substr(split + 1);
    if (header.code == TTN_GETDISPINFOW) {
      auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
      lstrcpynW(info.szText, Widen(tip).c_str(), static_cast<int>(std::size(info.szText)));
      info.lpszText = info.szText;
    } else {
      auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
      lstrcpynA(info.szText, tip.c_str(), static_cast<int>(sizeof(info.szText)));
      info.lpszText = info.szText;
    }
    return 0;
  }
  return DefaultHandling(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void MainWindow::OnInitMenuPopup(HMENU menu) {
  for (const CommandState& state : commands_.All()) {
    if (GetMenuState(menu, state.id, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
    EnableMenuItem(menu, state.id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, state.id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void MainWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && menu == nullptr) {
    statusBar_.ShowIdleText();
    return;
  }
  if ((flags & (MF_POPUP | MF_SEPARATOR)) != 0) {
    statusBar_.SetHelpText("");
    return;
  }
  UINT id = item;
  if ((flags & MF_SYSMENU) != 0 && item >= 0xF000) id = SystemCommandHelpId(item);
  const std::string help = LoadResourceString(id);
  statusBar_.SetHelpText(help.substr(0, help.find('\n')));
}

bool MainWindow::FilterMessage(MSG& message) {
  if (playerMenu_.FilterKey(message)) return true;
  if (FrameBars::HidesAccessKeys()) {
    const bool keyUp = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    const bool firstKeyDown = (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
                              LOWORD(message.lParam) == 1;
    if (keyUp || firstKeyDown) InvalidateRect(bars_.Rebar(), nullptr, FALSE);
  }
  return accelerators_ != nullptr && TranslateAcceleratorW(hwnd(), accelerators_, &message) != 0;
}

void MainWindow::OnIdle() { bars_.ApplyToToolbar(commands_); }

int MainWindow::ShowBox(const std::string& text, UINT type) {
  if (IsShown()) return ShowMessageBox(hwnd(), text, programName_, type);
  return ShowMessageBox(nullptr, text, programName_, type | MB_SYSTEMMODAL);
}

int MainWindow::ShowMessageBoxOwned(const std::string& text, UINT type) {
  return ShowMessageBox(hwnd(), text, programName_, type);
}

}  // namespace tarnwick
