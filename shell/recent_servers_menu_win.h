// RecentServersMenu: the recent servers list shown in a real menu. The entries replace the item
// with id 57616 (the placeholder, "(resent servers)" in the File menu, "(empty)" in the tray's
// Connect submenu) and take ids 57616 onward, newest first, labelled with mnemonics 1 to 9 and 0.
// An empty list shows the placeholder again, greyed. The menu belongs to its window; this object
// only edits its items.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_SHELL_RECENT_SERVERS_MENU_WIN_H
#define TARNWICK_SHELL_RECENT_SERVERS_MENU_WIN_H

#include <string>

#include "common/win32.h"
#include "settings/recent_servers.h"

namespace tarnwick {

class RecentServersMenu final : public RecentServers {
 public:
  // Makes `menu` the list's menu; the placeholder is the text of its item 57616, or "(empty)"
  // when it has none. Call while the menu still shows its placeholder.
  void AttachMenu(HMENU menu);
  // Makes `menu` the list's menu with the given placeholder (at most 259 characters are kept).
  void AttachMenu(HMENU menu, std::string placeholder);

  HMENU menu() const { return menu_; }
  const std::string& placeholder() const { return placeholder_; }

  // Rebuilds the entries in the menu.
  void UpdateMenu() override;

  // Shows the entries in another menu as well (the tray menu's Connect submenu, loaded afresh),
  // with that menu's own placeholder; the list's own menu and placeholder stay attached.
  void UpdateOtherMenu(HMENU other);

 private:
  HMENU menu_ = nullptr;
  std::string placeholder_;
};

// Refills the address box: CB_RESETCONTENT, then every entry newest first (CB_ADDSTRING; a box
// with CBS_SORT puts them in its own order).
void FillAddressBox(HWND comboBox, const RecentServers& servers);

}  // namespace tarnwick

#endif
