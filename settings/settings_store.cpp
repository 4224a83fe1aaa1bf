// The table of stored values, and the load and save walks over it.
#include "settings/settings_store.h"

#include <algorithm>
#include <iterator>
#include <variant>

#include "common/utf8_text.h"

namespace tarnwick {
namespace {

constexpr size_t kDwordSize = 4;
constexpr size_t kColumnArraySize = 16;
// The path is UTF-8 and counted in the platform's UTF-16 units; one unit is at most 3 bytes.
constexpr size_t kGameClientRoom = (kMaxGameClientPath + 1) * 3;
constexpr uint32_t kShowMinimized = 2;
constexpr uint32_t kShowNormal = 1;

using Placement = std::optional<PlacementRecord>;
using Field = std::variant<bool Settings::*, uint32_t Settings::*, int32_t Settings::*,
                           std::string Settings::*, ColumnArray Settings::*,
                           Placement Settings::*, StoredPart>;
// A number's default as its REG_DWORD would hold it; texts and placements have none.
using Default = std::variant<std::monostate, uint32_t, ColumnArray>;

struct StoredValue {
  const char* name;  // null for another part's data, which names its own values
  Field field;
  Default fallback;
  int saveStep;
};

// The rows in load order; `saveStep` is a row's place in the save order, which differs for a few
// of the simple values, as it always has.
constexpr StoredValue kStoredValues[] = {
    {"WindowPos", &Settings::windowPlacement, {}, 0},
    {"RConPos", &Settings::consolePlacement, {}, 1},
    {"MinimizeToTray", &Settings::minimizeToTray, 1u, 2},
    {"HLLocation", &Settings::gameClientPath, {}, 3},
    {"AutoUpdate", &Settings::autoUpdate, 1u, 4},
    {"PingInterval", &Settings::pingInterval, 15u, 5},
    {"DetailsInterval", &Settings::detailsInterval, 90u, 6},
    {"PlayersInterval", &Settings::playersInterval, 0u, 7},
    {"AutoUpdateTray", &Settings::autoUpdateTray, 1u, 8},
    {"PingIntervalTray", &Settings::pingIntervalTray, 60u, 9},
    {"DetailsIntervalTray", &Settings::detailsIntervalTray, 300u, 10},
    {"AutoDisconnect", &Settings::autoDisconnect, 0u, 13},
    {"IconSet", &Settings::iconSet, 0u, 11},
    {"ConfirmJoin", &Settings::confirmJoin, 1u, 14},
    {"ServerList", &Settings::serverList, 0u, 12},
    {"FlashInTray", &Settings::flashInTray, 1u, 15},
    {"ServerListHeight", &Settings::serverListHeight, 112u, 17},
    {"HLPriority", &Settings::gamePriority, 2u, 16},
    {"PlayerListHighlight", &Settings::playerListHighlight, 1u, 18},
    {nullptr, StoredPart::kConsoleHistory, {}, 19},
    {nullptr, StoredPart::kRecentServers, {}, 20},
    {"SortOrder", &Settings::sortOrder, 1u, 21},
    {"ListOrders", &Settings::listOrders, ColumnArray{0, 1, 2, 3}, 22},
    {"ListWidths", &Settings::listWidths, ColumnArray{40, 144, 72, 96}, 23},
    {"NotifyPlayers", &Settings::notifyPlayers, 1u, 24},
    {"NotifyFreeSlot", &Settings::notifyFreeSlot, 1u, 25},
    {"NotifyConnection", &Settings::notifyConnection, 0u, 26},
    {"NotifyMapChange", &Settings::notifyMapChange, 0u, 27},
    {"PlayersIntervalTray", &Settings::playersIntervalTray, 60u, 28},
    {nullptr, StoredPart::kHighlightRules, {}, 29},
};
constexpr size_t kValueCount = std::size(kStoredValues);

// The table's rows by save step.
constexpr std::array<const StoredValue*, kValueCount> SaveOrder() {
  std::array<const StoredValue*, kValueCount> order{};
  for (const StoredValue& value : kStoredValues) order[static_cast<size_t>(value.saveStep)] = &value;
  return order;
}
constexpr std::array<const StoredValue*, kValueCount> kSaveOrder = SaveOrder();
static_assert(std::ranges::none_of(kSaveOrder, [](const StoredValue* v) { return v == nullptr; }),
              "every save step from 0 up is taken by exactly one value");

void Assign(bool& field, uint32_t stored) { field = stored != 0; }
void Assign(uint32_t& field, uint32_t stored) { field = stored; }
void Assign(int32_t& field, uint32_t stored) { field = static_cast<int32_t>(stored); }

uint32_t Stored(bool field) { return field ? 1 : 0; }
uint32_t Stored(uint32_t field) { return field; }
uint32_t Stored(int32_t field) { return static_cast<uint32_t>(field); }

std::array<uint8_t, kColumnArraySize> Bytes(const ColumnArray& entries) {
  std::array<uint8_t, kColumnArraySize> bytes{};
  for (size_t i = 0; i < kColumnArraySize; ++i)
    bytes[i] = static_cast<uint8_t>(static_cast<uint32_t>(entries[i / 4]) >> (8 * (i % 4)));
  return bytes;
}

// The readers. A stored value that does not fit its field leaves the field as it was, but for the
// path, which is then empty.

// A 4-byte value, whatever its type; a longer one fails the read, and a shorter one is no number
// the program wrote: it is ignored rather than padded.
template <typename Number>
void Read(Key& key, const char* name, Number& field) {
  KeyValue value;
  if (key.QueryValue(name, kDwordSize, value) != KeyStatus::kSuccess) return;
  if (value.data.size() == kDwordSize) Assign(field, DwordFromBytes(value.data));
}

// The path, or empty when it is absent or longer than the program keeps.
void Read(Key& key, const char* name, std::string& field) {
  KeyValue value;
  field.clear();
  if (key.QueryValue(name, kGameClientRoom, value) != KeyStatus::kSuccess) return;
  std::string text = TextFromBytes(value.data);
  if (Utf8ToUtf16(text).size() <= kMaxGameClientPath) field = std::move(text);
}

// Up to 16 bytes over the four little-endian entries, type not checked: a shorter value replaces
// only the leading bytes.
void Read(Key& key, const char* name, ColumnArray& field) {
  KeyValue value;
  if (key.QueryValue(name, kColumnArraySize, value) != KeyStatus::kSuccess) return;
  std::array<uint8_t, kColumnArraySize> bytes = Bytes(field);
  std::copy(value.data.begin(), value.data.end(), bytes.begin());
  for (size_t i = 0; i < field.size(); ++i)
    field[i] = static_cast<int32_t>(DwordFromBytes(std::span<const uint8_t>(&bytes[4 * i], 4)));
}

// Exactly a platform record of REG_BINARY.
void Read(Key& key, const char* name, Placement& field) {
  KeyValue value;
  if (key.QueryValue(name, kPlacementRecordSize, value) != KeyStatus::kSuccess ||
      value.type != ValueType::kBinary || value.data.size() != kPlacementRecordSize)
    return;
  field.emplace();
  std::copy(value.data.begin(), value.data.end(), field->begin());
}

template <typename Number>
KeyStatus Write(Key& key, const char* name, Number field) {
  return SetDword(key, name, Stored(field));
}
KeyStatus Write(Key& key, const char* name, const std::string& field) {
  return SetString(key, name, field);
}
KeyStatus Write(Key& key, const char* name, const ColumnArray& field) {
  return SetBinary(key, name, Bytes(field));
}

}  // namespace

Settings::Settings() {
  for (const StoredValue& value : kStoredValues) {
    std::visit(
        [this, &value](auto field) {
          using Type = decltype(field);
          if constexpr (std::is_same_v<Type, ColumnArray Settings::*>) {
            this->*field = std::get<ColumnArray>(value.fallback);
          } else if constexpr (std::is_same_v<Type, bool Settings::*> ||
                               std::is_same_v<Type, uint32_t Settings::*> ||
                               std::is_same_v<Type, int32_t Settings::*>) {
            Assign(this->*field, std::get<uint32_t>(value.fallback));
          }
        },
        value.field);
  }
}

bool IsColumnPermutation(const ColumnArray& order) {
  ColumnArray sorted = order;
  std::sort(sorted.begin(), sorted.end());
  return sorted == ColumnArray{0, 1, 2, 3};
}

bool LoadSettings(KeyStore& store, Settings& settings, const LoadPart& loadPart) {
  std::unique_ptr<Key> key =
      store.Root(RootKey::kCurrentUser).OpenSubkey(kSettingsKeyPath, KeyAccess::kAll);
  if (!key) return false;
  for (const StoredValue& value : kStoredValues) {
    std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), StoredPart>) {
            loadPart(field, *key);
          } else if constexpr (std::is_same_v<decltype(field), Placement Settings::*>) {
            if (!settings.openedWithNew) Read(*key, value.name, settings.*field);
          } else {
            Read(*key, value.name, settings.*field);
          }
        },
        value.field);
  }
  // The list control would show a column twice or not at all for anything but a permutation.
  if (!IsColumnPermutation(settings.listOrders)) settings.listOrders = Settings().listOrders;
  return true;
}

KeyStatus SaveSettings(KeyStore& store, const Settings& settings, const SavePart& savePart) {
  KeyStatus status = KeyStatus::kSuccess;
  std::unique_ptr<Key> key =
      store.Root(RootKey::kCurrentUser).CreateSubkey(kSettingsKeyPath, &status);
  if (!key) return status;
  Placement windowPlacement = settings.windowPlacement;
  if (windowPlacement) {
    // A window that closes minimised comes back as a normal window.
    uint8_t* showCommand = windowPlacement->data() + kPlacementShowCommandOffset;
    if (DwordFromBytes(std::span<const uint8_t>(showCommand, 4)) == kShowMinimized) {
      const uint8_t normal[4] = {kShowNormal, 0, 0, 0};
      std::copy(std::begin(normal), std::end(normal), showCommand);
    }
  }
  for (const StoredValue* value : kSaveOrder) {
    std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), StoredPart>) {
            status = savePart(field, *key);
          } else if constexpr (std::is_same_v<decltype(field), Placement Settings::*>) {
            const Placement& record =
                field == &Settings::windowPlacement ? windowPlacement : settings.*field;
            if (!settings.openedWithNew && record) status = SetBinary(*key, value->name, *record);
          } else {
            status = Write(*key, value->name, settings.*field);
          }
        },
        value->field);
  }
  return status;
}

}  // namespace tarnwick
