// The game client is recognised while it runs by its top-level window titled "Half-Life".
#ifndef TARNWICK_LAUNCH_GAME_WINDOW_WIN_H
#define TARNWICK_LAUNCH_GAME_WINDOW_WIN_H

namespace tarnwick {

inline constexpr const char* kGameWindowTitle = "Half-Life";

// True while a top-level window titled exactly "Half-Life" exists.
bool IsGameRunning();

}  // namespace tarnwick

#endif
