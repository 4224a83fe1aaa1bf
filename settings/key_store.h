// KeyStore and Key: the registry as the settings code sees it. Two implementations keep the same
// rules: the Windows registry (registry_key_store_win.h) and an in-memory store for tests
// (memory_key_store.h). One shared test suite runs against both.
//
// The rules every implementation keeps:
// - A key holds typed values and subkeys. A value is a type and its bytes. Names and texts
//   (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are UTF-8 on the program's side whatever the store keeps
//   (the registry keeps UTF-16 and its store converts), and text sizes count UTF-8 bytes; other
//   bytes pass untouched. Value and subkey names compare without regard to letter case; writing a
//   value whose name differs from a stored one only in case replaces that value's data and type
//   and keeps the stored name.
// - A read gives room for a number of bytes; a value with more data fails with kMoreData and the
//   caller learns nothing else. Enumeration gives room for a name (counted with its terminator)
//   and for data: a longer name or larger data fails with kMoreData; an index past the last value
//   fails with kNoMoreItems. Enumeration order is the store's own (the in-memory store keeps the
//   order in which values were first written; Windows does too, Wine sorts by name).
// - A key opened for reading refuses writes (kAccessDenied). A subkey that has subkeys of its own
//   cannot be deleted (kAccessDenied). A Key object whose key was deleted fails every operation
//   with kKeyDeleted; creating the key again gives a new, empty key.
// - Paths may name several levels separated by '\'; creating a path creates every missing level.
// Failures are reported as statuses, never thrown.
// Thread: a KeyStore and the Keys it hands out are used by one thread, the window thread that
// made the store; the registry itself is what the windows share, value by value.
#ifndef TARNWICK_SETTINGS_KEY_STORE_H
#define TARNWICK_SETTINGS_KEY_STORE_H

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Statuses carry the platform's registry error numbers, so a registry failure passes through
// unchanged; the named ones are those the program and the in-memory store use.
enum class KeyStatus : int32_t {
  kSuccess = 0,
  kNotFound = 2,       // ERROR_FILE_NOT_FOUND
  kAccessDenied = 5,   // ERROR_ACCESS_DENIED
  kInvalidParameter = 87,
  kMoreData = 234,     // ERROR_MORE_DATA
  kNoMoreItems = 259,  // ERROR_NO_MORE_ITEMS
  kKeyDeleted = 1018,  // ERROR_KEY_DELETED
};

// Registry value types (the REG_* numbers).
enum class ValueType : uint32_t {
  kNone = 0,         // REG_NONE
  kString = 1,       // REG_SZ
  kExpandString = 2, // REG_EXPAND_SZ
  kBinary = 3,       // REG_BINARY
  kDword = 4,        // REG_DWORD, little-endian
  kMultiString = 7,  // REG_MULTI_SZ
};

enum class RootKey { kCurrentUser, kLocalMachine };
enum class KeyAccess { kRead, kAll };

// No limit on the data a read accepts.
inline constexpr size_t kAnySize = std::numeric_limits<size_t>::max();

struct KeyValue {
  ValueType type = ValueType::kNone;
  std::vector<uint8_t> data;
};

class Key {
 public:
  virtual ~Key() = default;

  // Reads the value `name` if its data fits in `room` bytes.
  virtual KeyStatus QueryValue(std::string_view name, size_t room, KeyValue& value) = 0;
  virtual KeyStatus SetValue(std::string_view name, ValueType type,
                             std::span<const uint8_t> data) = 0;
  virtual KeyStatus DeleteValue(std::string_view name) = 0;
  // The value at `index`; `nameRoom` counts the name's characters plus its terminator.
  virtual KeyStatus EnumValue(uint32_t index, size_t nameRoom, size_t dataRoom, std::string& name,
                              KeyValue& value) = 0;

  // Opens an existing subkey; null when that fails (`status`, when given, says why).
  virtual std::unique_ptr<Key> OpenSubkey(std::string_view path, KeyAccess access,
                                          KeyStatus* status = nullptr) = 0;
  // Opens the subkey with full access, creating it (and any missing level) first.
  virtual std::unique_ptr<Key> CreateSubkey(std::string_view path, KeyStatus* status = nullptr) = 0;
  // Deletes a subkey that has no subkeys; its values go with it.
  virtual KeyStatus DeleteSubkey(std::string_view path) = 0;
};

class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // The root key; it lives as long as the store.
  virtual Key& Root(RootKey root) = 0;
};

// Typed helpers on top of Key: the value layouts the program stores.
KeyStatus SetDword(Key& key, std::string_view name, uint32_t value);
// REG_SZ with its terminator.
KeyStatus SetString(Key& key, std::string_view name, std::string_view text);
KeyStatus SetBinary(Key& key, std::string_view name, std::span<const uint8_t> data);

// The little-endian number in the first four bytes (fewer bytes are zero-extended).
uint32_t DwordFromBytes(std::span<const uint8_t> data);
// The text up to the first zero byte, or all of the data when it has none.
std::string TextFromBytes(std::span<const uint8_t> data);

}  // namespace tarnwick

#endif
