// A stand-in for the game client, started by the launcher's tests in its place. It writes its
// command line and its current folder, one per line, to the file named by the environment
// variable TARNWICK_STAND_IN_RECORD (nothing when it is not set), then opens a top-level window
// titled "Half-Life" and runs until that window is closed (WM_CLOSE). The record is complete
// before the window exists, so a test that has found the window can read it.
#include <cstdio>

#include "common/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("TARNWICK_STAND_IN_RECORD", path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    if (std::FILE* file = std::fopen(path, "wb")) {
      std::fprintf(file, "%s\n%s\n", GetCommandLineA(), folder);
      std::fclose(file);
    }
  }
  // A static control's class closes the window on WM_CLOSE as any window does.
  HWND window = CreateWindowExA(0, "STATIC", "Half-Life", WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  // Not activated: the tests' own windows keep the focus.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
