// The load and save sequences of the settings key, value by value in their fixed orders.
#include "settings/settings_store.h"

#include <algorithm>

#include "common/utf8_text.h"

namespace tarnwick {
namespace {

constexpr size_t kDwordSize = 4;
constexpr size_t kColumnArraySize = 16;
// The path is UTF-8 and counted in the platform's UTF-16 units; one unit is at most 3 bytes.
constexpr size_t kGameClientRoom = (kMaxGameClientPath + 1) * 3;
constexpr uint32_t kShowMinimized = 2;
constexpr uint32_t kShowNormal = 1;

// A 4-byte value, whatever its type; a value of another size fails.
std::optional<uint32_t> ReadDword(Key& key, const char* name) {
  KeyValue value;
  if (key.QueryValue(name, kDwordSize, value) != KeyStatus::kSuccess) return std::nullopt;
  // A shorter value is no number the program wrote; it is ignored rather than padded.
  if (value.data.size() != kDwordSize) return std::nullopt;
  return DwordFromBytes(value.data);
}

void Read(Key& key, const char* name, bool& field) {
  if (auto value = ReadDword(key, name)) field = *value != 0;
}
void Read(Key& key, const char* name, uint32_t& field) {
  if (auto value = ReadDword(key, name)) field = *value;
}
void Read(Key& key, const char* name, int32_t& field) {
  if (auto value = ReadDword(key, name)) field = static_cast<int32_t>(*value);
}

void Write(Key& key, const char* name, bool field) { SetDword(key, name, field ? 1 : 0); }
void Write(Key& key, const char* name, uint32_t field) { SetDword(key, name, field); }
void Write(Key& key, const char* name, int32_t field) {
  SetDword(key, name, static_cast<uint32_t>(field));
}

std::optional<PlacementRecord> ReadPlacement(Key& key, const char* name) {
  KeyValue value;
  if (key.QueryValue(name, kPlacementRecordSize, value) != KeyStatus::kSuccess ||
      value.type != ValueType::kBinary || value.data.size() != kPlacementRecordSize)
    return std::nullopt;
  PlacementRecord record;
  std::copy(value.data.begin(), value.data.end(), record.begin());
  return record;
}

// Up to 16 bytes over the four little-endian entries: a shorter value replaces only the leading
// bytes, a failed read nothing.
void ReadColumnArray(Key& key, const char* name, std::array<int32_t, 4>& field) {
  KeyValue value;
  if (key.QueryValue(name, kColumnArraySize, value) != KeyStatus::kSuccess) return;
  uint8_t bytes[kColumnArraySize];
  for (size_t i = 0; i < kColumnArraySize; ++i)
    bytes[i] = static_cast<uint8_t>(static_cast<uint32_t>(field[i / 4]) >> (8 * (i % 4)));
  std::copy(value.data.begin(), value.data.end(), bytes);
  for (size_t i = 0; i < field.size(); ++i)
    field[i] = static_cast<int32_t>(DwordFromBytes(std::span<const uint8_t>(bytes + 4 * i, 4)));
}

void WriteColumnArray(Key& key, const char* name, const std::array<int32_t, 4>& field) {
  uint8_t bytes[kColumnArraySize];
  for (size_t i = 0; i < kColumnArraySize; ++i)
    bytes[i] = static_cast<uint8_t>(static_cast<uint32_t>(field[i / 4]) >> (8 * (i % 4)));
  SetBinary(key, name, bytes);
}

// The stored path, or empty when it is absent or longer than the program keeps.
std::string ReadGameClientPath(Key& key) {
  KeyValue value;
  if (key.QueryValue("HLLocation", kGameClientRoom, value) != KeyStatus::kSuccess) return {};
  std::string text = TextFromBytes(value.data);
  return Utf8ToUtf16(text).size() > kMaxGameClientPath ? std::string() : text;
}

}  // namespace

bool IsColumnPermutation(const std::array<int32_t, 4>& order) {
  std::array<int32_t, 4> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  return sorted == std::array<int32_t, 4>{0, 1, 2, 3};
}

void LoadSettings(KeyStore& store, SettingsWindow& window, Settings& s) {
  std::unique_ptr<Key> key = store.Root(RootKey::kCurrentUser).OpenSubkey(kSettingsKeyPath,
                                                                          KeyAccess::kAll);
  if (!key) {
    // A first start reads nothing, but looks for the game client, so Join works before anything
    // was saved. The highlight rules stay empty: the first save stores that empty list.
    s.gameClientPath = window.LocateGameClient();
    return;
  }
  if (s.openedWithNew) {
    window.SizeNewWindow(kNewWindowWidth, kNewWindowHeight);
  } else {
    if (auto record = ReadPlacement(*key, "WindowPos")) window.ApplyWindowPlacement(*record);
    if (auto record = ReadPlacement(*key, "RConPos")) window.ApplyConsolePlacement(*record);
  }
  Read(*key, "MinimizeToTray", s.minimizeToTray);
  s.gameClientPath = ReadGameClientPath(*key);
  if (s.gameClientPath.empty()) s.gameClientPath = window.LocateGameClient();
  Read(*key, "AutoUpdate", s.autoUpdate);
  Read(*key, "PingInterval", s.pingInterval);
  Read(*key, "DetailsInterval", s.detailsInterval);
  Read(*key, "PlayersInterval", s.playersInterval);
  Read(*key, "AutoUpdateTray", s.autoUpdateTray);
  Read(*key, "PingIntervalTray", s.pingIntervalTray);
  Read(*key, "DetailsIntervalTray", s.detailsIntervalTray);
  Read(*key, "AutoDisconnect", s.autoDisconnect);
  Read(*key, "IconSet", s.iconSet);
  Read(*key, "ConfirmJoin", s.confirmJoin);
  Read(*key, "ServerList", s.serverList);
  Read(*key, "FlashInTray", s.flashInTray);
  Read(*key, "ServerListHeight", s.serverListHeight);
  Read(*key, "HLPriority", s.gamePriority);
  Read(*key, "PlayerListHighlight", s.playerListHighlight);
  window.LoadConsoleHistory(*key);
  window.ReadRecentServers(*key);
  Read(*key, "SortOrder", s.sortOrder);
  ReadColumnArray(*key, "ListOrders", s.listOrders);
  // The list control would show a column twice or not at all for anything but a permutation.
  if (!IsColumnPermutation(s.listOrders)) s.listOrders = {0, 1, 2, 3};
  ReadColumnArray(*key, "ListWidths", s.listWidths);
  Read(*key, "NotifyPlayers", s.notifyPlayers);
  Read(*key, "NotifyFreeSlot", s.notifyFreeSlot);
  Read(*key, "NotifyConnection", s.notifyConnection);
  Read(*key, "NotifyMapChange", s.notifyMapChange);
  Read(*key, "PlayersIntervalTray", s.playersIntervalTray);
  window.LoadHighlightRules(key.get());
}

KeyStatus SaveSettings(KeyStore& store, SettingsWindow& window, Settings& s) {
  KeyStatus status = KeyStatus::kSuccess;
  std::unique_ptr<Key> key =
      store.Root(RootKey::kCurrentUser).CreateSubkey(kSettingsKeyPath, &status);
  if (!key) return status;
  if (!s.openedWithNew) {
    if (auto record = window.TakeWindowPlacement()) {
      // A window that closes minimised comes back as a normal window.
      const auto showCommand = record->begin() + kPlacementShowCommandOffset;
      if (DwordFromBytes(std::span<const uint8_t>(showCommand, 4)) == kShowMinimized) {
        const uint8_t normal[4] = {kShowNormal, 0, 0, 0};
        std::copy(std::begin(normal), std::end(normal), showCommand);
      }
      SetBinary(*key, "WindowPos", *record);
    }
    if (auto record = window.TakeConsolePlacement()) SetBinary(*key, "RConPos", *record);
  }
  Write(*key, "MinimizeToTray", s.minimizeToTray);
  SetString(*key, "HLLocation", s.gameClientPath);
  Write(*key, "AutoUpdate", s.autoUpdate);
  Write(*key, "PingInterval", s.pingInterval);
  Write(*key, "DetailsInterval", s.detailsInterval);
  Write(*key, "PlayersInterval", s.playersInterval);
  Write(*key, "AutoUpdateTray", s.autoUpdateTray);
  Write(*key, "PingIntervalTray", s.pingIntervalTray);
  Write(*key, "DetailsIntervalTray", s.detailsIntervalTray);
  Write(*key, "IconSet", s.iconSet);
  Write(*key, "ServerList", s.serverList);
  Write(*key, "AutoDisconnect", s.autoDisconnect);
  Write(*key, "ConfirmJoin", s.confirmJoin);
  Write(*key, "FlashInTray", s.flashInTray);
  Write(*key, "HLPriority", s.gamePriority);
  Write(*key, "ServerListHeight", s.serverListHeight);
  Write(*key, "PlayerListHighlight", s.playerListHighlight);
  window.SaveConsoleHistory(*key);
  window.WriteRecentServers(*key);
  Write(*key, "SortOrder", s.sortOrder);
  if (auto order = window.PlayerListColumnOrder()) s.listOrders = *order;
  WriteColumnArray(*key, "ListOrders", s.listOrders);
  if (auto widths = window.PlayerListColumnWidths()) s.listWidths = *widths;
  WriteColumnArray(*key, "ListWidths", s.listWidths);
  Write(*key, "NotifyPlayers", s.notifyPlayers);
  Write(*key, "NotifyFreeSlot", s.notifyFreeSlot);
  Write(*key, "NotifyConnection", s.notifyConnection);
  Write(*key, "NotifyMapChange", s.notifyMapChange);
  Write(*key, "PlayersIntervalTray", s.playersIntervalTray);
  return window.SaveHighlightRules(*key);
}

}  // namespace tarnwick
