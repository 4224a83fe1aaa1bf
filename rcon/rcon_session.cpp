#include "rcon/rcon_session.h"

#include <utility>

#include "rcon/rcon_texts.h"

namespace tarnwick {
namespace {

constexpr std::string_view kBadPasswordLine = "Bad rcon_password.";
constexpr std::string_view kBadChallengeLine = "Bad challenge.";

}  // namespace

bool IsBadChallengeAnswer(std::string_view text) {
  bool password = false;
  bool challenge = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == kBadPasswordLine && !password) {
      password = true;
    } else if (line == kBadChallengeLine && !challenge) {
      challenge = true;
    } else if (!line.empty() || !text.empty()) {
      return false;  // any other text, or an empty line inside, is some command's own output
    }
  }
  return challenge;
}

bool RconSession::ClassicAtOnce() const {
  return ClassicAllowed() && (kind_ == ServerKind::Old || fellBack_);
}

RconSteps RconSession::Submit(std::string password, std::string command, uint32_t now) {
  RconSteps steps;
  queue_.push_back(Command{std::move(password), std::move(command), false});
  StartNext(now, steps);
  return steps;
}

RconSteps RconSession::ChallengeReceived(uint32_t challenge, uint32_t now) {
  RconSteps steps;
  challenge_ = challenge;
  challengeAnswered_ = true;
  // A late number, after the command went out without one, serves the commands behind it.
  if (phase_ == Phase::AwaitingChallenge) SendChallenged(now, steps);
  return steps;
}

RconSteps RconSession::AnswerReceived(std::string_view text, uint32_t now) {
  RconSteps steps;
  const bool badChallenge = IsBadChallengeAnswer(text);
  // Whatever command it answers, the server has shown that it wants challenges.
  if (badChallenge) wantsChallenge_ = true;
  if (phase_ != Phase::AwaitingAnswer) return steps;
  if (badChallenge) {
    // The command did not run, and the challenge it went with is no longer taken.
    challenge_.reset();
    Command& current = queue_.front();
    if (!current.repeated) {
      current.repeated = true;
      challengeRequests_ = 0;
      steps.showText = false;
      AskForChallenge(now, steps);
      return steps;
    }
  }
  // Anything else, a wrong password above all, ends the command: it is never sent again.
  Settle(now, steps);
  return steps;
}

RconSteps RconSession::SetServerKind(ServerKind kind, uint32_t now) {
  RconSteps steps;
  kind_ = kind;
  if (phase_ == Phase::AwaitingChallenge && ClassicAtOnce()) SendClassic(now, steps);
  return steps;
}

RconSteps RconSession::Tick(uint32_t now) {
  RconSteps steps;
  const uint32_t elapsed = now - phaseStart_;
  switch (phase_) {
    case Phase::Idle:
      break;
    case Phase::AwaitingChallenge:
      if (elapsed < kChallengeWaitMs) break;
      if (challengeRequests_ < kChallengeRequests) {
        AskForChallenge(now, steps);
      } else if (ClassicAllowed() && kind_ != ServerKind::Modern) {
        fellBack_ = true;
        SendClassic(now, steps);
      } else {
        queue_.clear();
        phase_ = Phase::Idle;
        steps.noChallenge = true;
      }
      break;
    case Phase::AwaitingAnswer:
      if (elapsed >= kAnswerWaitMs) Settle(now, steps);
      break;
  }
  return steps;
}

std::optional<uint32_t> RconSession::WakeIn(uint32_t now) const {
  const uint32_t elapsed = now - phaseStart_;
  const auto rest = [elapsed](uint32_t limit) { return elapsed < limit ? limit - elapsed : 0u; };
  switch (phase_) {
    case Phase::AwaitingChallenge: return rest(kChallengeWaitMs);
    case Phase::AwaitingAnswer: return rest(kAnswerWaitMs);
    case Phase::Idle: break;
  }
  return std::nullopt;
}

void RconSession::StartNext(uint32_t now, RconSteps& steps) {
  if (phase_ != Phase::Idle || queue_.empty()) return;
  challengeRequests_ = 0;
  if (challenge_) {
    SendChallenged(now, steps);
  } else if (ClassicAtOnce()) {
    SendClassic(now, steps);
  } else {
    AskForChallenge(now, steps);
  }
}

void RconSession::AskForChallenge(uint32_t now, RconSteps& steps) {
  steps.send.emplace_back(kRconChallengeRequest);
  ++challengeRequests_;
  phase_ = Phase::AwaitingChallenge;
  phaseStart_ = now;
}

void RconSession::SendChallenged(uint32_t now, RconSteps& steps) {
  const Command& current = queue_.front();
  steps.send.push_back(RconChallengeCommandText(*challenge_, current.password, current.command));
  phase_ = Phase::AwaitingAnswer;
  phaseStart_ = now;
}

void RconSession::SendClassic(uint32_t now, RconSteps& steps) {
  const Command& current = queue_.front();
  steps.send.push_back(RconCommandText(current.password, current.command));
  phase_ = Phase::AwaitingAnswer;
  phaseStart_ = now;
}

void RconSession::Settle(uint32_t now, RconSteps& steps) {
  queue_.pop_front();
  phase_ = Phase::Idle;
  StartNext(now, steps);
}

}  // namespace tarnwick
