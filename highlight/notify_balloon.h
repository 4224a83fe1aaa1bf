// BalloonQueue: the tray balloons of one window. Events wait in the queue and are merged there; a
// balloon is given at most once in 10 s, so a server whose players come and go in a crowd shows
// one balloon, not a stream ("Freeman and 2 others joined crossfire").
//
// The title is the server's name. The text has one line per kind of event, in this order:
//   "Connection lost", "Server is back", or "Connection lost and back" (lost, then back again)
//   "Map changed to <map>"
//   "<name> joined <map>", "<name> and 1 other joined <map>", "<name> and <n> others joined <map>"
//   "<name> left <map>", and the same forms for leaves
//   "A slot is free (<players>/<max players>)"
// where <name> is the first player of the merged events and <map> the map at the time of the
// balloon (" <map>" left out while no map is known). The server's name, the map and the names are
// server data: they are read as the player list reads them, lose every control character (and
// the marks that reorder text or break lines) and are cut short, so that a crafted name cannot
// push the rest out or lay out text of its own. Title and text are bounded by what the tray's
// balloon holds, counted in UTF-16 units, and cut between characters.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_HIGHLIGHT_NOTIFY_BALLOON_H
#define TARNWICK_HIGHLIGHT_NOTIFY_BALLOON_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/utf8_text.h"
#include "highlight/player_watch.h"
#include "highlight/server_events.h"

namespace tarnwick {

inline constexpr uint32_t kBalloonIntervalMs = 10000;
inline constexpr size_t kBalloonTitleRoom = 63;  // UTF-16 units, without the terminator
inline constexpr size_t kBalloonTextRoom = 255;
inline constexpr size_t kBalloonNameRoom = 32;  // a player's name in a line
inline constexpr size_t kBalloonMapRoom = 64;

struct Balloon {
  std::string title;  // UTF-8; may be empty while the server has not told its name
  std::string text;   // UTF-8 lines separated by '\n'
};

// Server bytes as a balloon shows them: read like the player list's texts, without control
// characters, bidirectional marks or line separators, at most `room` UTF-16 units.
std::string BalloonServerText(std::string_view bytes, size_t room,
                              AnsiDecoder decode = &DecodeCodePage1252);

class BalloonQueue {
 public:
  explicit BalloonQueue(AnsiDecoder decode = &DecodeCodePage1252) : decode_(decode) {}

  void Add(const PlayerChanges& changes);
  // `after` is the state the events led to (the counts of a freed slot, the new map).
  void Add(const ServerEvents& events, const ServerSnapshot& after);
  // The balloon of every waiting event, when one waits and the last balloon is 10 s old; the
  // queue is then empty. `nowMs` is a millisecond tick count (it may wrap around).
  std::optional<Balloon> Take(uint32_t nowMs, std::string_view serverName, std::string_view map);
  // How long until Take gives a balloon: 0 when it would now, nothing while no event waits.
  std::optional<uint32_t> DueIn(uint32_t nowMs) const;
  // Forgets waiting events (a new connection); the last balloon's time stays.
  void Clear();

 private:
  struct MergedPlayers {
    std::string first;  // shown form of the first name
    size_t count = 0;
  };
  void AddPlayers(MergedPlayers& merged, const std::vector<std::string>& names);
  bool Waiting() const;

  AnsiDecoder decode_;
  MergedPlayers joined_;
  MergedPlayers left_;
  bool lost_ = false;
  bool back_ = false;  // came back after the latest loss
  std::optional<std::string> newMap_;
  std::optional<std::string> freeSlot_;  // "<players>/<max players>" of the latest freed slot
  std::optional<uint32_t> lastShownMs_;
};

}  // namespace tarnwick

#endif
