// The history ring: its bounds, the axes of the page and the exported rows.
#include "engine/server_history.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

constexpr int64_t kDay = ServerHistory::kSpanSeconds;

TEST(ServerHistory, KeepsTheLastDayInTimeOrderWithinItsBound) {
  struct Case { std::vector<int64_t> times; size_t kept; int64_t oldest; } cases[] = {
      {{100, 100 + kDay - 1, 100 + kDay}, 2, 100 + kDay - 1},  // 24 hours old: gone
      {{100, 200, 300, 150}, 2, 100},                          // the clock set back
      {{100, 200, 100 + 3 * kDay}, 1, 100 + 3 * kDay},
  };
  for (const Case& c : cases) {
    ServerHistory history;
    for (const int64_t time : c.times) history.Add({time, 1, 2, 3});
    EXPECT_EQ(history.Points().size(), c.kept);
    EXPECT_EQ(history.TimeRange(), (HistoryRange{c.oldest, c.times.back()}));
  }
  // A reply every second: the ring stays at its bound and drops the oldest.
  ServerHistory history;
  for (int64_t time = 0; time < kDay; ++time) history.Add({time, 1, 2, std::nullopt});
  EXPECT_EQ(history.Points().size(), ServerHistory::kMaxPoints);
  EXPECT_EQ(history.Points().front().time, kDay - static_cast<int64_t>(ServerHistory::kMaxPoints));
  EXPECT_EQ(history.PingRange(), std::nullopt);

  // A break marks the next point only, and never a first point.
  history.Clear();
  history.BreakLine();
  for (const int64_t time : {10, 20, 30}) {
    history.Add({time, 1, 2, 3});
    if (time == 10) history.BreakLine();
  }
  EXPECT_EQ(history.Points()[0].afterGap || history.Points()[2].afterGap, false);
  EXPECT_TRUE(history.Points()[1].afterGap);
}

TEST(ServerHistory, CsvRowsCarryLocalTimeAndAxesSpanThePoints) {
  struct Case { int64_t time; int32_t offset; const char* text; } cases[] = {
      {0, 0, "1970-01-01T00:00:00+00:00"},
      {1796578531, 3600, "2026-12-06T18:35:31+01:00"},
      {1796578531, -(4 * 3600 + 30 * 60), "2026-12-06T13:05:31-04:30"},
      {951782400, 0, "2000-02-29T00:00:00+00:00"},
      {-1, 0, "1969-12-31T23:59:59+00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(IsoLocalTime(c.time, c.offset), c.text);

  ServerHistory history;
  history.Add({1796578531, 5, 16, 42});
  history.Add({1796578532, 6, 16, std::nullopt});
  EXPECT_EQ(history.PlayersRange(), (HistoryRange{5, 16}));
  EXPECT_EQ(history.PingRange(), (HistoryRange{42, 42}));
  // Each row takes the offset of its own time: summer time may end between two rows.
  EXPECT_EQ(HistoryCsv(history, [](int64_t time) { return time % 2 == 0 ? 7200 : 3600; }),
            "time,players,max players,ping ms\r\n"
            "2026-12-06T18:35:31+01:00,5,16,42\r\n"
            "2026-12-06T19:35:32+02:00,6,16,\r\n");
}

}  // namespace
}  // namespace tarnwick
