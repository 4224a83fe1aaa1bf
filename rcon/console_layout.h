// How the remote console's controls follow a change of the window's size. Each listed control
// keeps its distance to the edges its rule names; the others keep their place and size. Sizes are
// measured from the window's initial (and smallest) client size, so repeated resizing never
// accumulates rounding.
#ifndef TARNWICK_RCON_CONSOLE_LAYOUT_H
#define TARNWICK_RCON_CONSOLE_LAYOUT_H

#include <span>

namespace tarnwick {

enum class Follow {
  kGrowRight,          // the right edge moves by dx
  kMoveRight,          // moves right by dx
  kGrowRightDown,      // the right and bottom edges move by dx and dy
  kMoveRightDown,      // moves by dx and dy
  kMoveHalfRightDown,  // moves right by half of dx and down by dy
};

struct ControlBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ControlBox&) const = default;
};

struct ControlRule {
  int id;
  Follow follow;
};

// The console's controls with their rules.
std::span<const ControlRule> ConsoleLayout();

// Where a control whose initial box was `initial` goes when the client area is dx wider and dy
// higher than initially.
ControlBox FollowResize(const ControlBox& initial, Follow follow, int dx, int dy);

}  // namespace tarnwick

#endif
