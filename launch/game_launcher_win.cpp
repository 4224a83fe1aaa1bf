#include "launch/game_launcher_win.h"

#include "resources/resource.h"
#include "shell/main_window_win.h"

namespace tarnwick {

void GameLauncher::LaunchGame() {}

void GameLauncher::CheckAutojoin() {}

void GameLauncher::ToggleAutojoin() {
  autojoinOn_ = !autojoinOn_;
  window_.Commands().SetChecked(ID_FILE_AUTO_JOIN, autojoinOn_);
  if (window_.Monitor().IsConnected()) window_.Monitor().SendQuery("info");
}

void GameLauncher::DisarmAutojoin() {
  autojoinOn_ = false;
  window_.Commands().SetChecked(ID_FILE_AUTO_JOIN, false);
}

}  // namespace tarnwick
