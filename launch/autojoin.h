// Autojoin's decisions, apart from the boxes and processes that carry them out. An information
// reply that shows a free slot runs CheckAutojoin: while autojoin is armed and the game is not
// running it joins at once (no confirmation wanted) or asks with a Yes/No/Cancel box; the answer
// decides whether the game starts and whether autojoin stays armed.
#ifndef TARNWICK_LAUNCH_AUTOJOIN_H
#define TARNWICK_LAUNCH_AUTOJOIN_H

#include <cstdint>
#include <string>

namespace tarnwick {

// What a reply with a free slot leads to.
enum class AutojoinStep {
  kNothing,  // not armed, or the game runs: autojoin stays as it is
  kJoin,     // no confirmation wanted: join and disarm
  kAsk,      // show the question box
  kWait,     // the question box is already open (for this window or another of the process): it
             // decides, and no second box opens
};

struct AutojoinSituation {
  bool armed = false;
  bool gameRunning = false;
  bool confirmJoin = true;
  bool questionOpen = false;  // a window titled AutojoinQuestionTitle exists
};

AutojoinStep DecideAutojoin(const AutojoinSituation& situation);

// The answers of the question box (the platform's IDYES, IDNO, IDCANCEL); any other value (a box
// that could not be shown) counts as No: nothing happens and the next free slot asks again.
enum class AutojoinAnswer { kYes, kNo, kCancel };

struct AutojoinOutcome {
  bool join = false;
  bool staysArmed = false;
};

// Yes: join, disarm. No: nothing, stay armed. Cancel: nothing, disarm. The box runs a message
// loop, so the answer is weighed against what holds when it closes: a Yes joins only while
// autojoin is still armed (a disconnect or the Auto join command may have disarmed it meanwhile)
// and the game is not running yet.
AutojoinOutcome OutcomeOf(AutojoinAnswer answer, bool stillArmed = true, bool gameRunning = false);

// "%s PID %d": the question box's title, by which an open box is found again.
std::string AutojoinQuestionTitle(const std::string& programName, uint32_t processId);

}  // namespace tarnwick

#endif
