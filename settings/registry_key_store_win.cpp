// The registry behind the KeyStore interface. Statuses are the registry's own error numbers.
// Names and texts are UTF-8 on this side and UTF-16 in the registry.
#include "settings/registry_key_store_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/utf8_text.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

// Registry names are limited to 16383 characters; room beyond that buys nothing.
constexpr DWORD kLongestName = 16384;

KeyStatus StatusOf(LONG result) { return static_cast<KeyStatus>(result); }

bool IsTextType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Texts are kept through the W calls: the registry holds them as UTF-16 whatever call wrote them,
// so a value an ANSI build wrote reads back as the same text, and the program's UTF-8 goes in
// whole. Terminators and the separators of a multi-string pass through as zero characters.
std::vector<uint8_t> TextToRegistry(std::span<const uint8_t> utf8) {
  const std::u16string wide =
      Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
  const auto* bytes = reinterpret_cast<const uint8_t*>(wide.data());
  return std::vector<uint8_t>(bytes, bytes + wide.size() * sizeof(char16_t));
}

std::vector<uint8_t> TextFromRegistry(const std::vector<uint8_t>& stored) {
  std::u16string wide(stored.size() / sizeof(char16_t), u'\0');
  if (!wide.empty()) std::memcpy(wide.data(), stored.data(), wide.size() * sizeof(char16_t));
  const std::string utf8 = Utf16ToUtf8(wide);
  return std::vector<uint8_t>(utf8.begin(), utf8.end());
}

// The value as the program sees it, or kMoreData when it does not fit in `room` bytes.
KeyStatus Deliver(DWORD type, std::vector<uint8_t> data, size_t room, KeyValue& value) {
  if (IsTextType(type)) data = TextFromRegistry(data);
  if (room != kAnySize && data.size() > room) return KeyStatus::kMoreData;
  value.type = static_cast<ValueType>(type);
  value.data = std::move(data);
  return KeyStatus::kSuccess;
}

class RegistryKey final : public Key {
 public:
  // Owns `key` when `owned`; the predefined roots are only borrowed.
  RegistryKey(HKEY key, bool owned) : key_(key) {
    if (owned) owner_.Reset(key);
  }

  KeyStatus QueryValue(std::string_view name, size_t room, KeyValue& value) override {
    const std::wstring valueName = Widen(name);
    for (;;) {
      DWORD type = REG_NONE;
      DWORD size = 0;
      LONG result = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &size);
      if (result != ERROR_SUCCESS) return StatusOf(result);
      // A value beyond the room is refused before it is read; a text's UTF-8 takes at least
      // half the bytes of its UTF-16, so only one above twice the room is sure not to fit.
      const size_t least = IsTextType(type) ? size / 2 : size;
      if (room != kAnySize && least > room) return KeyStatus::kMoreData;
      std::vector<uint8_t> data(size + 1);
      DWORD got = size;
      result = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, data.data(), &got);
      // A value that grew since its size was asked for is asked for again.
      if (result == ERROR_MORE_DATA) continue;
      if (result != ERROR_SUCCESS) return StatusOf(result);
      data.resize(got);
      return Deliver(type, std::move(data), room, value);
    }
  }

  KeyStatus SetValue(std::string_view name, ValueType type,
                     std::span<const uint8_t> data) override {
    const std::wstring valueName = Widen(name);
    const auto registryType = static_cast<DWORD>(type);
    if (IsTextType(registryType)) {
      const std::vector<uint8_t> wide = TextToRegistry(data);
      return StatusOf(RegSetValueExW(key_, valueName.c_str(), 0, registryType, wide.data(),
                                     static_cast<DWORD>(wide.size())));
    }
    return StatusOf(RegSetValueExW(key_, valueName.c_str(), 0, registryType, data.data(),
                                   static_cast<DWORD>(data.size())));
  }

  KeyStatus DeleteValue(std::string_view name) override {
    return StatusOf(RegDeleteValueW(key_, Widen(name).c_str()));
  }

  KeyStatus EnumValue(uint32_t index, size_t nameRoom, size_t dataRoom, std::string& name,
                      KeyValue& value) override {
    DWORD longest = 0;
    LONG result = RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, &longest, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return StatusOf(result);
    std::vector<wchar_t> nameBuffer(kLongestName + 1);
    std::vector<uint8_t> data(longest + 1);
    DWORD nameLength = kLongestName;
    DWORD dataSize = longest;
    DWORD type = REG_NONE;
    result = RegEnumValueW(key_, index, nameBuffer.data(), &nameLength, nullptr, &type,
                           data.data(), &dataSize);
    if (result != ERROR_SUCCESS) return StatusOf(result);
    std::string found = Narrow(std::wstring_view(nameBuffer.data(), nameLength));
    if (found.size() + 1 > nameRoom) return KeyStatus::kMoreData;
    data.resize(dataSize);
    const KeyStatus delivered = Deliver(type, std::move(data), dataRoom, value);
    if (delivered == KeyStatus::kSuccess) name = std::move(found);
    return delivered;
  }

  std::unique_ptr<Key> OpenSubkey(std::string_view path, KeyAccess access,
                                  KeyStatus* status) override {
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExW(key_, Widen(path).c_str(), 0,
                                access == KeyAccess::kAll ? KEY_ALL_ACCESS : KEY_READ, &opened);
    if (status != nullptr) *status = StatusOf(result);
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<RegistryKey>(opened, true);
  }

  std::unique_ptr<Key> CreateSubkey(std::string_view path, KeyStatus* status) override {
    HKEY created = nullptr;
    LONG result = RegCreateKeyExW(key_, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (status != nullptr) *status = StatusOf(result);
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<RegistryKey>(created, true);
  }

  KeyStatus DeleteSubkey(std::string_view path) override {
    return StatusOf(RegDeleteKeyW(key_, Widen(path).c_str()));
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
