#include "rcon/console_output.h"

#include <algorithm>
#include <utility>

#include "common/utf8_text.h"
#include "rcon/console_text.h"

namespace tarnwick {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

bool ConsoleOutput::AddPassword(std::string_view password) {
  if (password.empty() ||
      std::find(passwords_.begin(), passwords_.end(), password) != passwords_.end()) {
    return false;
  }
  passwords_.emplace_back(password);
  longestPassword_ = std::max(longestPassword_, password.size());
  std::string masked = MaskPasswords(text_, passwords_);
  if (masked == text_) return false;
  text_ = std::move(masked);
  return true;
}

ConsoleOutput::Change ConsoleOutput::Append(std::string_view received) {
  // The output box ends its text at a zero byte: one inside would part it from what is saved.
  std::string clean(received);
  clean.erase(std::remove(clean.begin(), clean.end(), '\0'), clean.end());

  Change change;
  change.replaceFrom = text_.size() - rawTail_.size();
  std::string region = rawTail_ + ToCrLf(clean);
  change.replacement = MaskPasswords(region, passwords_);
  const std::string shownTail = text_.substr(change.replaceFrom);
  const size_t shownTailUnits = Utf16Length(shownTail);
  bool kept = false;
  for (size_t i = 0; i < rawTail_.size(); ++i) {
    kept = kept || (shownTail[i] == '*' && change.replacement[i] != '*');
    if (shownTail[i] == '*') change.replacement[i] = '*';
  }
  // Asterisks kept from before may spell a password with asterisks in it.
  if (kept) change.replacement = MaskPasswords(change.replacement, passwords_);
  text_.replace(change.replaceFrom, std::string::npos, change.replacement);
  // The box is given only what differs, usually just the new text.
  size_t same = 0;
  while (same < rawTail_.size() && change.replacement[same] == shownTail[same]) ++same;
  while (same > 0 && IsContinuation(shownTail[same])) --same;
  change.replaceFrom += same;
  change.replacement.erase(0, same);
  change.replacedUnits = shownTailUnits - Utf16Length(std::string_view(shownTail).substr(0, same));
  const size_t reach = kEchoReachBeforePassword + longestPassword_;
  size_t tailStart = region.size() - std::min(region.size(), reach);
  while (tailStart > 0 && IsContinuation(region[tailStart])) --tailStart;
  rawTail_ = region.substr(tailStart);

  if (text_.size() > limit_) {
    // Whole lines go, down to seven eighths of the limit, so that not every append trims.
    const size_t mustGo = text_.size() - (limit_ - limit_ / 8);
    const size_t lineEnd = text_.find('\n', mustGo - 1);
    change.dropFront = lineEnd == std::string::npos ? mustGo : lineEnd + 1;
    while (change.dropFront < text_.size() && IsContinuation(text_[change.dropFront])) {
      ++change.dropFront;
    }
    change.dropFrontUnits = Utf16Length(std::string_view(text_).substr(0, change.dropFront));
    text_.erase(0, change.dropFront);
    if (rawTail_.size() > text_.size()) rawTail_.erase(0, rawTail_.size() - text_.size());
  }
  return change;
}

void ConsoleOutput::Clear() {
  text_.clear();
  rawTail_.clear();
}

}  // namespace tarnwick
