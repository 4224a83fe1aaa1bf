// The console history's REG_MULTI_SZ value.
#include "rcon/console_history.h"

#include <gtest/gtest.h>

#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(ConsoleHistory, DecodesUpToTheFirstEmptyStringOrTheEnd) {
  struct Case {
    std::string_view data;
    std::vector<std::string> strings;
  } cases[] = {
      {"status\0\0users\0\0"sv, {"status"}},
      {"status\0users"sv, {"status", "users"}},  // a last string without its zero byte
      {"\0status\0\0"sv, {}},
      {""sv, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeMultiString(Bytes(c.data)), c.strings);
  EXPECT_EQ(EncodeMultiString({}), Bytes("\0"sv));
}

class ConsoleHistoryStore : public testing::Test {
 protected:
  ConsoleHistoryStore() : key_(memory_.Root(RootKey::kCurrentUser).CreateSubkey("Settings")) {}
  MemoryKeyStore memory_;
  std::unique_ptr<Key> key_;
};

TEST_F(ConsoleHistoryStore, LoadsOnlyANonEmptyMultiString) {
  struct Case {
    ValueType type;
    std::string_view data;
    std::vector<std::string> loaded;
  } cases[] = {
      {ValueType::kMultiString, "kick joe\0status\0\0"sv, {"kick joe", "status"}},
      {ValueType::kMultiString, "sv_password x\0status\0\0"sv, {"status"}},  // stored earlier
      {ValueType::kString, "status\0"sv, {}},
      {ValueType::kBinary, "status\0\0"sv, {}},
      {ValueType::kMultiString, ""sv, {}},
  };
  for (const Case& c : cases) {
    key_->SetValue(kConsoleHistoryValue, c.type, Bytes(c.data));
    EXPECT_EQ(LoadConsoleHistory(*key_), c.loaded);
  }
  key_->DeleteValue(kConsoleHistoryValue);
  EXPECT_TRUE(LoadConsoleHistory(*key_).empty());
}

TEST_F(ConsoleHistoryStore, SavesWithoutEmptyCommandsOrPasswordsAndDeletesWhenNoneIsLeft) {
  // An empty command would end the list; a password never goes into the settings.
  SaveConsoleHistory(*key_, {"status", "", "rcon_password x", "users"});
  KeyValue value;
  ASSERT_EQ(key_->QueryValue(kConsoleHistoryValue, kAnySize, value), KeyStatus::kSuccess);
  EXPECT_EQ(value.type, ValueType::kMultiString);
  EXPECT_EQ(value.data, Bytes("status\0users\0\0"sv));
  using Commands = std::vector<std::string>;
  for (const Commands& none : {Commands{}, Commands{""}, Commands{"sv_password"}}) {
    SaveConsoleHistory(*key_, none);
    EXPECT_EQ(key_->QueryValue(kConsoleHistoryValue, kAnySize, value), KeyStatus::kNotFound);
  }
}

}  // namespace
}  // namespace tarnwick
