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
    ConsoleControlStates states;  // password box, log switch, command box, Send
  } cases[] = {
      {"not connected", {false, false, true, kPrivate}, {false, false, false, false}},
      {"no password", {true, true, true, kPrivate}, {true, false, false, false}},
      {"public address, public server", {true, false, false, kPublic}, {true, true, true, true}},
      {"public address, private server", {true, false, true, kPublic}, {true, true, true, true}},
      {"private address, private server", {true, false, true, kPrivate}, {true, true, true, true}},
      {"private address, public server", {true, false, false, kPrivate}, {true, false, true, true}},
      {"loopback address, public server", {true, false, false, kLoopback},
       {true, true, true, true}},
      {"no address, private server", {true, false, true, std::nullopt}, {true, false, true, true}},
  };
  for (const Case& c : cases) {
    const ConsoleControlStates states = ConsoleEnableRules(c.facts);
    EXPECT_EQ(states.passwordBox, c.states.passwordBox) << c.what;
    EXPECT_EQ(states.logSwitch, c.states.logSwitch) << c.what;
    EXPECT_EQ(states.commandBox, c.states.commandBox) << c.what;
    EXPECT_EQ(states.send, c.states.send) << c.what;
  }
}

TEST(ConsoleRules, CommandsThatSetAPasswordStayOutOfTheHistory) {
  struct Case {
    const char* command;
    bool secret;
  } cases[] = {
      {"sv_password hunter2", true},
      {"RCON_PASSWORD newpw", true},
      {"  password", true},
      {"sv_password", true},
      {"password_hint x", false},
      {"say my password is long", false},
      {"status", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSecretCommand(c.command), c.secret) << c.command;
    EXPECT_EQ(ShouldAddToHistory(c.command, -1), !c.secret && *c.command != 0) << c.command;
  }
}

}  // namespace
}  // namespace tarnwick
