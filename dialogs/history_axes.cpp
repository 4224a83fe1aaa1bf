#include "dialogs/history_axes.h"

#include <array>

namespace tarnwick {
namespace {

int64_t FloorToMultiple(int64_t value, int64_t step) {
  const int64_t rest = value % step;
  return value - rest - (rest < 0 ? step : 0);
}

}  // namespace

int64_t TimeLabelStep(int64_t spanSeconds, int maxLabels) {
  constexpr std::array<int64_t, 11> kSteps = {60,   120,   300,   600,   900,  1800,
                                              3600, 7200, 10800, 21600, 43200};
  if (maxLabels >= 1) {
    for (const int64_t step : kSteps) {
      if (spanSeconds / step + 1 <= maxLabels) return step;
    }
  }
  return kSteps.back();
}

std::vector<int64_t> TimeLabels(HistoryRange range, int64_t step, UtcOffsetAt offsetAt) {
  std::vector<int64_t> labels;
  if (step <= 0 || range.high < range.low) return labels;
  const int32_t offset = offsetAt(range.low);
  for (int64_t local = FloorToMultiple(range.low + offset, step); local - offset <= range.high;
       local += step) {
    if (local - offset >= range.low) labels.push_back(local - offset);
  }
  return labels;
}

std::string ClockText(int64_t time, int32_t offsetSeconds) {
  const std::string text = IsoLocalTime(time, offsetSeconds);
  return text.substr(text.find('T') + 1, 5);
}

int64_t AxisTop(int64_t high) {
  for (int64_t decade = 1;; decade *= 10) {
    for (const int64_t factor : {1, 2, 5}) {
      if (factor * decade >= high) return factor * decade;
    }
    if (decade > INT64_MAX / 100) return high;
  }
}

}  // namespace tarnwick
