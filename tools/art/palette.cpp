#include "tools/art/palette.h"

namespace tarnwick::art {

std::optional<int> VgaIndex(Rgba colour) {
  for (size_t i = 0; i < kVgaPalette.size(); ++i)
    if (kVgaPalette[i] == colour) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace tarnwick::art
