// The other parts' data at their steps of the settings key.
#include "shell/window_settings.h"

#include "launch/locate_game_client.h"
#include "rcon/console_history.h"

namespace tarnwick {

bool LoadWindowSettings(KeyStore& store, WindowSettings& window) {
  const bool found = LoadSettings(store, window.settings, [&](StoredPart part, Key& key) {
    switch (part) {
      case StoredPart::kConsoleHistory:
        window.consoleHistory = LoadConsoleHistory(key);
        break;
      case StoredPart::kRecentServers:
        window.recentServers.ReadServers(key);
        break;
      case StoredPart::kHighlightRules:
        window.highlightRules = LoadHighlightRules(&key);
        SortByPriority(window.highlightRules);
        break;
    }
  });
  // Also on a first start, so Join works before anything was saved. The highlight rules stay as
  // they were then (none): the first save stores that empty list.
  if (window.settings.gameClientPath.empty())
    window.settings.gameClientPath = LocateGameClient(store);
  return found;
}

KeyStatus SaveWindowSettings(KeyStore& store, const WindowSettings& window) {
  return SaveSettings(store, window.settings, [&](StoredPart part, Key& key) {
    switch (part) {
      case StoredPart::kConsoleHistory:
        if (window.consoleHistory) SaveConsoleHistory(key, *window.consoleHistory);
        break;
      case StoredPart::kRecentServers:
        window.recentServers.WriteServers(key);
        break;
      case StoredPart::kHighlightRules:
        return SaveHighlightRules(key, window.highlightRules);
    }
    return KeyStatus::kSuccess;
  });
}

}  // namespace tarnwick
