// The 24-hour ring of a window's server figures, and its export.
#include "engine/server_history.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tarnwick {
namespace {

// Days since 1970-01-01 to year, month, day in the proleptic Gregorian calendar.
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
  day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

template <typename Value>
std::optional<HistoryRange> RangeOf(const std::deque<HistoryPoint>& points, Value value) {
  std::optional<HistoryRange> range;
  for (const HistoryPoint& point : points) {
    for (const std::optional<int64_t> v : value(point)) {
      if (!v) continue;
      if (!range) range = HistoryRange{*v, *v};
      range->low = std::min(range->low, *v);
      range->high = std::max(range->high, *v);
    }
  }
  return range;
}

}  // namespace

void ServerHistory::Add(const HistoryPoint& point) {
  while (!points_.empty() && points_.back().time > point.time) points_.pop_back();
  while (!points_.empty() && (points_.front().time <= point.time - kSpanSeconds ||
                              points_.size() >= kMaxPoints))
    points_.pop_front();
  points_.push_back(point);
  points_.back().afterGap = lineBroken_ && points_.size() > 1;
  lineBroken_ = false;
}

std::optional<HistoryRange> ServerHistory::TimeRange() const {
  if (points_.empty()) return std::nullopt;
  return HistoryRange{points_.front().time, points_.back().time};
}

std::optional<HistoryRange> ServerHistory::PlayersRange() const {
  return RangeOf(points_, [](const HistoryPoint& p) {
    return std::array<std::optional<int64_t>, 2>{p.players, p.maxPlayers};
  });
}

std::optional<HistoryRange> ServerHistory::PingRange() const {
  return RangeOf(points_, [](const HistoryPoint& p) {
    return std::array<std::optional<int64_t>, 1>{p.pingMs};
  });
}

std::string IsoLocalTime(int64_t time, int32_t offsetSeconds) {
  offsetSeconds = std::clamp(offsetSeconds, -86399, 86399);
  const int64_t local = time + offsetSeconds;
  const int64_t days = FloorDiv(local, 86400);
  const int64_t secondOfDay = local - days * 86400;
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(days, year, month, day);
  const int32_t offsetMinutes = (offsetSeconds < 0 ? -offsetSeconds : offsetSeconds) / 60;
  std::string year4 = std::to_string(year);
  if (year >= 0 && year < 1000) year4.insert(0, 4 - year4.size(), '0');
  char rest[48];
  std::snprintf(rest, sizeof rest, "-%02u-%02uT%02d:%02d:%02d%c%02d:%02d", month, day,
                static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                static_cast<int>(secondOfDay % 60), offsetSeconds < 0 ? '-' : '+',
                static_cast<int>(offsetMinutes / 60), static_cast<int>(offsetMinutes % 60));
  return year4 + rest;
}

std::string HistoryCsv(const ServerHistory& history, UtcOffsetAt offsetAt) {
  std::string csv = "time,players,max players,ping ms\r\n";
  for (const HistoryPoint& point : history.Points()) {
    csv += IsoLocalTime(point.time, offsetAt(point.time));
    csv += ',' + std::to_string(point.players) + ',' + std::to_string(point.maxPlayers) + ',';
    if (point.pingMs) csv += std::to_string(*point.pingMs);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace tarnwick
