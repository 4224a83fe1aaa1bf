#include "shell/tray_picture.h"

#include "common/ansi_text.h"

namespace tarnwick {

std::string CaptionText(const std::string& format, const std::string& map, int32_t players,
                        int32_t maxPlayers, const std::string& hostName,
                        const std::string& programName) {
  return Format(format.c_str(), map.c_str(), static_cast<unsigned>(players),
                static_cast<unsigned>(maxPlayers), hostName.c_str(), programName.c_str());
}

int TrayIconId(uint32_t iconSet, int32_t players, int32_t maxPlayers) {
  if (iconSet == kAlternativeIconSet) {
    if (players < 0 || players > 20) return 246;
    return 224 + players;
  }
  if (players >= maxPlayers) return 211;
  if (players <= 0) return 205;
  // 0 < players < maxPlayers, so the fifth is 0 to 4.
  return 206 + static_cast<int>((5 * static_cast<int64_t>(players)) / maxPlayers);
}

FlashSequence::Step FlashSequence::Tick() {
  if (count_.load() < 0) return Step::Nothing;
  const int32_t count = ++count_;
  if (count <= 2) return Step::Nothing;
  const Step step = (count % 2 == 1) ? Step::ShowBlank : Step::ShowPicture;
  if (count >= 12) count_.exchange(-1);
  return step;
}

}  // namespace tarnwick
