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
  }
}

TEST(RconSession, AsksForAChallengeFirstAndUsesTheChallengeForm) {
  const Script scripts[] = {
      {"a new connection asks first and keeps the number",
       {Send(0, "status", kAsk), Number(10, 77, {"rcon 77 pw status"}),
        Answer(20, "hostname: demo\n", kNothing), Send(30, "echo hi", {"rcon 77 pw echo hi"})}},
      {"a server of today's kind too",
       {Kind(0, ServerKind::Modern), Send(0, "status", kAsk),
        Number(5, 4294967295u, {"rcon 4294967295 pw status"})}},
      {"a server that answers only ping too",
       {Kind(0, ServerKind::TextSilent), Send(0, "status", kAsk),
        Number(5, 1, {"rcon 1 pw status"})}},
      {"a number that comes unasked is kept for the next command",
       {Number(0, 12, kNothing), Send(5, "status", {"rcon 12 pw status"})}},
      {"a later number replaces the earlier",
       {Send(0, "a", kAsk), Number(1, 5, {"rcon 5 pw a"}), Number(2, 6, kNothing),
        Answer(3, "A\n", kNothing), Send(4, "b", {"rcon 6 pw b"})}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, AServerOfTheOldKindGetsTheChallengeLessForm) {
  const Script scripts[] = {
      {"known before the command: at once, without asking",
       {Kind(0, ServerKind::Old), Send(0, "status", {"rcon pw status"}),
        Answer(10, "hostname: old\n", kNothing), Send(20, "echo hi", {"rcon pw echo hi"})}},
      {"learnt while the challenge is awaited: at once",
       {Send(0, "status", kAsk), Kind(40, ServerKind::Old, {"rcon pw status"}),
        Tick(3040, kNothing)}},
      {"learnt while nothing waits: nothing is sent", {Kind(0, ServerKind::Old, kNothing)}},
      {"an old server that answered a challenge gets the challenge form",
       {Kind(0, ServerKind::Old), Number(1, 9, kNothing), Send(2, "status", {"rcon 9 pw status"})}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, FallsBackOnlyWhenNoChallengeWasEverAnswered) {
  const Script scripts[] = {
      {"no answer to two requests: the challenge-less form, from then on at once",
       {Send(0, "status", kAsk), Tick(2999, kNothing), Tick(3000, kAsk), Tick(5999, kNothing),
        Tick(6000, {"rcon pw status"}), Answer(6010, "hostname: x\n", kNothing),
        Send(7000, "echo hi", {"rcon pw echo hi"})}},
      {"a server that answers only ping falls back too",
       {Kind(0, ServerKind::TextSilent), Send(0, "status", kAsk), Tick(3000, kAsk),
        Tick(6000, {"rcon pw status"})}},
      {"a server of today's kind never: the commands are dropped",
       {Kind(0, ServerKind::Modern), Send(0, "a", kAsk), Send(1, "b", kNothing), Tick(3000, kAsk),
        Tick(6000, kNothing, true), Tick(20000, kNothing), Send(21000, "c", kAsk)}},
      {"a server that answered a challenge before never",
       {Send(0, "a", kAsk), Number(5, 3, {"rcon 3 pw a"}), Answer(6, kStale, kAsk, false),
        Tick(3006, kAsk), Tick(6006, kNothing, true), Send(7000, "b", kAsk)}},
      {"a refusal for the challenge, even one no command waits for, rules it out",
       {Answer(0, kStale, kNothing), Kind(1, ServerKind::Old), Send(2, "a", kAsk),
        Tick(3002, kAsk), Tick(6002, kNothing, true)}},
      {"a number after the fallback serves the next commands",
       {Send(0, "a", kAsk), Tick(3000, kAsk), Tick(6000, {"rcon pw a"}),
        Number(6100, 8, kNothing), Answer(6200, "A\n", kNothing), Send(6300, "b", {"rcon 8 pw b"})}},
      {"the time limits count across the wrap of the tick counter",
       {Send(0xFFFFF000u, "a", kAsk), Tick(0xFFFFF000u + 2999, kNothing),
        Tick(0xFFFFF000u + 3000, kAsk), Tick(0xFFFFF000u + 6000, {"rcon pw a"})}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, AStaleChallengeIsRefreshedOnceAndTheCommandRepeatedOnce) {
  const Script scripts[] = {
      {"refreshed, repeated, answered",
       {Send(0, "status", kAsk), Number(1, 5, {"rcon 5 pw status"}),
        Answer(2, kStale, kAsk, false), Number(3, 6, {"rcon 6 pw status"}),
        Answer(4, "hostname: x\n", kNothing), Send(5, "echo", {"rcon 6 pw echo"})}},
      {"refused again: shown, not repeated a second time, the number forgotten",
       {Send(0, "status", kAsk), Number(1, 5, {"rcon 5 pw status"}),
        Answer(2, kStale, kAsk, false), Number(3, 6, {"rcon 6 pw status"}),
        Answer(4, kStale, kNothing, true), Tick(100000, kNothing), Send(100001, "echo", kAsk)}},
      {"each command has its own repeat",
       {Send(0, "a", kAsk), Send(0, "b", kNothing), Number(1, 5, {"rcon 5 pw a"}),
        Answer(2, kStale, kAsk, false), Number(3, 6, {"rcon 6 pw a"}),
        Answer(4, "A\n", {"rcon 6 pw b"}), Answer(5, kStale, kAsk, false),
        Number(6, 7, {"rcon 7 pw b"})}},
      {"a challenge-less command refused for its challenge goes again in the challenge form",
       {Kind(0, ServerKind::Old), Send(0, "a", {"rcon pw a"}), Answer(1, kStale, kAsk, false),
        Number(2, 4, {"rcon 4 pw a"}), Answer(3, kStale, kNothing), Send(4, "b", kAsk)}},
      {"with CR LF and the lines swapped",
       {Send(0, "a", kAsk), Number(1, 5, {"rcon 5 pw a"}),
        Answer(2, "Bad challenge.\r\nBad rcon_password.\r\n", kAsk, false)}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, AWrongPasswordIsNeverRepeated) {
  const Script scripts[] = {
      {"challenge form: shown, the number kept, the next command goes",
       {Send(0, "a", kAsk), Send(0, "b", kNothing), Number(1, 5, {"rcon 5 pw a"}),
        Answer(2, kWrongPassword, {"rcon 5 pw b"}), Answer(3, kWrongPassword, kNothing),
        Tick(100000, kNothing)}},
      {"challenge-less form",
       {Kind(0, ServerKind::Old), Send(0, "a", {"rcon pw a"}),
        Answer(1, kWrongPassword, kNothing), Tick(100000, kNothing)}},
      {"after a repeat",
       {Send(0, "a", kAsk), Number(1, 5, {"rcon 5 pw a"}), Answer(2, kStale, kAsk, false),
        Number(3, 6, {"rcon 6 pw a"}), Answer(4, kWrongPassword, kNothing),
        Tick(100000, kNothing)}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, OneCommandIsInFlightAtATime) {
  const Script scripts[] = {
      {"the others wait in order for each answer",
       {Kind(0, ServerKind::Old), Send(0, "a", {"rcon pw a"}), Send(1, "b", kNothing),
        Send(2, "c", kNothing), Answer(3, "A\n", {"rcon pw b"}), Answer(4, "", {"rcon pw c"}),
        Answer(5, "C\n", kNothing), Answer(6, "late\n", kNothing)}},
      {"an unanswered command holds the next one for the answer limit, and is not repeated",
       {Kind(0, ServerKind::Old), Send(0, "a", {"rcon pw a"}), Send(10, "b", kNothing),
        Tick(4999, kNothing), Tick(5000, {"rcon pw b"}), Tick(10000, kNothing)}},
      {"print replies while a challenge is awaited are only shown",
       {Send(0, "a", kAsk), Answer(1, "hello\n", kNothing), Answer(2, kStale, kNothing),
        Number(3, 5, {"rcon 5 pw a"})}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, ResetForgetsTheServer) {
  const Script scripts[] = {
      {"the number, the kind and the waiting commands",
       {Kind(0, ServerKind::Old), Number(0, 5, kNothing), Send(1, "a", {"rcon 5 pw a"}),
        Send(2, "b", kNothing), Reset(), Tick(100000, kNothing), Answer(100001, "A\n", kNothing),
        Send(100002, "c", kAsk)}},
      {"the demand for challenges and the fallback",
       {Send(0, "a", kAsk), Tick(3000, kAsk), Tick(6000, {"rcon pw a"}),
        Answer(6001, kStale, kAsk, false), Reset(), Kind(7000, ServerKind::Old),
        Send(7000, "b", {"rcon pw b"}), Reset(), Send(8000, "c", kAsk)}},
  };
  for (const Script& script : scripts) Play(script);
}

TEST(RconSession, WakesForTheNextTimeLimit) {
  RconSession session;
  EXPECT_EQ(session.WakeIn(0), std::nullopt) << "nothing waits";
  session.Submit("pw", "a", 100);
  EXPECT_EQ(session.WakeIn(100), kChallengeWaitMs);
  EXPECT_EQ(session.WakeIn(2100), kChallengeWaitMs - 2000);
  EXPECT_EQ(session.WakeIn(9000), 0u) << "overdue";
  session.ChallengeReceived(5, 200);
  EXPECT_EQ(session.WakeIn(200), kAnswerWaitMs);
  session.AnswerReceived("done\n", 300);
  EXPECT_EQ(session.WakeIn(300), std::nullopt);
}

TEST(RconSession, RecognisesTheRefusalOfAChallenge) {
  struct Case {
    const char* text;
    bool badChallenge;
  } cases[] = {
      {"Bad rcon_password.\nBad challenge.\n", true},
      {"Bad rcon_password.\r\nBad challenge.\r\n", true},
      {"Bad rcon_password.\nBad challenge.", true},
      {"Bad challenge.\nBad rcon_password.\n", true},
      {"Bad challenge.\n", true},
      {"Bad rcon_password.\n", false},
      {"", false},
      {"Bad rcon_password.\nBad challenge.\nhostname: x\n", false},
      {"echo: Bad challenge.\n", false},
      {"Bad challenge.\n\nBad rcon_password.\n", false},
      {"Bad challenge.\nBad challenge.\n", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsBadChallengeAnswer(c.text), c.badChallenge) << c.text;
}

}  // namespace
}  // namespace tarnwick
