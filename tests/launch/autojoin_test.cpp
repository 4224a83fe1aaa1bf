// Autojoin's decision table. (A full server, a free slot without and with the question, a reply
// while it is open, a running game, and Yes, No, Cancel and a disconnect while asking are driven
// on a real window in autojoin_win_test.cpp; here the rest of the table.)
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
      {true, true, false, false, kNothing},  // the game runs: stays armed
      {true, false, false, true, kJoin},     // no question is asked at all
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
      // What changed while the box was open.
      {kYes, true, true, false, false}, {kNo, false, false, false, false},
      {kCancel, true, true, false, false},
  };
  for (const Case& c : cases) {
    const AutojoinOutcome outcome = OutcomeOf(c.answer, c.stillArmed, c.gameRunning);
    EXPECT_EQ(std::pair(outcome.join, outcome.staysArmed), std::pair(c.join, c.staysArmed))
        << static_cast<int>(c.answer) << c.stillArmed << c.gameRunning;
  }
}

}  // namespace
}  // namespace tarnwick
