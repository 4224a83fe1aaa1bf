// The program's entry point: process-wide start-up, then the thread manager until the last window
// has closed.
#include "common/win32.h"

#include "common/message_box_win.h"
#include "common/string_resource_win.h"
#include "resources/resource.h"
#include "shell/com_apartment_win.h"
#include "shell/thread_manager_win.h"
#include "shell/window_requests_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  using namespace tarnwick;
  const ComApartment com;
  if (!com.Ready()) return -1;
  SetRequestThreadId(GetCurrentThreadId());

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES;
  if (!InitCommonControlsEx(&controls)) {
    ShowMessageBox(nullptr, LoadResourceString(IDS_NEED_COMMON_CONTROLS), "", MB_ICONHAND);
  }
  WSADATA wsa = {};
  if (WSAStartup(MAKEWORD(1, 1), &wsa) != 0) {
    ShowMessageBox(nullptr, LoadResourceString(IDS_NEED_WINSOCK), "", MB_ICONHAND);
  }

  int result = 0;
  {
    ThreadManager threads(instance, &WindowThread);
    threads.AddThread(commandLine != nullptr ? commandLine : "");
    result = threads.Run();
  }
  WSACleanup();
  return result;
}
