// PlayerWatch: which watched players joined or left, from the player lists a window reads. A
// player is watched when a highlight rule that notifies matches the name (any such rule, not only
// the first match that draws the row). The rules are asked only when a change is confirmed, so a
// rule added later watches names already on the server without reporting them as joins.
//
// Only changes count: the first list after a connect (or a Reset) is taken as it is. A change of
// how many players carry a name is confirmed by two successive lists that agree on the new count;
// so a name that is in one list only, or missing from one list only, between lists that agree on
// the old count ("comes and goes within one refresh") is never reported, and a real join or leave
// is reported one list late. Names that differ only in case are different players.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_HIGHLIGHT_PLAYER_WATCH_H
#define TARNWICK_HIGHLIGHT_PLAYER_WATCH_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "common/utf8_text.h"
#include "highlight/highlight_rules.h"

namespace tarnwick {

// A players reply counts its records in one byte: more names than that are not read, and a name
// is cut to as many bytes (the game allows 31), so a server cannot make the watch grow.
inline constexpr size_t kMaxWatchedListNames = 255;
inline constexpr size_t kMaxWatchedNameBytes = 255;

struct PlayerChanges {
  // Names as UTF-8, one entry per player: a name that two more players took is there twice.
  std::vector<std::string> joined;
  std::vector<std::string> left;
  bool empty() const { return joined.empty() && left.empty(); }
};

// True when some rule notifies: while one does, a window in the tray keeps reading the player list.
bool AnyNotifyingRule(const std::vector<HighlightRule>& rules);

class PlayerWatch {
 public:
  // The names of one players reply, as the server sent them (any bytes; empty names, which a
  // player has while connecting, are skipped). Returns the changes this list confirms for watched
  // names. `decode` reads names that are not UTF-8 (as the player list does); `fold` as
  // MatchMask's.
  PlayerChanges Feed(std::span<const std::string> names, const std::vector<HighlightRule>& rules,
                     AnsiDecoder decode = &DecodeCodePage1252, TextFolder fold = &FoldText);
  // A new connection: the next list is a first list again.
  void Reset();

 private:
  struct Count {
    uint16_t reported = 0;  // players with the name as last reported (or taken from a first list)
    uint16_t seen = 0;      // players with the name in the latest list
  };
  bool primed_ = false;
  // Every name in the latest list or with players reported: at most twice the list's bound.
  std::map<std::string, Count> counts_;
};

}  // namespace tarnwick

#endif
