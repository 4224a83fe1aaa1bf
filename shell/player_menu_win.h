// PlayerMenu: the player list's context menu, opened by a right click, the menu key or Shift+F10.
// It copies a player's name or the server's address, and gives the server's operator Kick, Ban,
// Ban address and Say to all. The admin actions go through the remote console's rcon session with
// its password, and only once the server has answered a command sent with that password; they
// find the player in the server's answer to "status" (asked when the menu opens, kept
// kStatusCacheMs) by the name the row shows. What is offered and why not is DecideAdminMenu's
// decision (admin_actions.h): the menu's last line says why. A menu opened while "status" is
// awaited closes and opens again in the same place when the answer comes. Every kick and ban asks
// first; the command then shows in the console and the list is refreshed.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_SHELL_PLAYER_MENU_WIN_H
#define TARNWICK_SHELL_PLAYER_MENU_WIN_H

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/win32.h"
#include "rcon/admin_actions.h"

namespace tarnwick {

class MainWindow;

class PlayerMenu {
 public:
  explicit PlayerMenu(MainWindow& window) : window_(window) {}

  // WM_CONTEXTMENU from the player list: the screen point of the click, or (-1, -1) from the
  // keyboard (the menu then opens at the selected row).
  void OnContextMenu(LPARAM at);
  // The menu key and Shift+F10 while the player list has the focus: true when taken.
  bool FilterKey(const MSG& message);

 private:
  void Open(POINT at, std::optional<std::string> name);
  void Run(UINT command, const AdminMenuState& state, const std::string& name);
  bool Confirm(const std::string& question);
  void Submit(const std::vector<std::string>& commands);

  MainWindow& window_;
  bool open_ = false;
};

// Shows `menu` at `at` and returns the chosen command (0: none). Without a tracker it is
// TrackPopupMenu; tests choose instead of a user.
using PopupMenuTracker = std::function<UINT(HMENU menu, POINT at)>;
void SetPopupMenuTracker(PopupMenuTracker tracker);

}  // namespace tarnwick

#endif
