// MainWindowSettings: the SettingsWindow of a real main window. Made on the stack for one call of
// LoadSettings or SaveSettings, from the window's handles and its own lists. The creation handler,
// once the remote console exists (the player list may not exist yet):
//
//   RegistryKeyStore store;
//   recentServers_.AttachMenu(GetSubMenu(GetMenu(hwnd()), 0));
//   recentServers_.SetMaximum(kRecentServersWindowMaximum);
//   MainWindowSettings parts({hwnd(), console, consoleCommandBox, nullptr}, store,
//                            recentServers_, highlightRules_);
//   LoadSettings(store, parts, settings_);
//   SetWorkingFolder(settings_.gameClientPath);
//   ...
//   settings_.startWithLogon = ReadLogonEntry(store, programName_);
//
// and the close handler, first thing:
//
//   MainWindowSettings parts({hwnd(), console, consoleCommandBox, playerList}, store, ...);
//   SaveSettings(store, parts, settings_);
//   WriteLogonEntry(store, programName_, settings_.startWithLogon, ProgramFilePath(),
//                   hostText_, port_);
//
// A null handle skips what needs that window: no placement is applied to or taken from it, the
// player list's columns stay as the settings hold them, no history is loaded or taken.
#ifndef TARNWICK_SHELL_MAIN_WINDOW_SETTINGS_WIN_H
#define TARNWICK_SHELL_MAIN_WINDOW_SETTINGS_WIN_H

#include "common/win32.h"
#include "shell/settings_window_base.h"

namespace tarnwick {

struct MainWindowHandles {
  HWND mainWindow = nullptr;
  HWND consoleWindow = nullptr;      // the remote console dialog
  HWND consoleCommandBox = nullptr;  // its command box (control 1021), which holds the history
  HWND playerList = nullptr;         // the list view with the columns "#", "Name", "Frags", "Time"
};

class MainWindowSettings final : public SettingsWindowBase {
 public:
  MainWindowSettings(const MainWindowHandles& handles, KeyStore& store,
                     RecentServers& recentServers, std::vector<HighlightRule>& highlightRules);

  void ApplyWindowPlacement(const PlacementRecord& record) override;
  std::optional<PlacementRecord> TakeWindowPlacement() override;
  void ApplyConsolePlacement(const PlacementRecord& record) override;
  std::optional<PlacementRecord> TakeConsolePlacement() override;
  void SizeNewWindow(int width, int height) override;
  std::optional<std::array<int32_t, 4>> PlayerListColumnOrder() override;
  std::optional<std::array<int32_t, 4>> PlayerListColumnWidths() override;

 protected:
  std::optional<std::vector<std::string>> ConsoleHistory() override;
  void AddConsoleHistory(const std::vector<std::string>& commands) override;

 private:
  MainWindowHandles handles_;
};

}  // namespace tarnwick

#endif
