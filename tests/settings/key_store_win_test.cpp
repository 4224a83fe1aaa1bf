// The shared key store suite on the registry, in a test key of its own.
#include "tests/settings/key_store_suite.h"
#include "tests/support/registry_test_root_win.h"

namespace tarnwick {

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, KeyStoreContract, RegistryTestRoot);

// Values an earlier, ANSI build wrote through the A calls read back as the same text.
TEST(RegistryTexts, WhatTheAnsiCallsWroteReadsBackAsTheSameText) {
  RegistryTestRoot registry;
  // Code page 1252, the ANSI code page of the test prefix: U with diaeresis, the euro sign.
  const char text[] = "\xDC" "ber \x80";
  const char multi[] = "\xDC" "ber:27015\0a\0";
  ASSERT_EQ(RegSetKeyValueA(registry.currentUser(), "Old", "Mask \xDC", REG_SZ, text, sizeof(text)),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetKeyValueA(registry.currentUser(), "Old", "Recent", REG_MULTI_SZ, multi,
                            sizeof(multi)),
            ERROR_SUCCESS);
  auto old = registry.store().Root(RootKey::kCurrentUser).OpenSubkey("Old", KeyAccess::kRead);
  ASSERT_NE(old, nullptr);
  KeyValue value;
  ASSERT_EQ(old->QueryValue("Mask \u00DC", kAnySize, value), KeyStatus::kSuccess);
  EXPECT_EQ(value.type, ValueType::kString);
  EXPECT_EQ(TextFromBytes(value.data), "\u00DCber \u20AC");
  ASSERT_EQ(old->QueryValue("Recent", kAnySize, value), KeyStatus::kSuccess);
  const char expected[] = "\u00DCber:27015\0a\0";
  EXPECT_EQ(value.data, std::vector<uint8_t>(expected, expected + sizeof(expected)));
}

}  // namespace tarnwick
