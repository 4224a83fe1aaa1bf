// FakeSettingsWindow: a main window without windows, for loading and saving settings in tests.
// It owns the lists a window owns (recent servers, highlight rules, console history) and plays the
// platform parts with plain fields: the placements it would report and those it was given, the
// "-new" size it was given, the player list's columns it reports.
#ifndef TARNWICK_TESTS_SUPPORT_FAKE_SETTINGS_WINDOW_H
#define TARNWICK_TESTS_SUPPORT_FAKE_SETTINGS_WINDOW_H

#include <array>
#include <ostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "highlight/highlight_rules.h"
#include "settings/recent_servers.h"
#include "shell/settings_window_base.h"

namespace tarnwick {

// The window's own data, a base so it exists before SettingsWindowBase refers to it.
struct FakeWindowData {
  RecentServers recentServers;
  std::vector<HighlightRule> highlightRules;
  std::vector<std::string> consoleHistory;

  // What the platform would report at save.
  std::optional<PlacementRecord> windowPlacement;
  std::optional<PlacementRecord> consolePlacement;
  std::optional<std::array<int32_t, 4>> columnOrder;
  std::optional<std::array<int32_t, 4>> columnWidths;

  // What loading gave the windows.
  std::vector<PlacementRecord> appliedWindowPlacements;
  std::vector<PlacementRecord> appliedConsolePlacements;
  std::optional<std::pair<int, int>> newWindowSize;
  int locateCalls = 0;
};

class FakeSettingsWindow final : public FakeWindowData, public SettingsWindowBase {
 public:
  explicit FakeSettingsWindow(KeyStore& store);

  void ApplyWindowPlacement(const PlacementRecord& record) override;
  std::optional<PlacementRecord> TakeWindowPlacement() override;
  void ApplyConsolePlacement(const PlacementRecord& record) override;
  std::optional<PlacementRecord> TakeConsolePlacement() override;
  void SizeNewWindow(int width, int height) override;
  std::string LocateGameClient() override;
  std::optional<std::array<int32_t, 4>> PlayerListColumnOrder() override;
  std::optional<std::array<int32_t, 4>> PlayerListColumnWidths() override;

 protected:
  std::optional<std::vector<std::string>> ConsoleHistory() override;
  void AddConsoleHistory(const std::vector<std::string>& commands) override;
};

// Lets GoogleTest show every field of a Settings that differs from what a test expects.
void PrintTo(const Settings& settings, std::ostream* out);
void PrintTo(const HighlightRule& rule, std::ostream* out);

// A placement record whose bytes are `seed`, `seed + 1`, ... with the show command set.
PlacementRecord MakePlacementRecord(uint8_t seed, uint32_t showCommand);
uint32_t ShowCommandOf(const PlacementRecord& record);

}  // namespace tarnwick

#endif
