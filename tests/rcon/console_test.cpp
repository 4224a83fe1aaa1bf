// The remote console's portable rules: when its controls are enabled, the log address it
// announces, the history's REG_MULTI_SZ value, and received text on its way into the output with
// the passwords hidden (the line ends, LF to CR LF, show in every expected output here and in the
// Wine tests). How the controls follow the window's size is tested on the real window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rcon/console_history.h"
#include "rcon/console_output.h"
#include "rcon/console_rules.h"
#include "rcon/console_text.h"
#include "rcon/rcon_texts.h"
#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

constexpr Ipv4Address kPublic{{203, 0, 113, 7}};
constexpr Ipv4Address kPrivate{{192, 168, 1, 5}};
constexpr Ipv4Address kLoopback{{127, 0, 0, 1}};

// (Not connected and no password: the Wine test of the console's controls.)
TEST(ConsoleRules, EnableRules) {
  struct Case {
    const char* what;
    ConsoleFacts facts;
    const char* states;  // password box, log switch, command box, Send
  } cases[] = {
      {"public address, public server", {true, false, false, kPublic}, "1111"},
      {"public address, private server", {true, false, true, kPublic}, "1111"},
      {"private address, private server", {true, false, true, kPrivate}, "1111"},
      {"private address, public server", {true, false, false, kPrivate}, "1011"},
      {"loopback address, public server", {true, false, false, kLoopback}, "1111"},
      {"no address, private server", {true, false, true, std::nullopt}, "1011"},
  };
  for (const Case& c : cases) {
    const ConsoleControlStates s = ConsoleEnableRules(c.facts);
    const char bits[] = {"01"[s.passwordBox], "01"[s.logSwitch], "01"[s.commandBox],
                         "01"[s.send], 0};
    EXPECT_STREQ(bits, c.states) << c.what;
  }
}

TEST(ConsoleRules, LogAddressIsTheFirstPublicOrElseTheLastAddress) {
  constexpr Ipv4Address kOtherPublic{{198, 51, 100, 1}};
  constexpr Ipv4Address kOtherPrivate{{10, 0, 0, 1}};
  struct Case {
    const char* what;
    std::vector<Ipv4Address> host;
    std::optional<Ipv4Address> chosen;
  } cases[] = {
      {"private then public", {kPrivate, kPublic}, kPublic},
      {"only private ones", {kOtherPrivate, Ipv4Address{{172, 16, 4, 4}}, kPrivate}, kPrivate},
      {"the first public", {kOtherPublic, kPublic}, kOtherPublic},
      {"loopback is not private", {kOtherPrivate, kLoopback, kPrivate}, kLoopback},
      {"none", {}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseLogAddress(c.host), c.chosen) << c.what;
}

// (That no password comes out of the settings, and that what is read is saved and read back the
// same, are the rcon fuzzer's invariants.)
std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// A non-empty multi-string is read up to its first empty string; a save without empty commands
// or passwords deletes the value when none is left.
TEST(ConsoleHistory, LoadsUpToTheFirstEmptyStringAndSavesWithoutEmptyCommandsOrPasswords) {
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

// That no password shows after "rcon", "rcon <number>" or a quote is the rcon fuzzer's invariant;
// here what it does not check: a tab, the longer of two passwords, and what stays readable.
TEST(ConsoleText, PasswordsInEchoedCommandsAreMasked) {
  const std::vector<std::string> demo = {"demo"};
  const std::vector<std::string> several = {"old", "two words", "demo", "demolition"};
  struct Case {
    std::string_view text;
    const std::vector<std::string>& passwords;
    std::string_view shown;
  } cases[] = {
      {"RCON\tdemo\r\n", demo, "RCON\t****\r\n"},
      {"rcon old a; rcon 12 demo b; rcon two words c; rcon demolition d", several,
       "rcon *** a; rcon 12 **** b; rcon ********* c; rcon ********** d"},
      // Other words equal to a password stay readable, and so does a longer one it begins.
      {"say \"hello from the demo server\"", demo, "say \"hello from the demo server\""},
      {"rcon demos status; rcon 12345678901 demo; rcon Demo", demo,
       "rcon demos status; rcon 12345678901 demo; rcon Demo"},
      {"rcon demo status", {}, "rcon demo status"},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPasswords(c.text, c.passwords), c.shown) << c.text;
}

// That the box rebuilt from the changes equals the kept text, in bytes and in UTF-16 units and
// within the limit, and that no password (UTF-8 ones too) shows whole, are the rcon fuzzer's
// invariants; here the start of an echo cut in pieces hidden already, and kept hidden.
TEST(ConsoleOutput, KeepsEchoesMaskedWhenTheyComeInPieces) {
  ConsoleOutput output;
  output.AddPassword("first");
  output.AddPassword("second");
  output.Append("Rcon: \"rcon 1 first status\"\n");
  output.Append("Rcon: \"rcon 2 sec");  // one echo in two print replies
  EXPECT_EQ(output.Text().find("sec"), std::string::npos) << "not even the start of it";
  output.Append("ond status\"\nnext\0line\n"sv);
  EXPECT_EQ(output.Text(),
            "Rcon: \"rcon 1 ***** status\"\r\nRcon: \"rcon 2 ****** status\"\r\nnextline\r\n");
  output.Clear();
  output.Append("rcon first");
  output.Append("ly");
  EXPECT_EQ(output.Text(), "rcon *****ly") << "once hidden, stays hidden";
}

}  // namespace
}  // namespace tarnwick
