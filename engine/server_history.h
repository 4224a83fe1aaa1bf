// ServerHistory: what a window saw of its server over the last 24 hours, for the History page of
// the Server Info sheet: one point per information reply, with the time, the player counts and
// the latest round trip. Kept in memory only, in a bounded ring.
//
// The bound: a point takes 32 bytes and the info interval may be as short as a second, which
// would be 86400 points (2 MB) a window and 130 MB for 63 windows. The ring keeps 8640 points
// (270 KB): the whole day at one reply in 10 s or slower (the intervals start at 90 s shown and
// 300 s in the tray), the last 8640 replies at shorter intervals.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_ENGINE_SERVER_HISTORY_H
#define TARNWICK_ENGINE_SERVER_HISTORY_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace tarnwick {

struct HistoryPoint {
  int64_t time = 0;  // seconds since 1970-01-01 UTC
  int32_t players = 0;
  int32_t maxPlayers = 0;
  std::optional<uint32_t> pingMs;  // none before the first ping reply
  bool afterGap = false;  // the server was not followed between the point before and this one

  bool operator==(const HistoryPoint&) const = default;
};

struct HistoryRange {
  int64_t low = 0;
  int64_t high = 0;
  bool operator==(const HistoryRange&) const = default;
};

class ServerHistory {
 public:
  static constexpr int64_t kSpanSeconds = 24 * 60 * 60;
  static constexpr size_t kMaxPoints = 8640;

  // Appends a point. Points older than 24 hours before it go, and the oldest when the ring is
  // full. The times stay in order: a point older than the newest (the clock was set back) first
  // drops the points that now lie in its future.
  void Add(const HistoryPoint& point);
  void Clear() { points_.clear(); }
  // The server is no longer followed (the connection ended, or it stopped answering): the next
  // point is marked as after a gap, so that no line is drawn across the time nothing was seen.
  void BreakLine() { lineBroken_ = true; }

  // Oldest first.
  const std::deque<HistoryPoint>& Points() const { return points_; }

  // The axes of the page: time from the oldest to the newest point; players from the fewest to
  // the most slots or players; ping from the fastest to the slowest reply. Nothing when no point
  // (or, for ping, no point with a ping) is kept.
  std::optional<HistoryRange> TimeRange() const;
  std::optional<HistoryRange> PlayersRange() const;
  std::optional<HistoryRange> PingRange() const;

 private:
  std::deque<HistoryPoint> points_;
  bool lineBroken_ = false;
};

// The offset of local time from UTC in seconds at a time, e.g. 3600 for UTC+1; given by the
// caller, so that each row takes the offset of its own time (summer time starts or ends within
// a day) and tests know it.
using UtcOffsetAt = int32_t (*)(int64_t time);

// "2026-12-06T18:35:31+01:00": local time with its offset from UTC.
std::string IsoLocalTime(int64_t time, int32_t offsetSeconds);

// The export: the header "time,players,max players,ping ms", then one row per point, oldest first,
// e.g. "2026-12-06T18:35:31+01:00,5,16,42" (the ping field empty without a ping); lines end with
// CR LF. No field is text, so nothing is quoted.
std::string HistoryCsv(const ServerHistory& history, UtcOffsetAt offsetAt);

}  // namespace tarnwick

#endif
