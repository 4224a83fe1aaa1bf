// Autojoin's decision table.
#include "launch/autojoin.h"

#include "common/ansi_text.h"

namespace tarnwick {

AutojoinStep DecideAutojoin(const AutojoinSituation& situation) {
  if (!situation.armed || situation.gameRunning) return AutojoinStep::kNothing;
  if (!situation.confirmJoin) return AutojoinStep::kJoin;
  return situation.questionOpen ? AutojoinStep::kWait : AutojoinStep::kAsk;
}

AutojoinOutcome OutcomeOf(AutojoinAnswer answer, bool stillArmed, bool gameRunning) {
  switch (answer) {
    case AutojoinAnswer::kYes: return {stillArmed && !gameRunning, false};
    case AutojoinAnswer::kCancel: return {false, false};
    case AutojoinAnswer::kNo: break;
  }
  return {false, stillArmed};
}

std::string AutojoinQuestionTitle(const std::string& programName, uint32_t processId) {
  return Format("%s PID %d", programName.c_str(), static_cast<int>(processId));
}

}  // namespace tarnwick
