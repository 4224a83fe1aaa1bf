// The matcher walks name and mask together; at a mismatch against '*' it tries every later place
// in the name where the character after the wildcard run occurs.
#include "highlight/match_mask.h"

#include <string>

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

bool IsWildcard(char c) { return c == '*' || c == '?'; }

// Both texts already lower-cased.
bool MatchFolded(std::string_view name, std::string_view mask) {
  size_t s = 0;
  size_t p = 0;
  if (!name.empty()) {
    while (p < mask.size()) {
      if (name[s] == mask[p] || mask[p] == '?') {
        ++s;
        ++p;
        if (s == name.size()) break;
        continue;
      }
      if (mask[p] != '*') return false;
      while (p < mask.size() && IsWildcard(mask[p])) ++p;
      if (p == mask.size()) return true;
      const char next = mask[p];
      for (size_t at = name.find(next, s); at != std::string_view::npos;
           at = name.find(next, at + 1)) {
        if (MatchFolded(name.substr(at), mask.substr(p))) return true;
      }
      return false;
    }
  }
  while (p < mask.size() && IsWildcard(mask[p])) ++p;
  return p == mask.size() && s == name.size();
}

}  // namespace

bool MatchMask(std::string_view name, std::string_view mask) {
  const std::string foldedName = LowerCopy(name);
  const std::string foldedMask = LowerCopy(mask);
  return MatchFolded(foldedName, foldedMask);
}

}  // namespace tarnwick
