// MemoryKeyStore: a KeyStore held in memory, with the registry's rules (key_store.h). Values are
// enumerated in the order they were first written, as on Windows, so tests can rely on that order.
// Used by the native tests in place of the registry; every Key it hands out stays valid after the
// store is gone only as far as it keeps its own key alive.
// Thread: one thread at a time; nothing in it is locked.
#ifndef TARNWICK_SETTINGS_MEMORY_KEY_STORE_H
#define TARNWICK_SETTINGS_MEMORY_KEY_STORE_H

#include <memory>

#include "settings/key_store.h"

namespace tarnwick {

class MemoryKeyStore final : public KeyStore {
 public:
  MemoryKeyStore();
  ~MemoryKeyStore() override;
  MemoryKeyStore(const MemoryKeyStore&) = delete;
  MemoryKeyStore& operator=(const MemoryKeyStore&) = delete;

  Key& Root(RootKey root) override;

 private:
  std::unique_ptr<Key> currentUser_;
  std::unique_ptr<Key> localMachine_;
};

}  // namespace tarnwick

#endif
