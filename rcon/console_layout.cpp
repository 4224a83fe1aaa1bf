#include "rcon/console_layout.h"

#include "resources/resource.h"

namespace tarnwick {
namespace {

// The dialog's IDOK and IDCANCEL buttons, whose numbers the dialog manager fixes.
constexpr int kSendButton = 1;
constexpr int kCloseButton = 2;

constexpr ControlRule kRules[] = {
    {IDC_RCON_PASSWORD, Follow::kGrowRight},
    {IDC_RCON_SHOW_LOG, Follow::kMoveRight},
    {IDC_RCON_COMMAND_GROUP, Follow::kGrowRight},
    {IDC_RCON_COMMAND, Follow::kGrowRight},
    {kSendButton, Follow::kMoveRight},
    {IDC_RCON_OUTPUT_GROUP, Follow::kGrowRightDown},
    {IDC_RCON_OUTPUT, Follow::kGrowRightDown},
    {IDC_RCON_GRIP, Follow::kMoveRightDown},
    {kCloseButton, Follow::kMoveHalfRightDown},
};

}  // namespace

std::span<const ControlRule> ConsoleLayout() { return kRules; }

ControlBox FollowResize(const ControlBox& initial, Follow follow, int dx, int dy) {
  ControlBox box = initial;
  switch (follow) {
    case Follow::kGrowRight:
      box.right += dx;
      break;
    case Follow::kMoveRight:
      box.left += dx;
      box.right += dx;
      break;
    case Follow::kGrowRightDown:
      box.right += dx;
      box.bottom += dy;
      break;
    case Follow::kMoveRightDown:
      box = {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
      break;
    case Follow::kMoveHalfRightDown:
      box = {box.left + dx / 2, box.top + dy, box.right + dx / 2, box.bottom + dy};
      break;
  }
  return box;
}

}  // namespace tarnwick
