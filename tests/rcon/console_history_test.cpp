// The console history's REG_MULTI_SZ value. (That no password comes out of the settings, and that
// what is read is saved and read back the same, are the rcon fuzzer's invariants.)
#include "rcon/console_history.h"

#include <gtest/gtest.h>

#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(ConsoleHistory, LoadsANonEmptyMultiStringUpToItsFirstEmptyString) {
  MemoryKeyStore memory;
  std::unique_ptr<Key> key = memory.Root(RootKey::kCurrentUser).CreateSubkey("Settings");
  struct Case {
    ValueType type;
    std::string_view data;
    std::vector<std::string> loaded;
  } cases[] = {
      {ValueType::kMultiString, "kick joe\0status\0\0users\0\0"sv, {"kick joe", "status"}},
      {ValueType::kMultiString, "status\0users"sv, {"status", "users"}},  // the last zero missing
      {ValueType::kMultiString, "\0status\0\0"sv, {}},
      {ValueType::kString, "status\0"sv, {}},
      {ValueType::kBinary, "status\0\0"sv, {}},
      {ValueType::kMultiString, ""sv, {}},
  };
  for (const Case& c : cases) {
    key->SetValue(kConsoleHistoryValue, c.type, Bytes(c.data));
    EXPECT_EQ(LoadConsoleHistory(*key), c.loaded) << c.data;
  }
}

TEST(ConsoleHistory, SavesWithoutEmptyCommandsOrPasswordsAndDeletesWhenNoneIsLeft) {
  MemoryKeyStore memory;
  std::unique_ptr<Key> key = memory.Root(RootKey::kCurrentUser).CreateSubkey("Settings");
  // An empty command would end the list; a command that sets a password never goes into the
  // settings, and one that only mentions a password does.
  SaveConsoleHistory(*key, {"status", "", "RCON_PASSWORD x", "  password", "password_hint x",
                            "say my password", "users"});
  KeyValue value;
  ASSERT_EQ(key->QueryValue(kConsoleHistoryValue, kAnySize, value), KeyStatus::kSuccess);
  EXPECT_EQ(value.type, ValueType::kMultiString);
  EXPECT_EQ(value.data, Bytes("status\0password_hint x\0say my password\0users\0\0"sv));
  using Commands = std::vector<std::string>;
  for (const Commands& none : {Commands{}, Commands{""}, Commands{"sv_password"}}) {
    SaveConsoleHistory(*key, none);
    EXPECT_EQ(key->QueryValue(kConsoleHistoryValue, kAnySize, value), KeyStatus::kNotFound);
  }
}

}  // namespace
}  // namespace tarnwick
