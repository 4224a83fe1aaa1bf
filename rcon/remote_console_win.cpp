#include "rcon/remote_console_win.h"

namespace tarnwick {

bool RemoteConsole::Create(HINSTANCE, HWND) { return true; }
void RemoteConsole::Show() {}
void RemoteConsole::Hide() {}
void RemoteConsole::ConsoleConnected(uint16_t, bool) {}
void RemoteConsole::ConsoleDisconnected() {}
void RemoteConsole::AppendConsoleText(const std::string&) {}
HWND RemoteConsole::CommandBox() const { return hwnd() != nullptr ? GetDlgItem(hwnd(), 1021) : nullptr; }
INT_PTR RemoteConsole::OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace tarnwick
