// Autojoin's decision table.
#include "launch/autojoin.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(Autojoin, WhatAReplyWithAFreeSlotLeadsTo) {
  using enum AutojoinStep;
  struct Case {
    bool armed;
    bool gameRunning;
    bool confirmJoin;
    bool questionOpen;
    AutojoinStep step;
  } cases[] = {
      {false, false, true, false, kNothing}, {false, false, false, false, kNothing},
      {true, true, true, false, kNothing},  // the game runs: stays armed, no box
      {true, true, false, false, kNothing},  {true, false, false, false, kJoin},
      {true, false, false, true, kJoin},  // no question is asked at all
      {true, false, true, false, kAsk},      {true, false, true, true, kWait},  // no second box
  };
  for (const Case& c : cases) {
    const AutojoinSituation situation{c.armed, c.gameRunning, c.confirmJoin, c.questionOpen};
    EXPECT_EQ(DecideAutojoin(situation), c.step)
        << c.armed << c.gameRunning << c.confirmJoin << c.questionOpen;
  }
}

TEST(Autojoin, TheAnswerDecides) {
  using enum AutojoinAnswer;
  struct Case {
    AutojoinAnswer answer;
    bool stillArmed;
    bool gameRunning;
    bool join;
    bool staysArmed;
  } cases[] = {
      {kYes, true, false, true, false}, {kNo, true, false, false, true},
      {kCancel, true, false, false, false},
      // What changed while the box was open.
      {kYes, false, false, false, false}, {kYes, true, true, false, false},
      {kNo, false, false, false, false},  {kCancel, true, true, false, false},
  };
  for (const Case& c : cases) {
    const AutojoinOutcome outcome = OutcomeOf(c.answer, c.stillArmed, c.gameRunning);
    EXPECT_EQ(std::pair(outcome.join, outcome.staysArmed), std::pair(c.join, c.staysArmed))
        << static_cast<int>(c.answer) << c.stillArmed << c.gameRunning;
  }
}

}  // namespace
}  // namespace tarnwick
