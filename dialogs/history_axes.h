// The scales of the History page's graph: where the time axis gets its "hh:mm" labels, and how
// high the value axes reach. Worked out here so that the page only draws.
#ifndef TARNWICK_DIALOGS_HISTORY_AXES_H
#define TARNWICK_DIALOGS_HISTORY_AXES_H

#include <cstdint>
#include <string>
#include <vector>

#include "engine/server_history.h"

namespace tarnwick {

// The shortest of 1, 2, 5, 10, 15 and 30 minutes and 1, 2, 3, 6 and 12 hours that puts at most
// `maxLabels` labels on `spanSeconds` (12 hours when none does, or `maxLabels` is below 1).
int64_t TimeLabelStep(int64_t spanSeconds, int maxLabels);

// The times within `range` whose local time is a whole multiple of `step` (so labels fall on
// 18:00, 18:15, ... whatever the first point's time), oldest first.
std::vector<int64_t> TimeLabels(HistoryRange range, int64_t step, UtcOffsetAt offsetAt);

// "18:35": the local hour and minute of `time`.
std::string ClockText(int64_t time, int32_t offsetSeconds);

// The top of a value axis: the smallest of 1, 2, 5, 10, 20, 50, ... that is at least `high`.
int64_t AxisTop(int64_t high);

}  // namespace tarnwick

#endif
