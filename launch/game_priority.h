// The priority class the game client is started with, chosen by the "HLPriority" setting: 0 idle,
// 1 below normal, 2 normal, 3 above normal, 4 high, 5 realtime. A stored number above 5 (only
// possible by editing the registry) is used as 2, normal, wherever a class is chosen from it.
#ifndef TARNWICK_LAUNCH_GAME_PRIORITY_H
#define TARNWICK_LAUNCH_GAME_PRIORITY_H

#include <cstdint>

namespace tarnwick {

inline constexpr uint32_t kHighestGamePriority = 5;
inline constexpr uint32_t kNormalGamePriority = 2;

// The setting as a position 0-5 (the Options sheet's track bar uses it too).
uint32_t EffectiveGamePriority(uint32_t stored);

// The platform's priority class value for the setting: 0x40, 0x4000, 0x20, 0x8000, 0x80, 0x100.
uint32_t GamePriorityClass(uint32_t stored);

}  // namespace tarnwick

#endif
