// RconSession decides, for one connection, what the remote console sends for each of its commands
// and when. It owns no socket and no timer: the console hands it the commands, the server's rcon
// challenges and print replies, the server's kind and the time (milliseconds of a tick counter
// that may wrap), and sends the texts it returns; WakeIn says when Tick is due next.
//
// Forms. Today's servers want "challenge rcon" first and then "rcon <number> <password>
// <command>"; they count every refused attempt and ban an address after a few. Servers of 2001
// know only "rcon <password> <command>". So:
// - With a challenge known, every command goes out in the challenge form.
// - Without one, the session asks for one ("challenge rcon") and sends the command when it comes.
// - The challenge-less form goes to a server that has shown itself to be of the old kind (it
//   answered the text queries), at once; or, after kChallengeRequests requests that each went
//   unanswered for kChallengeWaitMs, to a server that has answered no challenge on this
//   connection and is not known to be of today's kind. Once a server has answered a challenge,
//   or has refused a command for its challenge, it never gets the challenge-less form again.
// - Any other server that gives no challenge gets nothing (it answered the binary queries, or
//   answered or demanded a challenge before): the waiting commands are dropped
//   (RconSteps::noChallenge) rather than risking refused attempts.
//
// Refusals. "Bad rcon_password.\nBad challenge.\n" means the challenge (or its absence) was not
// accepted and the command did not run: the session forgets the challenge, asks for a new one and
// sends the command once more; a second such refusal of the same command is shown and the command
// dropped. "Bad rcon_password.\n" alone means the password is wrong: shown, never repeated.
//
// Matching answers to commands. Print replies carry no id, so one command is in flight at a time
// and the others wait in order behind it. The first print reply that is not a server log line after
// the command went out is taken as its answer; a refusal is a single datagram and is recognised
// there. The next command goes out after that answer, or after kAnswerWaitMs without one (a
// command whose answer is lost is never repeated). Print replies that arrive while no command is
// in flight or while a challenge is awaited are only shown. The server answers in the order it
// receives, so the later datagrams of a long answer may be taken for the answer of the command
// behind it; that costs that command at most its repeat and never repeats one that ran: every
// command sent with a challenge the server no longer takes is refused too, and a new challenge
// arrives after the answers to everything sent before it was asked for.
//
// Reset at every connect and disconnect: a new connection knows no challenge and no kind.
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
// How long a command in flight holds back the commands behind it when no answer comes.
inline constexpr uint32_t kAnswerWaitMs = 5000;

// What the console does after a call: send these texts in order (each as one datagram), show the
// print reply it passed in (AnswerReceived only), and say that waiting commands were dropped
// because the server gave no challenge.
struct RconSteps {
  std::vector<std::string> send;
  bool showText = true;
  bool noChallenge = false;
};

// True for the server's refusal of a challenge: "Bad rcon_password.\nBad challenge.\n", or the
// second line alone; the lines in any order, ended by LF or CR LF, the last line end optional.
// Any other line makes it some command's own output.
bool IsBadChallengeAnswer(std::string_view text);

class RconSession {
 public:
  // Forgets everything: the commands waiting and in flight, the challenge and the server's kind.
  void Reset() { *this = RconSession(); }

  // A console command: `command` with the password it is sent with, queued behind the others.
  RconSteps Submit(std::string password, std::string command, uint32_t now);
  // The server answered "challenge rcon" with `challenge`.
  RconSteps ChallengeReceived(uint32_t challenge, uint32_t now);
  // A print reply that is not a server log line (its text after the type letter).
  RconSteps AnswerReceived(std::string_view text, uint32_t now);
  // What the connection has learnt about the server so far (it may change with every reply).
  RconSteps SetServerKind(ServerKind kind, uint32_t now);
  // The time limits; harmless when called early or when nothing waits.
  RconSteps Tick(uint32_t now);
  // Milliseconds from `now` until Tick is due; nothing while no command waits.
  std::optional<uint32_t> WakeIn(uint32_t now) const;

  std::optional<uint32_t> Challenge() const { return challenge_; }
  size_t Waiting() const { return queue_.size(); }

 private:
  enum class Phase : uint8_t { Idle, AwaitingChallenge, AwaitingAnswer };

  struct Command {
    std::string password;
    std::string command;
    bool repeated = false;
  };

  // The challenge-less form is still possible: no challenge was ever answered or demanded.
  bool ClassicAllowed() const { return !challengeAnswered_ && !wantsChallenge_; }
  bool ClassicAtOnce() const;
  void StartNext(uint32_t now, RconSteps& steps);
  void AskForChallenge(uint32_t now, RconSteps& steps);
  void SendChallenged(uint32_t now, RconSteps& steps);
  void SendClassic(uint32_t now, RconSteps& steps);
  void Settle(uint32_t now, RconSteps& steps);

  std::deque<Command> queue_;  // the front is the command in flight unless the phase is Idle
  Phase phase_ = Phase::Idle;
  uint32_t phaseStart_ = 0;
  int challengeRequests_ = 0;  // "challenge rcon" sent for the front command
  ServerKind kind_ = ServerKind::Unknown;
  std::optional<uint32_t> challenge_;
  bool challengeAnswered_ = false;  // the server answered "challenge rcon" on this connection
  bool wantsChallenge_ = false;     // the server refused a command for its challenge
  bool fellBack_ = false;           // the server gave no challenge: challenge-less from now on
};

}  // namespace tarnwick

#endif
