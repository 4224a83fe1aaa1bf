// One window thread: its message loop and its main window, from its command line to WM_QUIT.
#include <memory>

#include "shell/com_apartment_win.h"
#include "shell/command_line.h"
#include "shell/main_window_win.h"
#include "common/message_loop_win.h"
#include "shell/thread_manager_win.h"

namespace tarnwick {

DWORD WINAPI WindowThread(void* parameter) {
  std::unique_ptr<char[]> commandLine(static_cast<char*>(parameter));
  // The window opens links (About box, Help menu, Server Info pages) from this thread. Without COM
  // they still open, as far as the shell manages alone.
  const ComApartment com;
  MessageLoop loop;
  const WindowCommandLine line = ParseWindowCommandLine(commandLine.get());
  auto window = std::make_unique<MainWindow>(GetModuleHandleA(nullptr), line.openedWithNew);
  if (!window->Create()) return 0;
  ShowWindow(window->hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(window->hwnd());
  if (line.startInTray) window->ShowInTray(true);
  if (!line.server.empty()) window->Monitor().Connect(line.server, false);
  const int exitCode = loop.Run();
  window.reset();
  return static_cast<DWORD>(exitCode);
}

}  // namespace tarnwick
