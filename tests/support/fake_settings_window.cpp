// The window stand-in for settings tests.
#include "tests/support/fake_settings_window.h"

#include <cstdio>

namespace tarnwick {

FakeSettingsWindow::FakeSettingsWindow(KeyStore& store)
    : SettingsWindowBase(store, recentServers, highlightRules) {
  recentServers.SetMaximum(kRecentServersWindowMaximum);
}

void FakeSettingsWindow::ApplyWindowPlacement(const PlacementRecord& record) {
  appliedWindowPlacements.push_back(record);
}
std::optional<PlacementRecord> FakeSettingsWindow::TakeWindowPlacement() {
  return windowPlacement;
}
void FakeSettingsWindow::ApplyConsolePlacement(const PlacementRecord& record) {
  appliedConsolePlacements.push_back(record);
}
std::optional<PlacementRecord> FakeSettingsWindow::TakeConsolePlacement() {
  return consolePlacement;
}
void FakeSettingsWindow::SizeNewWindow(int width, int height) {
  newWindowSize = std::make_pair(width, height);
}
std::string FakeSettingsWindow::LocateGameClient() {
  ++locateCalls;
  return SettingsWindowBase::LocateGameClient();
}
std::optional<std::array<int32_t, 4>> FakeSettingsWindow::PlayerListColumnOrder() {
  return columnOrder;
}
std::optional<std::array<int32_t, 4>> FakeSettingsWindow::PlayerListColumnWidths() {
  return columnWidths;
}
std::optional<std::vector<std::string>> FakeSettingsWindow::ConsoleHistory() {
  return consoleHistory;
}
void FakeSettingsWindow::AddConsoleHistory(const std::vector<std::string>& commands) {
  consoleHistory.insert(consoleHistory.end(), commands.begin(), commands.end());
}

void PrintTo(const Settings& s, std::ostream* out) {
  auto array = [](const std::array<int32_t, 4>& a) {
    return std::to_string(a[0]) + "," + std::to_string(a[1]) + "," + std::to_string(a[2]) + "," +
           std::to_string(a[3]);
  };
  *out << "{minimizeToTray=" << s.minimizeToTray << " gameClientPath=\"" << s.gameClientPath
       << "\" autoUpdate=" << s.autoUpdate << " pingInterval=" << s.pingInterval
       << " detailsInterval=" << s.detailsInterval << " playersInterval=" << s.playersInterval
       << " autoUpdateTray=" << s.autoUpdateTray << " pingIntervalTray=" << s.pingIntervalTray
       << " detailsIntervalTray=" << s.detailsIntervalTray
       << " autoDisconnect=" << s.autoDisconnect << " iconSet=" << s.iconSet
       << " confirmJoin=" << s.confirmJoin << " serverList=" << s.serverList
       << " flashInTray=" << s.flashInTray << " serverListHeight=" << s.serverListHeight
       << " gamePriority=" << s.gamePriority << " playerListHighlight=" << s.playerListHighlight
       << " sortOrder=" << s.sortOrder << " listOrders=" << array(s.listOrders)
       << " listWidths=" << array(s.listWidths) << " openedWithNew=" << s.openedWithNew
       << " startWithLogon=" << s.startWithLogon << "}";
}

void PrintTo(const HighlightRule& rule, std::ostream* out) {
  char attributes[16];
  std::snprintf(attributes, sizeof(attributes), "0x%08X", static_cast<unsigned>(rule.attributes));
  *out << "{" << attributes << " \"" << rule.mask << "\"}";
}

PlacementRecord MakePlacementRecord(uint8_t seed, uint32_t showCommand) {
  PlacementRecord record;
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(seed + i);
  for (size_t i = 0; i < 4; ++i)
    record[kPlacementShowCommandOffset + i] = static_cast<uint8_t>(showCommand >> (8 * i));
  return record;
}

uint32_t ShowCommandOf(const PlacementRecord& record) {
  return DwordFromBytes(std::span<const uint8_t>(record.data() + kPlacementShowCommandOffset, 4));
}

}  // namespace tarnwick
