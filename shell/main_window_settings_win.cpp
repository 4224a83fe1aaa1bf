// The window steps of the main window's settings: placements through the platform's records, the
// player list's columns through its list view messages, the history through the command box.
#include "shell/main_window_settings_win.h"

#include <cstring>

#include "rcon/console_history_box_win.h"
#include "settings/window_placement_win.h"

namespace tarnwick {
namespace {

constexpr int kColumnCount = 4;

bool HasAllColumns(HWND list) {
  if (list == nullptr) return false;
  const HWND header = ListView_GetHeader(list);
  return header != nullptr && Header_GetItemCount(header) >= kColumnCount;
}

}  // namespace

MainWindowSettings::MainWindowSettings(const MainWindowHandles& handles, KeyStore& store,
                                       RecentServers& recentServers,
                                       std::vector<HighlightRule>& highlightRules)
    : SettingsWindowBase(store, recentServers, highlightRules), handles_(handles) {}

void MainWindowSettings::ApplyWindowPlacement(const PlacementRecord& record) {
  if (handles_.mainWindow != nullptr) ApplyPlacementRecord(handles_.mainWindow, record);
}

std::optional<PlacementRecord> MainWindowSettings::TakeWindowPlacement() {
  if (handles_.mainWindow == nullptr) return std::nullopt;
  return TakePlacementRecord(handles_.mainWindow);
}

void MainWindowSettings::ApplyConsolePlacement(const PlacementRecord& record) {
  if (handles_.consoleWindow == nullptr) return;
  // The console stays hidden until the user opens it: only its place and size are taken, or the
  // stored show state would flash it up (and activate it) while the main window is created.
  PlacementRecord hidden = record;
  const uint32_t hide = SW_HIDE;
  std::memcpy(hidden.data() + kPlacementShowCommandOffset, &hide, sizeof(hide));
  ApplyPlacementRecord(handles_.consoleWindow, hidden);
}

std::optional<PlacementRecord> MainWindowSettings::TakeConsolePlacement() {
  if (handles_.consoleWindow == nullptr) return std::nullopt;
  return TakePlacementRecord(handles_.consoleWindow);
}

void MainWindowSettings::SizeNewWindow(int width, int height) {
  if (handles_.mainWindow != nullptr) SizeWindowKeepingPlace(handles_.mainWindow, width, height);
}

std::optional<std::array<int32_t, 4>> MainWindowSettings::PlayerListColumnOrder() {
  if (!HasAllColumns(handles_.playerList)) return std::nullopt;
  int order[kColumnCount] = {};
  if (!ListView_GetColumnOrderArray(handles_.playerList, kColumnCount, order)) return std::nullopt;
  return std::array<int32_t, 4>{order[0], order[1], order[2], order[3]};
}

std::optional<std::array<int32_t, 4>> MainWindowSettings::PlayerListColumnWidths() {
  if (!HasAllColumns(handles_.playerList)) return std::nullopt;
  std::array<int32_t, 4> widths{};
  for (int column = 0; column < kColumnCount; ++column)
    widths[static_cast<size_t>(column)] = ListView_GetColumnWidth(handles_.playerList, column);
  return widths;
}

std::optional<std::vector<std::string>> MainWindowSettings::ConsoleHistory() {
  if (handles_.consoleCommandBox == nullptr) return std::nullopt;
  return HistoryFromBox(handles_.consoleCommandBox);
}

void MainWindowSettings::AddConsoleHistory(const std::vector<std::string>& commands) {
  if (handles_.consoleCommandBox != nullptr) AddHistoryToBox(handles_.consoleCommandBox, commands);
}

}  // namespace tarnwick
