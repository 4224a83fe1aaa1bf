#include "engine/refresh_plan.h"

namespace tarnwick {
namespace {

// The longest period a window timer takes (USER_TIMER_MAXIMUM).
constexpr uint64_t kLongestTimerMs = 0x7FFFFFFF;

uint32_t SecondsToPeriod(uint32_t seconds) {
  const uint64_t ms = static_cast<uint64_t>(seconds) * 1000u;
  return static_cast<uint32_t>(ms < kLongestTimerMs ? ms : kLongestTimerMs);
}

}  // namespace

RefreshPlan PlanRefresh(bool connected, bool windowShown, const Settings& settings,
                        bool playersInTray) {
  RefreshPlan plan;
  if (!connected) return plan;
  if (!windowShown) {
    if (!settings.autoUpdateTray) return plan;
    plan.periodMs[0] = SecondsToPeriod(settings.pingIntervalTray);
    plan.periodMs[1] = SecondsToPeriod(settings.detailsIntervalTray);
    if (playersInTray) plan.periodMs[2] = SecondsToPeriod(settings.playersIntervalTray);
    if (settings.flashInTray) plan.periodMs[3] = kFlashPeriodMs;
    return plan;
  }
  if (!settings.autoUpdate) return plan;
  plan.periodMs[0] = SecondsToPeriod(settings.pingInterval);
  plan.periodMs[1] = SecondsToPeriod(settings.detailsInterval);
  plan.periodMs[2] = SecondsToPeriod(settings.playersInterval);
  return plan;
}

}  // namespace tarnwick
