#include "tests/support/window_test_support_win.h"

#include <algorithm>
#include <cstring>

#include "common/shell_open_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"

namespace tarnwick::testing {
namespace {

void DispatchOne(MSG& message) {
  MessageLoop* loop = MessageLoop::Current();
  if (loop != nullptr && loop->PreTranslate(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

void PumpPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    DispatchOne(message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpPending();
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
  }
}

BoxRecorder::BoxRecorder() {
  SetMessageBoxResponder([this](const MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (answers_.empty()) return IDOK;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

BoxRecorder::~BoxRecorder() { SetMessageBoxResponder(nullptr); }

ShellRecorder::ShellRecorder() {
  SetShellActions({[this](const std::string& target) {
                     opened.push_back(target);
                     return answer;
                   },
                   [this] { ++beeps; }});
}

ShellRecorder::~ShellRecorder() { SetShellActions({}); }

TrayRecorder::TrayRecorder() {
  SetTrayShellHook([this](DWORD message, const NOTIFYICONDATAW& data) {
    const BOOL accepted = Take(message, data);
    calls_.push_back(Call{message, data.uFlags, data.hIcon, Narrow(data.szTip), data.cbSize});
    return accepted;
  });
}

BOOL TrayRecorder::Take(DWORD message, const NOTIFYICONDATAW& data) {
  if (!running) return FALSE;
  auto held = std::find_if(icons_.begin(), icons_.end(), [&data](const Icon& icon) {
    return icon.window == data.hWnd && icon.id == data.uID;
  });
  if (message == NIM_ADD) {
    if (held != icons_.end()) return FALSE;
    held = icons_.insert(icons_.end(), Icon{data.hWnd, data.uID, nullptr, std::string()});
  } else if (held == icons_.end()) {
    return FALSE;
  }
  switch (message) {
    case NIM_DELETE:
      icons_.erase(held);
      return TRUE;
    case NIM_SETVERSION:
      return acceptVersion ? TRUE : FALSE;
    default:
      if ((data.uFlags & NIF_ICON) != 0) held->picture = data.hIcon;
      if ((data.uFlags & NIF_TIP) != 0) held->tip = Narrow(data.szTip);
      return TRUE;
  }
}

TrayRecorder::~TrayRecorder() { SetTrayShellHook(nullptr); }

size_t TrayRecorder::Count(DWORD message) const {
  size_t count = 0;
  for (const Call& call : calls_) count += call.message == message ? 1 : 0;
  return count;
}

WindowUnderTest::WindowUnderTest(bool show, bool openedWithNew)
    : window_(std::make_unique<MainWindow>(GetModuleHandleA(nullptr), openedWithNew,
                                           &registry_.store())) {
  if (!window_->Create()) return;
  if (show) ShowWindow(window_->hwnd(), SW_SHOWNORMAL);
  PumpPending();
}

WindowUnderTest::~WindowUnderTest() {
  window_.reset();
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void WindowUnderTest::Close() {
  if (window_->hwnd() != nullptr) SendMessageA(window_->hwnd(), WM_CLOSE, 0, 0);
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::vector<uint32_t> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32};
  void* bits = nullptr;
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const UniqueGdiObject bitmap(
      CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  ScopedSelectObject select(dc.Get(), bitmap.Get());
  draw(dc.Get());
  GdiFlush();
  const auto* first = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(first, first + static_cast<size_t>(width) * height);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

void SendCommand(HWND window, int command, int code) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, code), 0);
}

}  // namespace tarnwick::testing
