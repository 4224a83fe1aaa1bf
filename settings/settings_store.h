// Loading and saving a window's settings under HKEY_CURRENT_USER "SOFTWARE\Merrowind\Tarnwick".
// LoadSettings runs once while the main window is created, SaveSettings once when it closes; both
// follow a fixed order of values, and the steps that concern the window itself or data other parts
// own (placements, the player list's columns, console history, recent servers, highlight rules,
// the game client lookup) go through SettingsWindow, which the main window implements.
// Registry failures are silent: a value that cannot be read keeps the field as it was, a value that
// cannot be written does not stop the ones after it.
#ifndef TARNWICK_SETTINGS_SETTINGS_STORE_H
#define TARNWICK_SETTINGS_SETTINGS_STORE_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/key_store.h"
#include "settings/settings.h"

namespace tarnwick {

inline constexpr char kSettingsKeyPath[] = "SOFTWARE\\Merrowind\\Tarnwick";

// The size a window opened with "-new" gets instead of its stored placement.
inline constexpr int kNewWindowWidth = 400;
inline constexpr int kNewWindowHeight = 600;

// What loading and saving need from the window whose settings they are.
class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;

  // The placement records of the main window and of the remote console window. Take gives
  // nothing when the platform cannot report the placement.
  virtual void ApplyWindowPlacement(const PlacementRecord& record) = 0;
  virtual std::optional<PlacementRecord> TakeWindowPlacement() = 0;
  virtual void ApplyConsolePlacement(const PlacementRecord& record) = 0;
  virtual std::optional<PlacementRecord> TakeConsolePlacement() = 0;
  // Gives the main window this size, keeping its position and stacking order, without redrawing.
  virtual void SizeNewWindow(int width, int height) = 0;

  // The game client's path guessed from the game's installation ("hl.exe" when nothing is found).
  virtual std::string LocateGameClient() = 0;

  // The remote console history ("Rcon recent list") and the recent servers list ("Recent Document
  // List"), read from and written to the open settings key.
  virtual void LoadConsoleHistory(Key& settingsKey) = 0;
  virtual void SaveConsoleHistory(Key& settingsKey) = 0;
  virtual void ReadRecentServers(Key& settingsKey) = 0;
  virtual void WriteRecentServers(Key& settingsKey) = 0;

  // The player list's current column order (entry i: the column shown at position i) and the
  // widths of columns 0 to 3; nothing when the list cannot report them.
  virtual std::optional<std::array<int32_t, 4>> PlayerListColumnOrder() = 0;
  virtual std::optional<std::array<int32_t, 4>> PlayerListColumnWidths() = 0;

  // Fills the highlight rule list from the "Highlight" subkey. `settingsKey` is null on a first
  // start, when there is no settings key yet.
  virtual void LoadHighlightRules(Key* settingsKey) = 0;
  // Rewrites the "Highlight" subkey; returns the registry status.
  virtual KeyStatus SaveHighlightRules(Key& settingsKey) = 0;
};

// Fills `settings` from the settings key. With no key (a first start) every field keeps its
// default, the game client is located and the highlight rules get their defaults; the key is not
// created. `settings.openedWithNew` chooses between the stored placements and the "-new" size.
void LoadSettings(KeyStore& store, SettingsWindow& window, Settings& settings);

// Writes `settings` to the settings key, creating it when needed; the player list's column order
// and widths are taken from the window into `settings` first. Returns the status of the last step
// (the highlight rules), or the reason the key could not be created.
KeyStatus SaveSettings(KeyStore& store, SettingsWindow& window, Settings& settings);

// True when the four entries are 0, 1, 2 and 3 in some order.
bool IsColumnPermutation(const std::array<int32_t, 4>& order);

}  // namespace tarnwick

#endif
