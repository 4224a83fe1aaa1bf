// The recording wrapper around a key store.
#include "tests/support/recording_key_store.h"

namespace tarnwick {
namespace {

class RecordingKey final : public Key {
 public:
  RecordingKey(Key& inner, std::unique_ptr<Key> owned, std::string path,
               std::vector<std::string>& log)
      : inner_(inner), owned_(std::move(owned)), path_(std::move(path)), log_(log) {}

  KeyStatus QueryValue(std::string_view name, size_t room, KeyValue& value) override {
    Log("query", name);
    return inner_.QueryValue(name, room, value);
  }
  KeyStatus SetValue(std::string_view name, ValueType type,
                     std::span<const uint8_t> data) override {
    Log("set", name);
    return inner_.SetValue(name, type, data);
  }
  KeyStatus DeleteValue(std::string_view name) override {
    Log("delete", name);
    return inner_.DeleteValue(name);
  }
  KeyStatus EnumValue(uint32_t index, size_t nameRoom, size_t dataRoom, std::string& name,
                      KeyValue& value) override {
    Log("enum", std::to_string(index));
    return inner_.EnumValue(index, nameRoom, dataRoom, name, value);
  }
  std::unique_ptr<Key> OpenSubkey(std::string_view path, KeyAccess access,
                                  KeyStatus* status) override {
    const std::string full = Join(path);
    log_.push_back("open " + full);
    return Wrap(inner_.OpenSubkey(path, access, status), full);
  }
  std::unique_ptr<Key> CreateSubkey(std::string_view path, KeyStatus* status) override {
    const std::string full = Join(path);
    log_.push_back("create " + full);
    return Wrap(inner_.CreateSubkey(path, status), full);
  }
  KeyStatus DeleteSubkey(std::string_view path) override {
    log_.push_back("delete-key " + Join(path));
    return inner_.DeleteSubkey(path);
  }

 private:
  void Log(const char* operation, std::string_view name) {
    log_.push_back(std::string(operation) + " " + path_ + "|" + std::string(name));
  }
  std::string Join(std::string_view path) const {
    return path_.empty() ? std::string(path) : path_ + "\\" + std::string(path);
  }
  std::unique_ptr<Key> Wrap(std::unique_ptr<Key> key, const std::string& full) {
    if (!key) return nullptr;
    Key& inner = *key;
    return std::make_unique<RecordingKey>(inner, std::move(key), full, log_);
  }

  Key& inner_;
  std::unique_ptr<Key> owned_;
  std::string path_;
  std::vector<std::string>& log_;
};

}  // namespace

RecordingKeyStore::RecordingKeyStore(KeyStore& inner)
    : currentUser_(std::make_unique<RecordingKey>(inner.Root(RootKey::kCurrentUser), nullptr,
                                                  "", log_)),
      localMachine_(std::make_unique<RecordingKey>(inner.Root(RootKey::kLocalMachine), nullptr,
                                                   "HKLM", log_)) {}

RecordingKeyStore::~RecordingKeyStore() = default;

Key& RecordingKeyStore::Root(RootKey root) {
  return root == RootKey::kCurrentUser ? *currentUser_ : *localMachine_;
}

std::vector<std::string> RecordingKeyStore::ValueNames(const std::string& operation,
                                                       const std::string& keyPath) const {
  const std::string prefix = operation + " " + keyPath + "|";
  std::vector<std::string> names;
  for (const std::string& line : log_)
    if (line.rfind(prefix, 0) == 0) names.push_back(line.substr(prefix.size()));
  return names;
}

}  // namespace tarnwick
