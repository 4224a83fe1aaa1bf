// The matcher walks name and mask together; at a mismatch against '*' it tries every later place
// in the name where the character after the wildcard run occurs. Those tries branch, and a mask
// like "*a*a*a*a*b" against a long run of 'a' would try every combination of places: so each
// place in name and mask is walked at most once, and each place of the name is tried at most once
// after each wildcard run. A place walked or tried before can only have failed (a match ends the
// search), and places only move forward (a branch inside another is further on in the mask), so
// no try waits on itself; the work is bounded by the product of the two lengths.
#include "highlight/match_mask.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/utf8_text.h"

namespace tarnwick {
namespace {

bool IsWildcard(char32_t c) { return c == '*' || c == '?'; }

enum class Walked { kMatch, kFail, kBranch };

class Matcher {
 public:
  // Both texts already folded to lower case.
  Matcher(std::u32string_view name, std::u32string_view mask)
      : name_(name), mask_(mask), failedFrom_(mask.size() + 1, name.size()) {}

  bool Match() {
    size_t s = 0;
    size_t p = 0;
    for (;;) {
      const Walked walked = Walk(s, p);
      if (walked == Walked::kMatch) return true;
      // A branch after the same run from a place at or after one that failed fails too: its
      // places are some of those.
      if (walked == Walked::kBranch && s < failedFrom_[p]) branches_.push_back({p, s, s});
      if (!NextTry(s, p)) return false;
    }
  }

 private:
  // A wildcard run after a mismatch: `p` is the mask character after the run, `start` the
  // mismatch, `from` the first place of the name not tried yet.
  struct Branch {
    size_t p;
    size_t start;
    size_t from;
  };

  // Compares from name place `s` and mask place `p` until the match is decided or a wildcard
  // run after a mismatch leaves places to try (`s` at the mismatch, `p` after the run).
  Walked Walk(size_t& s, size_t& p) {
    if (s < name_.size()) {
      while (p < mask_.size()) {
        if (Seen(s, p)) return Walked::kFail;
        if (name_[s] == mask_[p] || mask_[p] == '?') {
          ++s;
          ++p;
          if (s == name_.size()) break;
          continue;
        }
        if (mask_[p] != '*') return Walked::kFail;
        while (p < mask_.size() && IsWildcard(mask_[p])) ++p;
        if (p == mask_.size()) return Walked::kMatch;
        return Walked::kBranch;
      }
    }
    while (p < mask_.size() && IsWildcard(mask_[p])) ++p;
    return p == mask_.size() && s == name_.size() ? Walked::kMatch : Walked::kFail;
  }

  // The next place of the innermost branch that has one left.
  bool NextTry(size_t& s, size_t& p) {
    while (!branches_.empty()) {
      Branch& branch = branches_.back();
      const size_t at = name_.find(mask_[branch.p], branch.from);
      if (at == std::u32string_view::npos || at >= failedFrom_[branch.p]) {
        failedFrom_[branch.p] = branch.start;
        branches_.pop_back();
        continue;
      }
      branch.from = at + 1;
      s = at;
      p = branch.p;
      return true;
    }
    return false;
  }

  // Marks the place as walked; true when it was already.
  bool Seen(size_t s, size_t p) {
    if (branches_.empty()) return false;  // no branch yet: the walk cannot come back here
    if (seen_.empty()) seen_.resize((name_.size() + 1) * (mask_.size() + 1));
    const size_t index = s * (mask_.size() + 1) + p;
    if (seen_[index]) return true;
    seen_[index] = true;
    return false;
  }

  std::u32string_view name_;
  std::u32string_view mask_;
  std::vector<Branch> branches_;
  std::vector<bool> seen_;
  // Per mask place after a wildcard run: every branch there from this name place on has failed.
  std::vector<size_t> failedFrom_;
};

}  // namespace

bool MatchMask(std::string_view name, std::string_view mask, TextFolder fold) {
  const std::u32string foldedName = fold(name);
  const std::u32string foldedMask = fold(mask);
  return Matcher(foldedName, foldedMask).Match();
}

}  // namespace tarnwick
