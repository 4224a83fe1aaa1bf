// Placements through the platform's records, the player list's columns through its list view
// messages, the history through the command box.
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

std::optional<PlacementRecord> PlacementOf(HWND window) {
  if (window == nullptr) return std::nullopt;
  return TakePlacementRecord(window);
}

}  // namespace

void TakeFromWindows(const MainWindowHandles& windows, WindowSettings& stored) {
  Settings& settings = stored.settings;
  settings.windowPlacement = PlacementOf(windows.mainWindow);
  settings.consolePlacement = PlacementOf(windows.consoleWindow);
  if (HasAllColumns(windows.playerList)) {
    int order[kColumnCount] = {};
    if (ListView_GetColumnOrderArray(windows.playerList, kColumnCount, order))
      settings.listOrders = {order[0], order[1], order[2], order[3]};
    for (int column = 0; column < kColumnCount; ++column) {
      settings.listWidths[static_cast<size_t>(column)] =
          MulDiv(ListView_GetColumnWidth(windows.playerList, column), 96,
                 static_cast<int>(windows.playerListDpi));
    }
  }
  if (windows.consoleCommandBox != nullptr)
    stored.consoleHistory = HistoryFromBox(windows.consoleCommandBox);
}

void ApplyToWindows(const MainWindowHandles& windows, const WindowSettings& stored, bool found) {
  const Settings& settings = stored.settings;
  if (found && settings.openedWithNew && windows.mainWindow != nullptr)
    SizeWindowKeepingPlace(windows.mainWindow, kNewWindowWidth, kNewWindowHeight);
  if (settings.windowPlacement && windows.mainWindow != nullptr)
    ApplyPlacementRecord(windows.mainWindow, *settings.windowPlacement);
  if (settings.consolePlacement && windows.consoleWindow != nullptr) {
    // The console stays hidden until the user opens it: only its place and size are taken, or the
    // stored show state would flash it up (and activate it) while the main window is created.
    PlacementRecord hidden = *settings.consolePlacement;
    const uint32_t hide = SW_HIDE;
    std::memcpy(hidden.data() + kPlacementShowCommandOffset, &hide, sizeof(hide));
    ApplyPlacementRecord(windows.consoleWindow, hidden);
  }
  if (stored.consoleHistory && windows.consoleCommandBox != nullptr)
    AddHistoryToBox(windows.consoleCommandBox, *stored.consoleHistory);
}

}  // namespace tarnwick
