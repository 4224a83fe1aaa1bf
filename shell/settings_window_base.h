// SettingsWindowBase: the part of the main window's SettingsWindow that concerns data the window
// owns in portable form: the recent servers list, the highlight rule list and the game client
// lookup, plus the console history's storage. After loading, the highlight rules are sorted by
// priority (stably), so the first-match lookup tries higher priorities first even where the
// registry enumerates in another order than written (Wine sorts by name).
// What is left to a subclass: the platform windows (placements, the "-new" size, the player
// list's columns) and the console's command box (the history's items).
#ifndef TARNWICK_SHELL_SETTINGS_WINDOW_BASE_H
#define TARNWICK_SHELL_SETTINGS_WINDOW_BASE_H

#include <optional>
#include <string>
#include <vector>

#include "highlight/highlight_rules.h"
#include "settings/settings_store.h"
#include "settings/recent_servers.h"

namespace tarnwick {

class SettingsWindowBase : public SettingsWindow {
 public:
  // `store` is where the game client is looked for (its HKEY_LOCAL_MACHINE root); the list and
  // the rules are the window's own and must outlive this object.
  SettingsWindowBase(KeyStore& store, RecentServers& recentServers,
                     std::vector<HighlightRule>& highlightRules);

  std::string LocateGameClient() override;
  void LoadConsoleHistory(Key& settingsKey) override;
  void SaveConsoleHistory(Key& settingsKey) override;
  void ReadRecentServers(Key& settingsKey) override;
  void WriteRecentServers(Key& settingsKey) override;
  void LoadHighlightRules(Key* settingsKey) override;
  KeyStatus SaveHighlightRules(Key& settingsKey) override;

 protected:
  // The console's history in list order (nothing when there is no console to ask, which leaves
  // the stored history alone), and adding loaded commands to it.
  virtual std::optional<std::vector<std::string>> ConsoleHistory() = 0;
  virtual void AddConsoleHistory(const std::vector<std::string>& commands) = 0;

 private:
  KeyStore& store_;
  RecentServers& recentServers_;
  std::vector<HighlightRule>& highlightRules_;
};

}  // namespace tarnwick

#endif
