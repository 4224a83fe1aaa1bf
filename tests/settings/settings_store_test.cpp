// Loading and saving settings on the in-memory store.
#include "tests/settings/settings_store_suite.h"
#include "tests/support/memory_store_harness.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryStoreHarness);

}  // namespace tarnwick
