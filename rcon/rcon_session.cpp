#include "rcon/rcon_session.h"

#include <algorithm>
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

bool IsBadPasswordAnswer(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text == kBadPasswordLine;
}

RconSteps RconSession::Submit(std::string password, std::string command, uint32_t now) {
  RconSteps steps;
  ForgetOldSends(now);
  Command submitted{std::move(password), std::move(command), nextOrder_++, false};
  if (!Dispatch(std::move(submitted), now, steps)) steps.refused = true;
  return steps;
}

RconSteps RconSession::ChallengeReceived(uint32_t challenge, uint32_t now) {
  RconSteps steps;
  ForgetOldSends(now);
  challenge_ = challenge;
  if (awaitingChallenge_) SendWaiting(now, steps);
  return steps;
}

RconSteps RconSession::AnswerReceived(std::string_view text, uint32_t now) {
  RconSteps steps;
  if (IsBadPasswordAnswer(text)) answeredPassword_.reset();
  if (!IsBadChallengeAnswer(text)) {
    if (!IsBadPasswordAnswer(text) && lastSentPassword_) answeredPassword_ = lastSentPassword_;
    return steps;  // output, or a wrong password: shown, that is all
  }
  ForgetOldSends(now);
  wantsChallenge_ = true;
  Sent* refused = RefusedCommand();
  // The number the refused command went with is no longer taken; one sent with an earlier number
  // says nothing about the current one.
  if (refused == nullptr || refused->challenge == challenge_) challenge_.reset();
  if (refused == nullptr) return steps;
  refused->refused = true;
  if (refused->command.repeated) return steps;
  Command again = refused->command;
  again.repeated = true;
  if (Dispatch(std::move(again), now, steps)) steps.showText = false;
  return steps;
}

RconSteps RconSession::SetServerKind(ServerKind kind, uint32_t now) {
  RconSteps steps;
  kind_ = kind;
  if (awaitingChallenge_ && ClassicAllowed()) SendWaiting(now, steps);
  return steps;
}

RconSteps RconSession::Tick(uint32_t now) {
  RconSteps steps;
  if (!awaitingChallenge_ || now - askedAt_ < kChallengeWaitMs) return steps;
  if (challengeRequests_ < kChallengeRequests) {
    AskForChallenge(now, steps);
  } else {
    waiting_.clear();
    awaitingChallenge_ = false;
    steps.noChallenge = true;
  }
  return steps;
}

std::optional<uint32_t> RconSession::WakeIn(uint32_t now) const {
  if (!awaitingChallenge_) return std::nullopt;
  const uint32_t elapsed = now - askedAt_;
  return elapsed < kChallengeWaitMs ? kChallengeWaitMs - elapsed : 0u;
}

bool RconSession::Dispatch(Command command, uint32_t now, RconSteps& steps) {
  if (challenge_ || ClassicAllowed()) {
    SendNow(std::move(command), now, steps);
    return true;
  }
  if (waiting_.size() >= kMaxWaitingCommands) return false;
  const auto place =
      std::find_if(waiting_.begin(), waiting_.end(),
                   [&](const Command& waiting) { return waiting.order > command.order; });
  waiting_.insert(place, std::move(command));
  if (!awaitingChallenge_) {
    challengeRequests_ = 0;
    AskForChallenge(now, steps);
  }
  return true;
}

void RconSession::SendNow(Command command, uint32_t now, RconSteps& steps) {
  steps.send.push_back(challenge_ ? RconChallengeCommandText(*challenge_, command.password,
                                                             command.command)
                                  : RconCommandText(command.password, command.command));
  lastSentPassword_ = command.password;
  sent_.push_back(Sent{std::move(command), challenge_, now, false});
  if (sent_.size() > kMaxWaitingCommands) sent_.pop_front();
}

void RconSession::SendWaiting(uint32_t now, RconSteps& steps) {
  awaitingChallenge_ = false;
  std::deque<Command> waiting = std::move(waiting_);
  waiting_.clear();
  for (Command& command : waiting) SendNow(std::move(command), now, steps);
}

void RconSession::AskForChallenge(uint32_t now, RconSteps& steps) {
  steps.send.emplace_back(kRconChallengeRequest);
  ++challengeRequests_;
  awaitingChallenge_ = true;
  askedAt_ = now;
}

// The server refuses, in order, every command that reached it with a stale number. A command sent
// with a number older than the current one is refused first; among those sent with the current
// number (or without one) the refusals belong to the newest, since the number stays stale once
// it went stale.
RconSession::Sent* RconSession::RefusedCommand() {
  Sent* withCurrent = nullptr;
  for (auto it = sent_.rbegin(); it != sent_.rend(); ++it) {
    if (it->refused) continue;
    if (it->challenge != challenge_) return &*it;
    if (withCurrent == nullptr) withCurrent = &*it;
  }
  return withCurrent;
}

void RconSession::ForgetOldSends(uint32_t now) {
  while (!sent_.empty() && now - sent_.front().at >= kResendWindowMs) sent_.pop_front();
}

}  // namespace tarnwick
