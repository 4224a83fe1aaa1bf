// Received text on its way into the console's output: line ends and the hidden password.
#include "rcon/console_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ConsoleText, LineFeedsBecomeCrLf) {
  struct Case {
    std::string_view text;
    std::string_view converted;
  } cases[] = {
      {"hostname:  Demo\n", "hostname:  Demo\r\n"},
      {"one\n\ntwo", "one\r\n\r\ntwo"},
      {"already\r\n", "already\r\r\n"},  // not looked at: the carriage return doubles
      {"lone\rcarriage return", "lone\rcarriage return"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToCrLf(c.text), c.converted) << c.text;
}

TEST(ConsoleText, PasswordInEchoedCommandsIsMasked) {
  struct Case {
    std::string_view text;
    std::string_view password;
    std::string_view shown;
  } cases[] = {
      {"L 12/06/2026 - 10:00:00: Rcon: \"rcon demo status\" from \"127.0.0.1:5000\"\n", "demo",
       "L 12/06/2026 - 10:00:00: Rcon: \"rcon **** status\" from \"127.0.0.1:5000\"\n"},
      {"Bad Rcon: \"rcon s3cret logaddress 127.0.0.1 5000\"", "s3cret",
       "Bad Rcon: \"rcon ****** logaddress 127.0.0.1 5000\""},
      {"Rcon: \"RCON demo\"", "demo", "Rcon: \"RCON ****\""},
      {"rcon two words say hi", "two words", "rcon ********* say hi"},
      {"rcon demo status; rcon demo users", "demo", "rcon **** status; rcon **** users"},
      {"rcon demo\r\n", "demo", "rcon ****\r\n"},
      // Other words equal to the password stay readable.
      {"say \"hello from the demo server\"", "demo", "say \"hello from the demo server\""},
      // A longer word that begins with the password is another password.
      {"rcon demolition status", "demo", "rcon demolition status"},
      {"rcon Demo status", "demo", "rcon Demo status"},
      {"rcon demo status", "", "rcon demo status"},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPassword(c.text, c.password), c.shown) << c.text;
}

}  // namespace
}  // namespace tarnwick
