// RegistryKeyStore: the KeyStore of the Windows registry (advapi32). By default its roots are
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE; tests give it keys of their own as roots, so the
// program's code runs against the real registry without touching the user's settings.
// Thread: each window thread makes its own store; the registry keeps each single value write whole.
#ifndef TARNWICK_SETTINGS_REGISTRY_KEY_STORE_WIN_H
#define TARNWICK_SETTINGS_REGISTRY_KEY_STORE_WIN_H

#include <memory>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "settings/key_store.h"

namespace tarnwick {

class RegistryKeyStore final : public KeyStore {
 public:
  RegistryKeyStore();
  // Borrows both keys; the caller keeps them open for the store's lifetime.
  RegistryKeyStore(HKEY currentUser, HKEY localMachine);
  ~RegistryKeyStore() override;
  RegistryKeyStore(const RegistryKeyStore&) = delete;
  RegistryKeyStore& operator=(const RegistryKeyStore&) = delete;

  Key& Root(RootKey root) override;

 private:
  std::unique_ptr<Key> currentUser_;
  std::unique_ptr<Key> localMachine_;
};

}  // namespace tarnwick

#endif
