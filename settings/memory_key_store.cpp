// The in-memory key store: a tree of nodes shared by the Key objects that have them open, so a key
// deleted while open behaves as a deleted registry key does for its open handles.
#include "settings/memory_key_store.h"

#include <algorithm>
#include <utility>

#include "common/utf8_text.h"

namespace tarnwick {
namespace {

struct Node {
  struct Value {
    std::string name;
    KeyValue value;
  };
  struct Subkey {
    std::string name;
    std::shared_ptr<Node> node;
  };
  std::vector<Value> values;  // in the order first written
  std::vector<Subkey> subkeys;
  bool deleted = false;

  Value* FindValue(std::string_view name) {
    for (Value& v : values)
      if (EqualsUtf8NoCase(v.name, name)) return &v;
    return nullptr;
  }
  std::vector<Subkey>::iterator FindSubkey(std::string_view name) {
    return std::find_if(subkeys.begin(), subkeys.end(),
                        [&](const Subkey& s) { return EqualsUtf8NoCase(s.name, name); });
  }
};

// The levels of a path; empty levels (doubled or outer separators) are skipped.
std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> levels;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) levels.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return levels;
}

class MemoryKey final : public Key {
 public:
  MemoryKey(std::shared_ptr<Node> node, bool writable)
      : node_(std::move(node)), writable_(writable) {}

  KeyStatus QueryValue(std::string_view name, size_t room, KeyValue& value) override {
    if (node_->deleted) return KeyStatus::kKeyDeleted;
    const Node::Value* stored = node_->FindValue(name);
    if (stored == nullptr) return KeyStatus::kNotFound;
    if (stored->value.data.size() > room) return KeyStatus::kMoreData;
    value = stored->value;
    return KeyStatus::kSuccess;
  }

  KeyStatus SetValue(std::string_view name, ValueType type,
                     std::span<const uint8_t> data) override {
    if (node_->deleted) return KeyStatus::kKeyDeleted;
    if (!writable_) return KeyStatus::kAccessDenied;
    KeyValue value{type, std::vector<uint8_t>(data.begin(), data.end())};
    if (Node::Value* stored = node_->FindValue(name)) {
      stored->value = std::move(value);
    } else {
      node_->values.push_back({std::string(name), std::move(value)});
    }
    return KeyStatus::kSuccess;
  }

  KeyStatus DeleteValue(std::string_view name) override {
    if (node_->deleted) return KeyStatus::kKeyDeleted;
    if (!writable_) return KeyStatus::kAccessDenied;
    auto& values = node_->values;
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const Node::Value& v) { return EqualsUtf8NoCase(v.name, name); });
    if (it == values.end()) return KeyStatus::kNotFound;
    values.erase(it);
    return KeyStatus::kSuccess;
  }

  KeyStatus EnumValue(uint32_t index, size_t nameRoom, size_t dataRoom, std::string& name,
                      KeyValue& value) override {
    if (node_->deleted) return KeyStatus::kKeyDeleted;
    if (index >= node_->values.size()) return KeyStatus::kNoMoreItems;
    const Node::Value& stored = node_->values[index];
    if (stored.name.size() + 1 > nameRoom || stored.value.data.size() > dataRoom)
      return KeyStatus::kMoreData;
    name = stored.name;
    value = stored.value;
    return KeyStatus::kSuccess;
  }

  std::unique_ptr<Key> OpenSubkey(std::string_view path, KeyAccess access,
                                  KeyStatus* status) override {
    KeyStatus result = KeyStatus::kSuccess;
    std::shared_ptr<Node> node = node_;
    if (node->deleted) result = KeyStatus::kKeyDeleted;
    for (std::string_view level : SplitPath(path)) {
      if (result != KeyStatus::kSuccess) break;
      auto it = node->FindSubkey(level);
      if (it == node->subkeys.end()) {
        result = KeyStatus::kNotFound;
      } else {
        node = it->node;
      }
    }
    if (status != nullptr) *status = result;
    if (result != KeyStatus::kSuccess) return nullptr;
    return std::make_unique<MemoryKey>(node, access == KeyAccess::kAll);
  }

  std::unique_ptr<Key> CreateSubkey(std::string_view path, KeyStatus* status) override {
    if (node_->deleted) {
      if (status != nullptr) *status = KeyStatus::kKeyDeleted;
      return nullptr;
    }
    std::shared_ptr<Node> node = node_;
    for (std::string_view level : SplitPath(path)) {
      auto it = node->FindSubkey(level);
      if (it != node->subkeys.end()) {
        node = it->node;
      } else {
        auto child = std::make_shared<Node>();
        node->subkeys.push_back({std::string(level), child});
        node = std::move(child);
      }
    }
    if (status != nullptr) *status = KeyStatus::kSuccess;
    return std::make_unique<MemoryKey>(node, true);
  }

  KeyStatus DeleteSubkey(std::string_view path) override {
    if (node_->deleted) return KeyStatus::kKeyDeleted;
    const std::vector<std::string_view> levels = SplitPath(path);
    if (levels.empty()) return KeyStatus::kInvalidParameter;
    Node* parent = node_.get();
    for (size_t i = 0; i + 1 < levels.size(); ++i) {
      auto it = parent->FindSubkey(levels[i]);
      if (it == parent->subkeys.end()) return KeyStatus::kNotFound;
      parent = it->node.get();
    }
    auto it = parent->FindSubkey(levels.back());
    if (it == parent->subkeys.end()) return KeyStatus::kNotFound;
    if (!it->node->subkeys.empty()) return KeyStatus::kAccessDenied;
    it->node->deleted = true;
    parent->subkeys.erase(it);
    return KeyStatus::kSuccess;
  }

 private:
  std::shared_ptr<Node> node_;
  bool writable_;
};

}  // namespace

MemoryKeyStore::MemoryKeyStore()
    : currentUser_(std::make_unique<MemoryKey>(std::make_shared<Node>(), true)),
      localMachine_(std::make_unique<MemoryKey>(std::make_shared<Node>(), true)) {}

MemoryKeyStore::~MemoryKeyStore() = default;

Key& MemoryKeyStore::Root(RootKey root) {
  return root == RootKey::kCurrentUser ? *currentUser_ : *localMachine_;
}

}  // namespace tarnwick
