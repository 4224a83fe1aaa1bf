// What the caption and the tray icon show: the caption text, the picture for the player count,
// and the flash that marks a change of picture while the window is in the tray.
#ifndef TARNWICK_SHELL_TRAY_PICTURE_H
#define TARNWICK_SHELL_TRAY_PICTURE_H

#include <atomic>
#include <cstdint>
#include <string>

namespace tarnwick {

inline constexpr uint32_t kDefaultIconSet = 0;      // striped squares turning red
inline constexpr uint32_t kAlternativeIconSet = 1;  // the player count on a white disc

// "%s [%u/%u] on %s - %s" (string 129) filled with map, players, max players, server name and
// program name.
std::string CaptionText(const std::string& format, const std::string& map, int32_t players,
                        int32_t maxPlayers, const std::string& hostName,
                        const std::string& programName);

// The icon resource for a player count. Default set: 205 for no players, 206 to 210 by fifths of
// the slots taken, 211 when the server is full. Alternative set: 224 + players up to 20, else 246.
// Counts a hostile or odd server sends never yield an id outside the set and never divide by
// zero: at or above the maximum (0 of 0 included) is full, a negative count is empty in the
// default set and unknown (246) in the alternative one.
int TrayIconId(uint32_t iconSet, int32_t players, int32_t maxPlayers);

// The flash: after a change of picture, one second of the new picture, then five times half a
// second blank and half a second the picture, on a 500 ms tick.
class FlashSequence {
 public:
  enum class Step { Nothing, ShowBlank, ShowPicture };

  // A new picture starts the flash again from the beginning.
  void Start() { count_.exchange(0); }
  bool IsRunning() const { return count_.load() >= 0; }
  // One tick of the flash timer.
  Step Tick();

 private:
  // -1 when no flash runs; raised by each tick. Interlocked: the caption refresh and the timer
  // tick both write it.
  std::atomic<int32_t> count_{-1};
};

}  // namespace tarnwick

#endif
