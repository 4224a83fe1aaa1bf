#include "rcon/remote_console_win.h"

namespace tarnwick {

bool RemoteConsole::Create(HINSTANCE, HWND) { return true; }
void RemoteConsole::Show() {}
void RemoteConsole::Hide() {}
void RemoteConsole::ConsoleConnected(uint16_t, bool) {}
void RemoteConsole::ConsoleDisconnected() {}
void RemoteConsole::AppendConsoleText(const std::string&) {}
std::vector<std::string> RemoteConsole::History() const { return {}; }
void RemoteConsole::LoadHistory(const std::vector<std::string>&) {}
INT_PTR RemoteConsole::OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace tarnwick
