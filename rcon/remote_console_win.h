// RemoteConsole: the "Remote console" window of one main window: the rcon password, the server log
// switch, the command box with its history, the Send button and the output. It is created hidden
// with its main window and only ever shown or hidden.
#ifndef TARNWICK_RCON_REMOTE_CONSOLE_WIN_H
#define TARNWICK_RCON_REMOTE_CONSOLE_WIN_H

#include <cstdint>
#include <string>
#include <vector>

#include "common/window_base_win.h"

namespace tarnwick {

class RemoteConsole : public DialogBase {
 public:
  // Creates the console (hidden) as a child window of `mainWindow`.
  bool Create(HINSTANCE instance, HWND mainWindow);
  void Show();
  void Hide();

  void ConsoleConnected(uint16_t localPort, bool serverIsPrivate);
  void ConsoleDisconnected();
  void AppendConsoleText(const std::string& text);

  // The command box, whose list is the command history the settings load and save.
  HWND CommandBox() const;

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tarnwick

#endif
