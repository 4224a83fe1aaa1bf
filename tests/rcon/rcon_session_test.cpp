// The rcon session's choices, as scripts of events with the texts each one sends.
#include "rcon/rcon_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

constexpr const char* kStale = "Bad rcon_password.\nBad challenge.\n";
constexpr const char* kWrongPassword = "Bad rcon_password.\n";

// One event of a script and what the session must answer to it.
struct Event {
  enum What { Submit, Challenge, Answer, Kind, Tick, Reset } what;
  uint32_t at = 0;
  std::string text;  // the command (sent with the password "pw") or the answer
  uint32_t number = 0;
  ServerKind kind = ServerKind::Unknown;
  std::vector<std::string> sent;
  bool shown = true;
  bool noChallenge = false;
};

Event Send(uint32_t at, std::string command, std::vector<std::string> sent) {
  return {Event::Submit, at, std::move(command), 0, ServerKind::Unknown, std::move(sent)};
}
Event Number(uint32_t at, uint32_t number, std::vector<std::string> sent) {
  return {Event::Challenge, at, "", number, ServerKind::Unknown, std::move(sent)};
}
Event Answer(uint32_t at, std::string text, std::vector<std::string> sent, bool shown = true) {
  return {Event::Answer, at, std::move(text), 0, ServerKind::Unknown, std::move(sent), shown};
}
Event Kind(uint32_t at, ServerKind kind, std::vector<std::string> sent = {}) {
  return {Event::Kind, at, "", 0, kind, std::move(sent)};
}
Event Tick(uint32_t at, std::vector<std::string> sent, bool noChallenge = false) {
  return {Event::Tick, at, "", 0, ServerKind::Unknown, std::move(sent), true, noChallenge};
}
Event Reset() { return {Event::Reset}; }

const std::vector<std::string> kAsk = {"challenge rcon"};
const std::vector<std::string> kNothing = {};

struct Script {
  const char* what;
  std::vector<Event> events;
};

RconSteps Run(RconSession& session, const Event& event) {
  switch (event.what) {
    case Event::Submit: return session.Submit("pw", event.text, event.at);
    case Event::Challenge: return session.ChallengeReceived(event.number, event.at);
    case Event::Answer: return session.AnswerReceived(event.text, event.at);
    case Event::Kind: return session.SetServerKind(event.kind, event.at);
    case Event::Tick: return session.Tick(event.at);
    case Event::Reset: session.Reset(); return RconSteps();
  }
  return RconSteps();
}

void Play(const Script& script) {
  RconSession session;
  for (size_t i = 0; i < script.events.size(); ++i) {
    const Event& event = script.events[i];
    const RconSteps steps = Run(session, event);
    EXPECT_EQ(steps.send, event.sent) << script.what << ", event " << i;
    EXPECT_EQ(steps.showText, event.shown) << script.what << ", event " << i;
    EXPECT_EQ(steps.noChallenge, event.noChallenge) << script.what << ", event " << i;
    EXPECT_FALSE(steps.refused) << script.what << ", event " << i;
  }
}

TEST(RconSession, ScriptsOfEventsSendTheExpectedTexts) {
  const Script scripts[] = {
      // Commands wait only for a challenge, and then go out at once.
      {"a new connection asks first; the number serves every command after it",
       {Send(0, "status", kAsk), Send(1, "echo hi", kNothing),
        Number(10, 77, {"rcon 77 pw status", "rcon 77 pw echo hi"}),
        Send(20, "users", {"rcon 77 pw users"}), Send(21, "map x", {"rcon 77 pw map x"})}},
      {"a server that answers only ping too",
       {Kind(0, ServerKind::TextSilent), Send(0, "status", kAsk),
        Number(5, 4294967295u, {"rcon 4294967295 pw status"})}},
      {"a number that comes unasked is kept; a later one replaces it",
       {Number(0, 12, kNothing), Send(5, "a", {"rcon 12 pw a"}), Number(6, 13, kNothing),
        Send(7, "b", {"rcon 13 pw b"})}},
      // Only a server that answered the old text queries gets the challenge-less form.
      {"known before the commands: at once, without waiting for answers",
       {Kind(0, ServerKind::Old), Send(0, "a", {"rcon pw a"}), Send(1, "b", {"rcon pw b"})}},
      {"learnt while the challenge is awaited: the waiting commands go at once",
       {Send(0, "a", kAsk), Send(1, "b", kNothing), Kind(40, ServerKind::Old,
                                                         {"rcon pw a", "rcon pw b"}),
        Tick(6040, kNothing)}},
      {"with a number known, the challenge form",
       {Kind(0, ServerKind::Old), Number(1, 9, kNothing), Send(2, "a", {"rcon 9 pw a"})}},
      {"once it refused a command for its challenge, never again",
       {Kind(0, ServerKind::Old), Send(0, "a", {"rcon pw a"}), Answer(1, kStale, kAsk, false),
        Number(2, 4, {"rcon 4 pw a"}), Answer(3, kStale, kNothing), Send(4, "b", kAsk)}},
      // Without a challenge nothing is sent: two requests, then the waiting commands are dropped
      // and the console says so. (Any kind but Old takes this path: that no other kind gets the
      // challenge-less form is the rcon fuzzer's invariant.)
      {"no challenge",
       {Send(0, "a", kAsk), Send(1, "b", kNothing), Tick(2999, kNothing), Tick(3000, kAsk),
        Tick(5999, kNothing), Tick(6000, kNothing, true), Tick(20000, kNothing),
        Send(21000, "c", kAsk)}},
      {"across the wrap of the tick counter",
       {Send(0xFFFFF000u, "a", kAsk), Tick(0xFFFFF000u + 2999, kNothing),
        Tick(0xFFFFF000u + 3000, kAsk), Tick(0xFFFFF000u + 6000, kNothing, true)}},
      // A command refused for its challenge goes once more with a new one.
      {"refreshed, repeated, answered",
       {Send(0, "status", kAsk), Number(1, 5, {"rcon 5 pw status"}),
        Answer(2, kStale, kAsk, false), Number(3, 6, {"rcon 6 pw status"}),
        Answer(4, "hostname: x\n", kNothing), Send(5, "echo", {"rcon 6 pw echo"})}},
      {"refused again: shown, not repeated a second time, the number forgotten",
       {Send(0, "status", kAsk), Number(1, 5, {"rcon 5 pw status"}),
        Answer(2, kStale, kAsk, false), Number(3, 6, {"rcon 6 pw status"}),
        Answer(4, kStale, kNothing, true), Send(5, "echo", kAsk)}},
      {"a refusal taken by a repeated command leaves the next one to another",
       {Number(0, 5, kNothing), Send(1, "z", {"rcon 5 pw z"}), Number(2, 6, kNothing),
        Send(3, "y", {"rcon 6 pw y"}), Answer(4, kStale, {"rcon 6 pw z"}, false),
        Answer(5, kStale, kNothing), Answer(6, kStale, kAsk, false),
        Number(7, 7, {"rcon 7 pw y"})}},
      {"two refused: both go again, in their order",
       {Number(0, 5, kNothing), Send(1, "a", {"rcon 5 pw a"}), Send(2, "b", {"rcon 5 pw b"}),
        Answer(3, kStale, kAsk, false), Answer(4, kStale, kNothing, false),
        Number(5, 6, {"rcon 6 pw a", "rcon 6 pw b"})}},
      {"one that was answered before the number went stale is not sent again",
       {Number(0, 5, kNothing), Send(1, "a", {"rcon 5 pw a"}), Answer(2, "A\n", kNothing),
        Send(3, "b", {"rcon 5 pw b"}), Answer(4, kStale, kAsk, false),
        Number(5, 6, {"rcon 6 pw b"})}},
      {"one sent long ago is not sent again: the refusal is shown",
       {Number(0, 5, kNothing), Send(1, "a", {"rcon 5 pw a"}), Answer(5001, kStale, kNothing),
        Send(5002, "b", kAsk)}},
      {"one sent with an earlier number goes again with the current one at once",
       {Send(0, "a", kAsk), Number(1, 5, {"rcon 5 pw a"}), Number(2, 6, kNothing),
        Send(3, "b", {"rcon 6 pw b"}), Answer(4, kStale, {"rcon 6 pw a"}, false),
        Send(5, "c", {"rcon 6 pw c"})}},
      {"a wrong password is shown and never repeated; the number stays",
       {Number(0, 5, kNothing), Send(1, "a", {"rcon 5 pw a"}),
        Answer(2, kWrongPassword, kNothing), Tick(100000, kNothing),
        Send(100001, "b", {"rcon 5 pw b"})}},
      {"Reset forgets the number, the kind, the waiting commands and the demand for challenges",
       {Kind(0, ServerKind::Old), Number(0, 5, kNothing), Send(1, "a", {"rcon 5 pw a"}), Reset(),
        Send(2, "b", kAsk), Send(3, "c", kNothing), Reset(), Tick(100000, kNothing),
        Number(100001, 6, kNothing), Answer(100002, kStale, kNothing), Reset(),
        Kind(100003, ServerKind::Old), Send(100003, "d", {"rcon pw d"})}},
  };
  for (const Script& script : scripts) Play(script);
}

// (At most kMaxWaitingCommands wait, and only a full queue refuses: the rcon fuzzer's invariants.)
TEST(RconSession, TheChallengesTimeLimitWakesIt) {
  RconSession session;
  EXPECT_EQ(session.WakeIn(0), std::nullopt) << "nothing waits";
  session.Submit("pw", "status", 100);
  EXPECT_EQ(session.WakeIn(2100), kChallengeWaitMs - 2000);
  EXPECT_EQ(session.WakeIn(9000), 0u) << "overdue";
  session.ChallengeReceived(7, 200);
  EXPECT_EQ(session.WakeIn(200), std::nullopt);
}

TEST(RconSession, RecognisesTheRefusalOfAChallenge) {
  for (const char* refusal : {kStale, "Bad rcon_password.\r\nBad challenge.\r\n",
                              "Bad rcon_password.\nBad challenge.", "Bad challenge.\n",
                              "Bad challenge.\nBad rcon_password.\n"}) {
    EXPECT_TRUE(IsBadChallengeAnswer(refusal)) << refusal;
  }
  for (const char* other : {kWrongPassword, "", "Bad rcon_password.\nBad challenge.\nhostname: x\n",
                            "echo: Bad challenge.\n", "Bad challenge.\n\nBad rcon_password.\n",
                            "Bad challenge.\nBad challenge.\n"}) {
    EXPECT_FALSE(IsBadChallengeAnswer(other)) << other;
  }
}

}  // namespace
}  // namespace tarnwick
