// The Windows side of scripts/bench. It runs in the same Wine session as Tarnwick.exe and measures
// what a user feels, from outside the program, through the program's own windows:
//
//   loop                 a bare window and message loop, the floor that Tarnwick's idle CPU time
//                        is compared with; runs until it is closed
//   roundtrip SECONDS    WM_GETTEXT round trips to Tarnwick's first window for that long; prints
//                        the median, 95th percentile and slowest, in microseconds
//   windows N            asks the first window for new windows (its Clone command, which posts a
//                        "-new" window request) until N windows show the server's map; prints the
//                        time that took
//   limit                with every slot taken, asks for one more window; prints how many
//                        windows there are afterwards and the text of any message box shown
//   close SEED           closes every Tarnwick window in an order shuffled by SEED
//
// Every result is one line "key=value ..." on standard output; a failure says why and exits 1.
#include "common/win32.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kTarnwickClass = "TarnwickMainWindow";
constexpr const char* kLoopClass = "TarnwickBenchLoop";

std::string WindowText(HWND window) {
  char text[512] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                           SMTO_NORMAL, 5000, &length)) {
    return std::string();
  }
  return std::string(text, std::min<size_t>(length, sizeof(text) - 1));
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

BOOL CALLBACK CollectTarnwickWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && ClassOf(window) == kTarnwickClass) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

// Tarnwick's visible main windows, in the order the window manager lists them.
std::vector<HWND> TarnwickWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectTarnwickWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Any of Tarnwick's windows: each watches the same server, so each clones the same way.
HWND AnyTarnwickWindow(int timeout_ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < until) {
    const std::vector<HWND> windows = TarnwickWindows();
    if (!windows.empty()) return windows.front();
    Sleep(50);
  }
  return nullptr;
}

int Fail(const char* why) {
  std::printf("error=%s\n", why);
  std::fflush(stdout);
  return 1;
}

LRESULT CALLBACK LoopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int RunBareLoop(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = LoopWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kLoopClass;
  if (!RegisterClassA(&windowClass)) return Fail("register-class");
  HWND window = CreateWindowExA(0, kLoopClass, "Tarnwick bench loop", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 400, 600, nullptr, nullptr, instance,
                                nullptr);
  if (window == nullptr) return Fail("create-window");
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

int MeasureRoundTrips(double seconds) {
  HWND window = AnyTarnwickWindow(10000);
  if (window == nullptr) return Fail("no-window");
  std::vector<double> micros;
  int timeouts = 0;
  const auto until = Clock::now() + std::chrono::duration<double>(seconds);
  while (Clock::now() < until) {
    char text[256];
    DWORD_PTR length = 0;
    const auto sent = Clock::now();
    const LRESULT answered =
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                            SMTO_NORMAL, 2000, &length);
    const auto back = Clock::now();
    if (answered == 0) {
      ++timeouts;
    } else {
      micros.push_back(std::chrono::duration<double, std::micro>(back - sent).count());
    }
    Sleep(10);  // about 100 samples a second; the window is not kept busy by the probe itself
  }
  if (micros.empty()) return Fail("no-answer");
  std::sort(micros.begin(), micros.end());
  const auto at = [&](double fraction) {
    return micros[std::min(micros.size() - 1, static_cast<size_t>(fraction * micros.size()))];
  };
  std::printf("samples=%zu median_us=%.0f p95_us=%.0f max_us=%.0f timeouts=%d\n", micros.size(),
              at(0.5), at(0.95), micros.back(), timeouts);
  return 0;
}

// A window watches the server once its caption names the map (the caption before that is the
// program name alone).
int CountWatching(const std::vector<HWND>& windows, const std::string& map) {
  int watching = 0;
  for (HWND window : windows) watching += WindowText(window).find(map) != std::string::npos;
  return watching;
}

int OpenWindows(int wanted, const std::string& map) {
  HWND first = AnyTarnwickWindow(10000);
  if (first == nullptr) return Fail("no-window");
  const int have = static_cast<int>(TarnwickWindows().size());
  const auto started = Clock::now();
  for (int i = have; i < wanted; ++i) PostMessageA(first, WM_COMMAND, ID_FILE_CLONE, 0);
  const auto until = started + std::chrono::seconds(120);
  int watching = 0;
  size_t count = 0;
  while (Clock::now() < until) {
    const std::vector<HWND> windows = TarnwickWindows();
    count = windows.size();
    if (static_cast<int>(count) >= wanted) {
      watching = CountWatching(windows, map);
      if (watching >= wanted) break;
    }
    Sleep(20);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  std::printf("windows=%zu watching=%d ms=%.0f\n", count, watching, ms);
  return watching >= wanted ? 0 : Fail("not-all-watching");
}

struct BoxSearch {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectMessageBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window) && ClassOf(window) == "#32770") {
    search->found.push_back(window);
  }
  return TRUE;
}

// Message boxes of Tarnwick's process: dialogs of the standard class owned by its threads.
std::vector<HWND> MessageBoxesOf(DWORD process) {
  BoxSearch search{process, {}};
  EnumWindows(CollectMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int AskOneTooMany() {
  HWND first = AnyTarnwickWindow(10000);
  if (first == nullptr) return Fail("no-window");
  DWORD process = 0;
  GetWindowThreadProcessId(first, &process);
  const size_t before = TarnwickWindows().size();
  PostMessageA(first, WM_COMMAND, ID_FILE_CLONE, 0);
  // A new window would start 100 ms after the request; give it ample time on a loaded machine.
  std::string message = "none";
  for (int i = 0; i < 60; ++i) {
    Sleep(50);
    const std::vector<HWND> boxes = MessageBoxesOf(process);
    if (!boxes.empty()) {
      char text[512] = {};
      GetDlgItemTextA(boxes.front(), 0xFFFF, text, sizeof(text));  // the box's message static
      message = std::string("\"") + text + "\"";
      PostMessageA(boxes.front(), WM_COMMAND, IDOK, 0);
      break;
    }
  }
  Sleep(500);
  std::printf("before=%zu after=%zu message=%s\n", before, TarnwickWindows().size(),
              message.c_str());
  return 0;
}

int CloseAll(unsigned seed) {
  std::vector<HWND> windows = TarnwickWindows();
  std::shuffle(windows.begin(), windows.end(), std::mt19937(seed));
  for (HWND window : windows) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    Sleep(20);
  }
  std::printf("closed=%zu seed=%u\n", windows.size(), seed);
  return 0;
}

}  // namespace

int main(int count, char** arguments) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const std::string mode = count > 1 ? arguments[1] : "";
  const char* value = count > 2 ? arguments[2] : "";
  int result = 2;
  if (mode == "loop") result = RunBareLoop(instance);
  else if (mode == "roundtrip") result = MeasureRoundTrips(std::atof(value));
  else if (mode == "windows") result = OpenWindows(std::atoi(value), count > 3 ? arguments[3] : "");
  else if (mode == "limit") result = AskOneTooMany();
  else if (mode == "close") result = CloseAll(static_cast<unsigned>(std::atoi(value)));
  else std::fprintf(stderr, "usage: tarnwick_bench_probe loop|roundtrip S|windows N MAP|limit|close SEED\n");
  std::fflush(stdout);
  return result;
}
