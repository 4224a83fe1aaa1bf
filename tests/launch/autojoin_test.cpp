// Autojoin's decision table.
#include "launch/autojoin.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(Autojoin, WhatAReplyWithAFreeSlotLeadsTo) {
  struct Case {
    bool armed;
    bool gameRunning;
    bool confirmJoin;
    bool questionOpen;
    AutojoinStep step;
  } cases[] = {
      {false, false, true, false, AutojoinStep::kNothing},
      {false, false, false, false, AutojoinStep::kNothing},
      {true, true, true, false, AutojoinStep::kNothing},  // the game runs: stays armed, no box
      {true, true, false, false, AutojoinStep::kNothing},
      {true, false, false, false, AutojoinStep::kJoin},
      {true, false, false, true, AutojoinStep::kJoin},  // no question is asked at all
      {true, false, true, false, AutojoinStep::kAsk},
      {true, false, true, true, AutojoinStep::kWait},  // no second box
  };
  for (const Case& c : cases) {
    const AutojoinSituation situation{c.armed, c.gameRunning, c.confirmJoin, c.questionOpen};
    EXPECT_EQ(DecideAutojoin(situation), c.step)
        << c.armed << c.gameRunning << c.confirmJoin << c.questionOpen;
  }
}

TEST(Autojoin, TheAnswerDecides) {
  struct Case {
    AutojoinAnswer answer;
    bool stillArmed;
    bool gameRunning;
    bool join;
    bool staysArmed;
  } cases[] = {
      {AutojoinAnswer::kYes, true, false, true, false},
      {AutojoinAnswer::kNo, true, false, false, true},
      {AutojoinAnswer::kCancel, true, false, false, false},
      // What changed while the box was open.
      {AutojoinAnswer::kYes, false, false, false, false},
      {AutojoinAnswer::kYes, true, true, false, false},
      {AutojoinAnswer::kNo, false, false, false, false},
      {AutojoinAnswer::kCancel, true, true, false, false},
  };
  for (const Case& c : cases) {
    const AutojoinOutcome outcome = OutcomeOf(c.answer, c.stillArmed, c.gameRunning);
    EXPECT_EQ(outcome.join, c.join) << static_cast<int>(c.answer) << c.stillArmed << c.gameRunning;
    EXPECT_EQ(outcome.staysArmed, c.staysArmed)
        << static_cast<int>(c.answer) << c.stillArmed << c.gameRunning;
  }
}

TEST(Autojoin, QuestionTitleNamesTheProcess) {
  EXPECT_EQ(AutojoinQuestionTitle("Tarnwick", 4242), "Tarnwick PID 4242");
  EXPECT_EQ(AutojoinQuestionTitle("Tarnwick", 0), "Tarnwick PID 0");
}

}  // namespace
}  // namespace tarnwick
