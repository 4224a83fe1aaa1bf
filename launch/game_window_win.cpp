#include "common/win32.h"
#include "launch/game_window_win.h"

namespace tarnwick {

bool IsGameRunning() { return FindWindowA(nullptr, kGameWindowTitle) != nullptr; }

}  // namespace tarnwick
