#include "shell/about_box_win.h"

namespace tarnwick {

void ShowAbout(HINSTANCE) {}

}  // namespace tarnwick
