// The portable steps of the main window's settings.
#include "shell/settings_window_base.h"

#include "launch/locate_game_client.h"
#include "rcon/console_history.h"

namespace tarnwick {

SettingsWindowBase::SettingsWindowBase(KeyStore& store, RecentServers& recentServers,
                                       std::vector<HighlightRule>& highlightRules)
    : store_(store), recentServers_(recentServers), highlightRules_(highlightRules) {}

std::string SettingsWindowBase::LocateGameClient() { return tarnwick::LocateGameClient(store_); }

void SettingsWindowBase::LoadConsoleHistory(Key& settingsKey) {
  AddConsoleHistory(tarnwick::LoadConsoleHistory(settingsKey));
}

void SettingsWindowBase::SaveConsoleHistory(Key& settingsKey) {
  if (auto history = ConsoleHistory()) tarnwick::SaveConsoleHistory(settingsKey, *history);
}

void SettingsWindowBase::ReadRecentServers(Key& settingsKey) {
  recentServers_.ReadServers(settingsKey);
}

void SettingsWindowBase::WriteRecentServers(Key& settingsKey) {
  recentServers_.WriteServers(settingsKey);
}

void SettingsWindowBase::LoadHighlightRules(Key* settingsKey) {
  highlightRules_ = tarnwick::LoadHighlightRules(settingsKey);
  SortByPriority(highlightRules_);
}

KeyStatus SettingsWindowBase::SaveHighlightRules(Key& settingsKey) {
  return tarnwick::SaveHighlightRules(settingsKey, highlightRules_);
}

}  // namespace tarnwick
