// WindowSettings: everything a main window keeps under the settings key, as plain data: its
// Settings (with the two placement records and the player list's columns), the remote console's
// command history, the recent servers and the highlight rules. The window fills one from what it
// holds before it loads or saves, and takes what loading gave back; the registry work is done
// here, each part's data in that part's own format at the step the settings table gives it.
// Thread: a WindowSettings belongs to the window thread that fills it; nothing in it is shared.
#ifndef TARNWICK_SHELL_WINDOW_SETTINGS_H
#define TARNWICK_SHELL_WINDOW_SETTINGS_H

#include <optional>
#include <string>
#include <vector>

#include "highlight/highlight_rules.h"
#include "settings/settings_store.h"
#include "settings/recent_servers.h"

namespace tarnwick {

struct WindowSettings {
  Settings settings;
  // The console's history in list order. Nothing at a save when there is no console to ask, which
  // leaves the stored history alone.
  std::optional<std::vector<std::string>> consoleHistory;
  RecentServers recentServers;
  std::vector<HighlightRule> highlightRules;
};

// Loads what the settings key holds over `window`; false when there is no key (a first start),
// which leaves everything as it was. Either way an empty game client path is then looked for in
// the game's installation (`store`'s HKEY_LOCAL_MACHINE). The highlight rules are sorted by
// priority (stably), so the first-match lookup tries higher priorities first even where the
// registry enumerates in another order than written (Wine sorts by name).
bool LoadWindowSettings(KeyStore& store, WindowSettings& window);

// Saves `window`; returns the status of the last step, as SaveSettings.
KeyStatus SaveWindowSettings(KeyStore& store, const WindowSettings& window);

}  // namespace tarnwick

#endif
