// Window requests: a window asks the process's main thread for one more window by posting it the
// thread message WM_USER with a heap text (the new window's command line) that the receiver owns.
#ifndef TARNWICK_SHELL_WINDOW_REQUESTS_WIN_H
#define TARNWICK_SHELL_WINDOW_REQUESTS_WIN_H

#include <string>

#include "common/win32.h"

namespace tarnwick {

inline constexpr UINT kWindowRequestMessage = WM_USER;

// The thread that receives window requests; recorded once at start-up (0 until then).
void SetRequestThreadId(DWORD threadId);
DWORD RequestThreadId();

// Posts "-new " followed by `serverText`; false (and nothing posted) when there is no receiver.
bool PostWindowRequest(const std::string& serverText);

// Takes ownership of a request's text from its lParam.
std::string TakeWindowRequestText(LPARAM lParam);

}  // namespace tarnwick

#endif
