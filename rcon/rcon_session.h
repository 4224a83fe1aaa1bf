// RconSession decides, for one connection, what the remote console sends for each of its commands
// and when. It owns no socket and no timer: the console hands it the commands, the server's rcon
// challenges and print replies, the server's kind and the time (milliseconds of a tick counter
// that may wrap), and sends the texts it returns; WakeIn says when Tick is due next.
//
// Forms. Today's servers want "challenge rcon" first and then "rcon <number> <password>
// <command>"; they count every attempt without a good challenge as a wrong password, and some ban
// the address after a few. Servers of 2001 know only "rcon <password> <command>". So:
// - With a challenge known, every command goes out at once in the challenge form, and the same
//   number serves every command after it.
// - Without one, the challenge-less form goes out at once only to a server that answered a text
//   query of 2001 (ServerKind::Old) and has never refused a command for its challenge.
// - Any other server (kind unknown, answered only "ping" or the binary queries) is asked for a
//   challenge first; the commands wait, in order, until the number comes and then all go out. Up to
//   kChallengeRequests requests, each waited for kChallengeWaitMs; if none is answered the waiting
//   commands are dropped (RconSteps::noChallenge). There is no fallback to the challenge-less form:
//   on today's servers each such attempt counts as a failure.
// - At most kMaxWaitingCommands commands wait; a command beyond that is refused
//   (RconSteps::refused) and nothing is sent for it.
//
// Refusals. "Bad rcon_password.\nBad challenge.\n" means the command did not run because its
// challenge (or its lack of one) was not taken. The session forgets the number and asks for a new
// one; the refused command goes out once more with it. Print replies carry no id, so which command
// a refusal answers is inferred: a server refuses every command sent with a number from the moment
// the number went stale, and answers in order, so the refusals belong to the newest commands sent
// with a number no longer current. Only commands sent within kResendWindowMs are looked at, so a
// command answered long ago is never sent again. A command refused a second time is not repeated,
// and that refusal is shown. "Bad rcon_password.\n" alone means the password is wrong: shown, never
// repeated.
//
// Reset at every connect and disconnect: a new connection knows no challenge and no kind.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_RCON_RCON_SESSION_H
#define TARNWICK_RCON_RCON_SESSION_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/query_session.h"

namespace tarnwick {

// How long one "challenge rcon" is waited for, and how often it is asked before giving up.
inline constexpr uint32_t kChallengeWaitMs = 3000;
inline constexpr int kChallengeRequests = 2;
// How long after it went out a command may still be refused for its challenge and sent again.
inline constexpr uint32_t kResendWindowMs = 5000;
// The most commands that wait for a challenge, and the most remembered for a repeat.
inline constexpr size_t kMaxWaitingCommands = 64;

// What the console does after a call: send these texts in order (each as one datagram), show the
// print reply it passed in (AnswerReceived only), say that waiting commands were dropped because
// the server gave no challenge, and say that the submitted command was refused (too many wait).
struct RconSteps {
  std::vector<std::string> send;
  bool showText = true;
  bool noChallenge = false;
  bool refused = false;
};

// True for "Bad rcon_password.\n" alone (any line end): the password was wrong.
bool IsBadPasswordAnswer(std::string_view text);

// True for the server's refusal of a challenge: "Bad rcon_password.\nBad challenge.\n", or the
// second line alone; the lines in any order, ended by LF or CR LF, the last line end optional.
// Any other line makes it some command's own output.
bool IsBadChallengeAnswer(std::string_view text);

class RconSession {
 public:
  // Forgets everything: the waiting and recently sent commands, the challenge and the kind.
  void Reset() { *this = RconSession(); }

  // A console command: `command` with the password it is sent with.
  RconSteps Submit(std::string password, std::string command, uint32_t now);
  // The server answered "challenge rcon" with `challenge`.
  RconSteps ChallengeReceived(uint32_t challenge, uint32_t now);
  // A print reply that is not a server log line (its text after the type letter).
  RconSteps AnswerReceived(std::string_view text, uint32_t now);
  // What the connection has learnt about the server so far (it may change with every reply).
  RconSteps SetServerKind(ServerKind kind, uint32_t now);
  // The challenge's time limit; harmless when called early or when nothing waits.
  RconSteps Tick(uint32_t now);
  // Milliseconds from `now` until Tick is due; nothing while no challenge is awaited.
  std::optional<uint32_t> WakeIn(uint32_t now) const;

  std::optional<uint32_t> Challenge() const { return challenge_; }
  // The password of the newest command sent, once the server has answered with output of its
  // own rather than a refusal; nothing before that and after a refused password. Answers carry
  // no id: a password counts as working when the answer after it was not a refusal.
  const std::optional<std::string>& AnsweredPassword() const { return answeredPassword_; }
  size_t Waiting() const { return waiting_.size(); }

 private:
  struct Command {
    std::string password;
    std::string command;
    uint64_t order = 0;  // submission order, kept when a refused command waits again
    bool repeated = false;
  };
  // A command that went out, with the number it went with (none: the challenge-less form).
  struct Sent {
    Command command;
    std::optional<uint32_t> challenge;
    uint32_t at = 0;
    bool refused = false;
  };

  bool ClassicAllowed() const { return kind_ == ServerKind::Old && !wantsChallenge_; }
  bool Dispatch(Command command, uint32_t now, RconSteps& steps);
  void SendNow(Command command, uint32_t now, RconSteps& steps);
  void SendWaiting(uint32_t now, RconSteps& steps);
  void AskForChallenge(uint32_t now, RconSteps& steps);
  Sent* RefusedCommand();
  void ForgetOldSends(uint32_t now);

  std::deque<Command> waiting_;  // for a challenge, in order
  std::deque<Sent> sent_;        // within kResendWindowMs, oldest first
  bool awaitingChallenge_ = false;
  uint32_t askedAt_ = 0;
  int challengeRequests_ = 0;  // "challenge rcon" sent for the waiting commands
  ServerKind kind_ = ServerKind::Unknown;
  std::optional<uint32_t> challenge_;
  uint64_t nextOrder_ = 0;
  bool wantsChallenge_ = false;  // the server refused a command for its challenge
  std::optional<std::string> lastSentPassword_;
  std::optional<std::string> answeredPassword_;
};

}  // namespace tarnwick

#endif
