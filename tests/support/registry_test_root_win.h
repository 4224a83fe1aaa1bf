// RegistryTestRoot: a key of its own for one test under HKEY_CURRENT_USER
// "SOFTWARE\Merrowind\TarnwickTest\<random>", with two subkeys that serve as the roots of a
// RegistryKeyStore: "HKCU" for HKEY_CURRENT_USER and "HKLM" for HKEY_LOCAL_MACHINE. The program's
// code thus runs against the real registry without touching the user's settings. The whole test
// key is deleted at the end. Also the harness of the shared key store suites.
#ifndef TARNWICK_TESTS_SUPPORT_REGISTRY_TEST_ROOT_WIN_H
#define TARNWICK_TESTS_SUPPORT_REGISTRY_TEST_ROOT_WIN_H

#include <memory>
#include <string>

#include "common/unique_handle_win.h"
#include "settings/registry_key_store_win.h"

namespace tarnwick {

class RegistryTestRoot {
 public:
  static constexpr bool kEnumeratesInWriteOrder = false;

  RegistryTestRoot();
  ~RegistryTestRoot();
  RegistryTestRoot(const RegistryTestRoot&) = delete;
  RegistryTestRoot& operator=(const RegistryTestRoot&) = delete;

  KeyStore& store() { return *store_; }
  HKEY currentUser() const { return currentUser_.Get(); }

 private:
  std::string path_;
  UniqueKey currentUser_;
  UniqueKey localMachine_;
  std::unique_ptr<RegistryKeyStore> store_;
};

}  // namespace tarnwick

#endif
