// A stand-in for the game client, started by the launcher's tests in its place. It writes its
// command line and its current folder, one per line, to the file named by the environment
// variable TARNWICK_STAND_IN_RECORD (nothing when it is not set), then opens a top-level window
// titled "Half-Life" and runs until that window is closed (WM_CLOSE). The record is complete
// before the window exists, so a test that has found the window can read it.
#include <cstdio>
#include <string>

#include "common/win32.h"

namespace {

constexpr const char* kWindowClass = "TarnwickStandInClient";

void WriteRecord() {
  char path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("TARNWICK_STAND_IN_RECORD", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return;
  std::fprintf(file, "%s\n%s\n", GetCommandLineA(), folder);
  std::fclose(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WriteRecord();
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (RegisterClassExA(&wc) == 0) return 1;
  HWND window = CreateWindowExA(0, kWindowClass, "Half-Life", WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  // Not activated: the tests' own windows keep the focus.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
