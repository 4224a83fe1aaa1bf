// When the console's controls are enabled. (How they follow the window's size is tested on the
// real window, with the console's own layout table.)
#include "rcon/console_rules.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

constexpr Ipv4Address kPublic{{203, 0, 113, 7}};
constexpr Ipv4Address kPrivate{{192, 168, 1, 5}};
constexpr Ipv4Address kLoopback{{127, 0, 0, 1}};

TEST(ConsoleRules, EnableRules) {
  struct Case {
    const char* what;
    ConsoleFacts facts;
    const char* states;  // password box, log switch, command box, Send
  } cases[] = {
      {"not connected", {false, false, true, kPrivate}, "0000"},
      {"no password", {true, true, true, kPrivate}, "1000"},
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

TEST(ConsoleRules, CommandsThatSetAPasswordStayOutOfTheHistory) {
  for (const char* secret :
       {"sv_password hunter2", "RCON_PASSWORD newpw", "  password", "sv_password"}) {
    EXPECT_TRUE(IsSecretCommand(secret)) << secret;
    EXPECT_FALSE(ShouldAddToHistory(secret, -1)) << secret;
  }
  for (const char* plain : {"password_hint x", "say my password is long", "status"}) {
    EXPECT_FALSE(IsSecretCommand(plain)) << plain;
    EXPECT_TRUE(ShouldAddToHistory(plain, -1)) << plain;
  }
  EXPECT_FALSE(ShouldAddToHistory("", -1));
}

}  // namespace
}  // namespace tarnwick
