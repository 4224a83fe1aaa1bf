// Loading and saving settings on the registry, in a test key of its own.
#include "tests/settings/settings_store_suite.h"
#include "tests/support/registry_test_root_win.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, SettingsStoreContract, RegistryTestRoot);

}  // namespace tarnwick
