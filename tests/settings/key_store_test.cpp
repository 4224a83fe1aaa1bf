// The shared key store suite on the in-memory store.
#include "tests/settings/key_store_suite.h"
#include "tests/support/memory_store_harness.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, KeyStoreContract, MemoryStoreHarness);

}  // namespace tarnwick
