// The rules every KeyStore keeps, as one typed test suite. Each test program instantiates it with a
// harness: natively with the in-memory store, under Wine with the registry (a test key of its own
// under HKEY_CURRENT_USER). A harness gives `KeyStore& store()`, whose HKEY_CURRENT_USER root the
// tests may fill freely, and `kEnumeratesInWriteOrder`, true only where the store promises to
// enumerate values in the order first written (Wine's registry sorts them by name).
#ifndef TARNWICK_TESTS_SETTINGS_KEY_STORE_SUITE_H
#define TARNWICK_TESTS_SETTINGS_KEY_STORE_SUITE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/key_store.h"

namespace tarnwick {

template <typename Harness>
class KeyStoreContract : public testing::Test {
 protected:
  Key& root() { return harness_.store().Root(RootKey::kCurrentUser); }
  std::unique_ptr<Key> Fresh(const char* name) {
    std::unique_ptr<Key> key = root().CreateSubkey(name);
    EXPECT_NE(key, nullptr) << name;
    return key;
  }
  // The names of every value, by enumeration.
  std::vector<std::string> EnumeratedNames(Key& key) {
    std::vector<std::string> names;
    for (uint32_t index = 0;; ++index) {
      std::string name;
      KeyValue value;
      KeyStatus status = key.EnumValue(index, 260, kAnySize, name, value);
      if (status != KeyStatus::kSuccess) {
        EXPECT_EQ(status, KeyStatus::kNoMoreItems);
        break;
      }
      names.push_back(name);
    }
    return names;
  }

  Harness harness_;
};

TYPED_TEST_SUITE_P(KeyStoreContract);

template <size_t N>
std::vector<uint8_t> Bytes(const char (&text)[N]) {
  return std::vector<uint8_t>(text, text + N - 1);
}

TYPED_TEST_P(KeyStoreContract, ValuesKeepTheirTypeAndBytes) {
  struct Case {
    const char* name;
    ValueType type;
    std::vector<uint8_t> data;
  } cases[] = {
      {"Dword", ValueType::kDword, {0x78, 0x56, 0x34, 0x12}},
      {"Binary", ValueType::kBinary, {0, 1, 0, 255, 0}},
      {"Empty binary", ValueType::kBinary, {}},
      {"Large", ValueType::kBinary, std::vector<uint8_t>(5000, 0x5A)},
      // Texts are UTF-8 on the program's side, whatever the store keeps.
      {"\u00DCber \u2665", ValueType::kString, Bytes("\u0441\u0434s\u0446\u0430l\0")},
      {"Recent", ValueType::kMultiString, Bytes("\u00DCber:27015\0\u4E2D\u6587\0\0")},
  };
  auto key = this->Fresh("Typed");
  for (const Case& c : cases) ASSERT_EQ(key->SetValue(c.name, c.type, c.data), KeyStatus::kSuccess);
  for (const Case& c : cases) {
    KeyValue value;
    for (size_t room : {c.data.size(), kAnySize}) {
      ASSERT_EQ(key->QueryValue(c.name, room, value), KeyStatus::kSuccess) << c.name;
      EXPECT_EQ(value.type, c.type) << c.name;
      EXPECT_EQ(value.data, c.data) << c.name;
    }
    if (!c.data.empty()) {
      EXPECT_EQ(key->QueryValue(c.name, c.data.size() - 1, value), KeyStatus::kMoreData) << c.name;
    }
  }
  EXPECT_EQ(this->EnumeratedNames(*key).size(), std::size(cases));  // no limit on the data
}

// A rewrite in other letters' case, masks typed in other scripts too, keeps the value's first name
// and its first place.
TYPED_TEST_P(KeyStoreContract, ValueNamesIgnoreLetterCaseAndEnumerateOnceEach) {
  auto key = this->Fresh("Case");
  for (const char* name : {"charlie", "[Kx4t].*", "\u0421\u0414*", "bravo"})
    SetDword(*key, name, 1);
  ASSERT_EQ(SetString(*key, "[KX4T].*", "two"), KeyStatus::kSuccess);
  ASSERT_EQ(SetDword(*key, "\u0441\u0434*", 2), KeyStatus::kSuccess);
  KeyValue value;
  ASSERT_EQ(key->QueryValue("[kx4t].*", 16, value), KeyStatus::kSuccess);
  EXPECT_EQ(value.type, ValueType::kString);
  EXPECT_EQ(TextFromBytes(value.data), "two");
  std::vector<std::string> names = this->EnumeratedNames(*key);
  std::vector<std::string> expected = {"charlie", "[Kx4t].*", "\u0421\u0414*", "bravo"};
  if (!TypeParam::kEnumeratesInWriteOrder) {
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
  }
  EXPECT_EQ(names, expected);
  EXPECT_EQ(key->DeleteValue("[KX4t].*"), KeyStatus::kSuccess);
  EXPECT_EQ(key->QueryValue("[Kx4t].*", 16, value), KeyStatus::kNotFound);
  EXPECT_EQ(key->DeleteValue("[Kx4t].*"), KeyStatus::kNotFound);
}

TYPED_TEST_P(KeyStoreContract, EnumerationFailsForNamesOrDataWithoutRoom) {
  struct Case {
    size_t nameLength;
    size_t dataSize;
    KeyStatus expected;
  } cases[] = {
      {259, 4, KeyStatus::kSuccess},
      {260, 4, KeyStatus::kMoreData},
      {10, 5, KeyStatus::kMoreData},
      {10, 0, KeyStatus::kSuccess},
  };
  int number = 0;
  for (const Case& c : cases) {
    const std::string keyName = "Room" + std::to_string(number++);
    auto key = this->Fresh(keyName.c_str());
    const std::string name(c.nameLength, 'n');
    const std::vector<uint8_t> data(c.dataSize, 1);
    ASSERT_EQ(key->SetValue(name, ValueType::kDword, data), KeyStatus::kSuccess);
    std::string got;
    KeyValue value;
    EXPECT_EQ(key->EnumValue(0, 260, 4, got, value), c.expected) << keyName;
    if (c.expected == KeyStatus::kSuccess) {
      EXPECT_EQ(got, name);
      EXPECT_EQ(value.data, data);
    }
    EXPECT_EQ(key->EnumValue(1, 260, 4, got, value), KeyStatus::kNoMoreItems) << keyName;
  }
}

TYPED_TEST_P(KeyStoreContract, SubkeysAreOpenedCreatedAndDeleted) {
  KeyStatus status = KeyStatus::kSuccess;
  EXPECT_EQ(this->root().OpenSubkey("Tree\\Leaf", KeyAccess::kRead, &status), nullptr);
  EXPECT_EQ(status, KeyStatus::kNotFound);

  auto created = this->root().CreateSubkey("Tree\\Branch\\Leaf", &status);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(status, KeyStatus::kSuccess);
  SetDword(*created, "value", 3);

  auto reopened = this->root().OpenSubkey("TREE\\branch\\LEAF", KeyAccess::kAll, &status);
  ASSERT_NE(reopened, nullptr);
  KeyValue value;
  EXPECT_EQ(reopened->QueryValue("value", 4, value), KeyStatus::kSuccess);

  auto readOnly = this->root().OpenSubkey("Tree\\Branch\\Leaf", KeyAccess::kRead);
  ASSERT_NE(readOnly, nullptr);
  EXPECT_EQ(readOnly->QueryValue("value", 4, value), KeyStatus::kSuccess);
  EXPECT_EQ(SetDword(*readOnly, "value", 4), KeyStatus::kAccessDenied);

  auto tree = this->root().OpenSubkey("Tree", KeyAccess::kAll);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->DeleteSubkey("Branch"), KeyStatus::kAccessDenied);  // it has a subkey
  EXPECT_EQ(tree->DeleteSubkey("Branch\\Leaf"), KeyStatus::kSuccess);
  EXPECT_EQ(tree->DeleteSubkey("Branch\\Leaf"), KeyStatus::kNotFound);
  EXPECT_EQ(this->root().OpenSubkey("Tree\\Branch\\Leaf", KeyAccess::kRead), nullptr);
  EXPECT_EQ(reopened->QueryValue("value", 4, value), KeyStatus::kKeyDeleted);

  auto again = tree->CreateSubkey("Branch\\Leaf");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->QueryValue("value", 4, value), KeyStatus::kNotFound);
  EXPECT_TRUE(this->EnumeratedNames(*again).empty());
}

REGISTER_TYPED_TEST_SUITE_P(KeyStoreContract, ValuesKeepTheirTypeAndBytes,
                            ValueNamesIgnoreLetterCaseAndEnumerateOnceEach,
                            EnumerationFailsForNamesOrDataWithoutRoom,
                            SubkeysAreOpenedCreatedAndDeleted);

}  // namespace tarnwick

#endif
