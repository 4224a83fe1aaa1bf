// Priority classes by setting. The class values are the platform's constants, written as numbers
// so that the choice is made (and tested) in portable code.
#include "launch/game_priority.h"

namespace tarnwick {

uint32_t EffectiveGamePriority(uint32_t stored) {
  return stored > kHighestGamePriority ? kNormalGamePriority : stored;
}

uint32_t GamePriorityClass(uint32_t stored) {
  static constexpr uint32_t kClasses[kHighestGamePriority + 1] = {
      0x40,    // IDLE_PRIORITY_CLASS
      0x4000,  // BELOW_NORMAL_PRIORITY_CLASS
      0x20,    // NORMAL_PRIORITY_CLASS
      0x8000,  // ABOVE_NORMAL_PRIORITY_CLASS
      0x80,    // HIGH_PRIORITY_CLASS
      0x100,   // REALTIME_PRIORITY_CLASS
  };
  return kClasses[EffectiveGamePriority(stored)];
}

}  // namespace tarnwick
