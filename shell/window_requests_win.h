// Window requests: a window asks the process's main thread for one more window. The request (the
// new window's command line) goes into a queue of the process, guarded by a lock; the thread
// message WM_USER only wakes the main thread to serve the queue. The message carries nothing the
// receiver reads, so one posted by another process serves no more than what the program's own
// windows queued.
#ifndef TARNWICK_SHELL_WINDOW_REQUESTS_WIN_H
#define TARNWICK_SHELL_WINDOW_REQUESTS_WIN_H

#include <string>
#include <vector>

#include "common/win32.h"

namespace tarnwick {

inline constexpr UINT kWindowRequestMessage = WM_USER;

// The thread that receives window requests; recorded once at start-up (0 until then).
void SetRequestThreadId(DWORD threadId);
DWORD RequestThreadId();

// Queues "-new " followed by `serverText` and wakes the receiver; false (and nothing queued) when
// there is no receiver or the queue is full.
bool PostWindowRequest(const std::string& serverText);

// Takes the command lines of every queued request, oldest first.
std::vector<std::string> TakeWindowRequests();

}  // namespace tarnwick

#endif
