// The harness that runs the shared key store suites on the in-memory store.
#ifndef TARNWICK_TESTS_SUPPORT_MEMORY_STORE_HARNESS_H
#define TARNWICK_TESTS_SUPPORT_MEMORY_STORE_HARNESS_H

#include "settings/memory_key_store.h"

namespace tarnwick {

struct MemoryStoreHarness {
  static constexpr bool kEnumeratesInWriteOrder = true;
  KeyStore& store() { return memory; }
  MemoryKeyStore memory;
};

}  // namespace tarnwick

#endif
