// Loading and saving settings on the in-memory store: the shared suite, and where the column
// arrays come from at save.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "settings/memory_key_store.h"
#include "tests/settings/settings_store_suite.h"
#include "tests/support/memory_store_harness.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryStoreHarness);

namespace {

TEST(SettingsOrder, ColumnsAreTakenFromThePlayerListAtSave) {
  MemoryKeyStore memory;
  FakeSettingsWindow window(memory);
  window.columnOrder = std::array<int32_t, 4>{2, 0, 1, 3};
  window.columnWidths = std::array<int32_t, 4>{1, 2, 3, 4};
  Settings s;
  SaveSettings(memory, window, s);
  EXPECT_EQ(s.listOrders, (std::array<int32_t, 4>{2, 0, 1, 3}));
  EXPECT_EQ(s.listWidths, (std::array<int32_t, 4>{1, 2, 3, 4}));

  FakeSettingsWindow silent(memory);  // a list that cannot report keeps the fields
  Settings t;
  t.listOrders = {3, 2, 1, 0};
  SaveSettings(memory, silent, t);
  EXPECT_EQ(t.listOrders, (std::array<int32_t, 4>{3, 2, 1, 0}));
  EXPECT_EQ(t.listWidths, Settings{}.listWidths);
}

}  // namespace
}  // namespace tarnwick
