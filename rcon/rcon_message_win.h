// "RConMsg": the message the remote console sends its main window, in two forms:
// wParam 0 (lParam ignored): send the texts waiting in the console's outbox to the server
// (RemoteConsole::TakeOutgoing; result 0). The message carries no pointer, since any process may
// send a registered message;
// wParam 1 with lParam 0: the result is the server's port while connected, else 0.
#ifndef TARNWICK_RCON_RCON_MESSAGE_WIN_H
#define TARNWICK_RCON_RCON_MESSAGE_WIN_H

#include "common/win32.h"

namespace tarnwick {

inline constexpr WPARAM kRConSendText = 0;
inline constexpr WPARAM kRConServerPort = 1;

UINT RConMessage();

}  // namespace tarnwick

#endif
