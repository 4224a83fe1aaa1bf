// GameLauncher: the Join command (start the game client so that it joins the watched server),
// autojoin (join as soon as a slot frees) and the game password kept for the window's lifetime.
#ifndef TARNWICK_LAUNCH_GAME_LAUNCHER_WIN_H
#define TARNWICK_LAUNCH_GAME_LAUNCHER_WIN_H

#include <string>

namespace tarnwick {

class MainWindow;

class GameLauncher {
 public:
  explicit GameLauncher(MainWindow& window) : window_(window) {}
  GameLauncher(const GameLauncher&) = delete;
  GameLauncher& operator=(const GameLauncher&) = delete;

  // The Join command.
  void LaunchGame();
  // An information reply showed a free slot.
  void CheckAutojoin();
  // The Auto join command: arms or disarms; while connected it asks for "info" at once.
  void ToggleAutojoin();
  void DisarmAutojoin();
  bool AutojoinOn() const { return autojoinOn_; }
  const std::string& GamePassword() const { return gamePassword_; }

 private:
  MainWindow& window_;
  bool autojoinOn_ = false;
  std::string gamePassword_;
};

}  // namespace tarnwick

#endif
