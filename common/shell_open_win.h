// Opening web and mail targets with the shell's "open" verb, as links and the Help menu do, and
// the exclamation beep that tells the user it did not work.
#ifndef TARNWICK_COMMON_SHELL_OPEN_WIN_H
#define TARNWICK_COMMON_SHELL_OPEN_WIN_H

#include <functional>
#include <string>

#include "common/win32.h"

namespace tarnwick {

// What opening does with the outside world. `open` returns what ShellExecuteA returns (above 32:
// opened). Tests replace both; empty functions stand for the real shell and beep.
struct ShellActions {
  std::function<INT_PTR(const std::string& target)> open;
  std::function<void()> beep;
};

// Process-wide; for tests.
void SetShellActions(ShellActions actions);

// Opens `target` in its normal window; true when the shell opened it, otherwise beeps and returns
// false.
bool OpenWithShellOrBeep(const std::string& target);

}  // namespace tarnwick

#endif
