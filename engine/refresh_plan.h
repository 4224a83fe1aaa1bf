// Which refresh timers run, and how often, for a window's present state.
#ifndef TARNWICK_ENGINE_REFRESH_PLAN_H
#define TARNWICK_ENGINE_REFRESH_PLAN_H

#include <array>
#include <cstdint>

#include "settings/settings.h"

namespace tarnwick {

// The window timers; their numbers are the Win32 timer ids.
enum class TimerId : uint32_t { Ping = 1, Info = 2, Players = 3, Flash = 4 };
inline constexpr std::array<TimerId, 4> kAllTimers = {TimerId::Ping, TimerId::Info,
                                                      TimerId::Players, TimerId::Flash};
inline constexpr uint32_t kFlashPeriodMs = 500;

struct RefreshPlan {
  // Period in milliseconds per timer (index = id - 1); 0 means the timer is not set.
  std::array<uint32_t, 4> periodMs = {0, 0, 0, 0};
  uint32_t PeriodOf(TimerId id) const { return periodMs[static_cast<uint32_t>(id) - 1]; }
};

// No connection: nothing runs. Shown: ping, info and players at their intervals while auto update
// is on. Hidden in the tray: ping and info at the tray intervals, and the flash, while tray auto
// update is on; with `playersInTray` (a tray balloon waits for joins and leaves) the players
// timer too, at the tray's players interval. An interval of 0 sets no timer; intervals beyond
// what a window timer can hold (about 24 days) are held at that limit.
RefreshPlan PlanRefresh(bool connected, bool windowShown, const Settings& settings,
                        bool playersInTray = false);

}  // namespace tarnwick

#endif
