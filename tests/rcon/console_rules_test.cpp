// When the console's controls are enabled, and the log address it announces. (How the controls
// follow the window's size is tested on the real window; which commands stay out of the history,
// with the history's value.)
#include "rcon/console_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "rcon/rcon_texts.h"

namespace tarnwick {
namespace {

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

}  // namespace
}  // namespace tarnwick
