// The registry behind the KeyStore interface. Statuses are the registry's own error numbers.
#include "settings/registry_key_store_win.h"

#include <string>
#include <vector>

namespace tarnwick {
namespace {

// Registry names are limited to 16383 characters; room beyond that buys nothing.
constexpr DWORD kLongestName = 16384;

KeyStatus StatusOf(LONG result) { return static_cast<KeyStatus>(result); }

DWORD RoomOf(size_t room) {
  return room > MAXDWORD ? MAXDWORD : static_cast<DWORD>(room);
}

class RegistryKey final : public Key {
 public:
  // Owns `key` when `owned`; the predefined roots are only borrowed.
  RegistryKey(HKEY key, bool owned) : key_(key) {
    if (owned) owner_.Reset(key);
  }

  KeyStatus QueryValue(std::string_view name, size_t room, KeyValue& value) override {
    const std::string valueName(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (room == kAnySize) {
      LONG result = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type, nullptr, &size);
      if (result != ERROR_SUCCESS) return StatusOf(result);
    } else {
      size = RoomOf(room);
    }
    for (;;) {
      std::vector<uint8_t> data(size + 1);
      DWORD got = size;
      LONG result = RegQueryValueExA(key_, valueName.c_str(), nullptr, &type, data.data(), &got);
      // With no limit, a value that grew since its size was asked for is asked for again.
      if (result == ERROR_MORE_DATA && room == kAnySize && got > size) {
        size = got;
        continue;
      }
      if (result != ERROR_SUCCESS) return StatusOf(result);
      data.resize(got);
      value.type = static_cast<ValueType>(type);
      value.data = std::move(data);
      return KeyStatus::kSuccess;
    }
  }

  KeyStatus SetValue(std::string_view name, ValueType type,
                     std::span<const uint8_t> data) override {
    const std::string valueName(name);
    return StatusOf(RegSetValueExA(key_, valueName.c_str(), 0, static_cast<DWORD>(type),
                                   data.data(), static_cast<DWORD>(data.size())));
  }

  KeyStatus DeleteValue(std::string_view name) override {
    const std::string valueName(name);
    return StatusOf(RegDeleteValueA(key_, valueName.c_str()));
  }

  KeyStatus EnumValue(uint32_t index, size_t nameRoom, size_t dataRoom, std::string& name,
                      KeyValue& value) override {
    DWORD dataSize = RoomOf(dataRoom);
    if (dataRoom == kAnySize) {
      DWORD longest = 0;
      LONG result = RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, &longest, nullptr, nullptr);
      if (result != ERROR_SUCCESS) return StatusOf(result);
      dataSize = longest;
    }
    const DWORD nameSize = nameRoom > kLongestName ? kLongestName : static_cast<DWORD>(nameRoom);
    std::vector<char> nameBuffer(nameSize + 1);
    std::vector<uint8_t> data(dataSize + 1);
    DWORD nameLength = nameSize;
    DWORD type = REG_NONE;
    LONG result = RegEnumValueA(key_, index, nameBuffer.data(), &nameLength, nullptr, &type,
                                data.data(), &dataSize);
    if (result != ERROR_SUCCESS) return StatusOf(result);
    name.assign(nameBuffer.data(), nameLength);
    data.resize(dataSize);
    value.type = static_cast<ValueType>(type);
    value.data = std::move(data);
    return KeyStatus::kSuccess;
  }

  std::unique_ptr<Key> OpenSubkey(std::string_view path, KeyAccess access,
                                  KeyStatus* status) override {
    const std::string subkey(path);
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(key_, subkey.c_str(), 0,
                                access == KeyAccess::kAll ? KEY_ALL_ACCESS : KEY_READ, &opened);
    if (status != nullptr) *status = StatusOf(result);
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<RegistryKey>(opened, true);
  }

  std::unique_ptr<Key> CreateSubkey(std::string_view path, KeyStatus* status) override {
    const std::string subkey(path);
    HKEY created = nullptr;
    LONG result = RegCreateKeyExA(key_, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (status != nullptr) *status = StatusOf(result);
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<RegistryKey>(created, true);
  }

  KeyStatus DeleteSubkey(std::string_view path) override {
    const std::string subkey(path);
    return StatusOf(RegDeleteKeyA(key_, subkey.c_str()));
  }

 private:
  HKEY key_;
  UniqueKey owner_;
};

}  // namespace

RegistryKeyStore::RegistryKeyStore() : RegistryKeyStore(HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE) {}

RegistryKeyStore::RegistryKeyStore(HKEY currentUser, HKEY localMachine)
    : currentUser_(std::make_unique<RegistryKey>(currentUser, false)),
      localMachine_(std::make_unique<RegistryKey>(localMachine, false)) {}

RegistryKeyStore::~RegistryKeyStore() = default;

Key& RegistryKeyStore::Root(RootKey root) {
  return root == RootKey::kCurrentUser ? *currentUser_ : *localMachine_;
}

}  // namespace tarnwick
