// When the console's controls are enabled, which commands join the history, and how the
// controls follow the window's size.
#include "rcon/console_rules.h"

#include <gtest/gtest.h>

#include "rcon/console_layout.h"
#include "resources/resource.h"

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
      {"not connected", {false, false, false, kPublic}, {false, false, false, false}},
      {"not connected, private server",
       {false, false, true, kPrivate},
       {false, false, false, false}},
      {"no password", {true, true, false, kPublic}, {true, false, false, false}},
      {"no password, private server", {true, true, true, kPrivate}, {true, false, false, false}},
      {"public address, public server", {true, false, false, kPublic}, {true, true, true, true}},
      {"public address, private server", {true, false, true, kPublic}, {true, true, true, true}},
      {"private address, private server", {true, false, true, kPrivate}, {true, true, true, true}},
      {"private address, public server", {true, false, false, kPrivate}, {true, false, true, true}},
      {"loopback address, public server",
       {true, false, false, kLoopback},
       {true, true, true, true}},
      {"no address, private server", {true, false, true, std::nullopt}, {true, false, true, true}},
      {"no address, public server", {true, false, false, std::nullopt}, {true, false, true, true}},
  };
  for (const Case& c : cases) {
    const ConsoleControlStates states = ConsoleEnableRules(c.facts);
    EXPECT_EQ(states.passwordBox, c.states.passwordBox) << c.what;
    EXPECT_EQ(states.logSwitch, c.states.logSwitch) << c.what;
    EXPECT_EQ(states.commandBox, c.states.commandBox) << c.what;
    EXPECT_EQ(states.send, c.states.send) << c.what;
  }
}

TEST(ConsoleRules, HistoryTakesNewNonEmptyCommands) {
  struct Case {
    const char* command;
    int found;
    bool add;
  } cases[] = {
      {"status", -1, true},
      {"status", 0, false},
      {"Status", 3, false},
      {"", -1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ShouldAddToHistory(c.command, c.found), c.add) << c.command;
}

TEST(ConsoleLayout, ControlsFollowTheirEdges) {
  const ControlBox box{10, 20, 110, 40};
  struct Case {
    Follow follow;
    int dx;
    int dy;
    ControlBox moved;
  } cases[] = {
      {Follow::kGrowRight, 30, 50, {10, 20, 140, 40}},
      {Follow::kMoveRight, 30, 50, {40, 20, 140, 40}},
      {Follow::kGrowRightDown, 30, 50, {10, 20, 140, 90}},
      {Follow::kMoveRightDown, 30, 50, {40, 70, 140, 90}},
      {Follow::kMoveHalfRightDown, 31, 50, {25, 70, 125, 90}},
      {Follow::kGrowRight, 0, 0, box},
  };
  for (const Case& c : cases) EXPECT_EQ(FollowResize(box, c.follow, c.dx, c.dy), c.moved);

  int listed = 0;
  for (const ControlRule& rule : ConsoleLayout()) {
    listed += rule.id == IDC_RCON_OUTPUT && rule.follow == Follow::kGrowRightDown;
    listed += rule.id == 2 && rule.follow == Follow::kMoveHalfRightDown;
    listed += rule.id == 1 && rule.follow == Follow::kMoveRight;
  }
  EXPECT_EQ(listed, 3);
  EXPECT_EQ(ConsoleLayout().size(), 9u);
}

}  // namespace
}  // namespace tarnwick
