// Joins and leaves of watched players, confirmed by two successive lists.
#include "highlight/player_watch.h"

#include <algorithm>

#include "highlight/match_mask.h"

namespace tarnwick {
namespace {

bool IsWatched(const std::string& name, const std::vector<HighlightRule>& rules, TextFolder fold) {
  return std::any_of(rules.begin(), rules.end(), [&](const HighlightRule& rule) {
    return rule.notify && MatchMask(name, rule.mask, fold);
  });
}

}  // namespace

bool AnyNotifyingRule(const std::vector<HighlightRule>& rules) {
  return std::any_of(rules.begin(), rules.end(), [](const HighlightRule& r) { return r.notify; });
}

PlayerChanges PlayerWatch::Feed(std::span<const std::string> names,
                                const std::vector<HighlightRule>& rules, AnsiDecoder decode,
                                TextFolder fold) {
  std::map<std::string, uint16_t> list;
  for (const std::string& bytes : names.first(std::min(names.size(), kMaxWatchedListNames))) {
    if (bytes.empty()) continue;
    std::string_view cut(bytes);
    ++list[ServerTextToUtf8(cut.substr(0, kMaxWatchedNameBytes), decode)];
  }

  PlayerChanges changes;
  if (!primed_) {
    primed_ = true;
    counts_.clear();
    for (const auto& [name, count] : list) counts_[name] = {count, count};
    return changes;
  }
  for (const auto& [name, count] : list) counts_.try_emplace(name);
  for (auto it = counts_.begin(); it != counts_.end();) {
    const auto found = list.find(it->first);
    const uint16_t now = found == list.end() ? 0 : found->second;
    Count& count = it->second;
    if (now != count.reported && now == count.seen && IsWatched(it->first, rules, fold)) {
      auto& side = now > count.reported ? changes.joined : changes.left;
      side.insert(side.end(), now > count.reported ? now - count.reported : count.reported - now,
                  it->first);
    }
    if (now == count.seen) count.reported = now;
    count.seen = now;
    it = count.reported == 0 && count.seen == 0 ? counts_.erase(it) : std::next(it);
  }
  return changes;
}

void PlayerWatch::Reset() {
  primed_ = false;
  counts_.clear();
}

}  // namespace tarnwick
