// The tool bar strip: eleven 16 x 15 button glyphs side by side on the classic button face
// colour (192, 192, 192), which the tool bar replaces with the system's face colour. In order:
// Connect, Clone, Disconnect, Join, Auto join, Remote console, Refresh, Server info, Go to Tray,
// Options, About.
#ifndef TARNWICK_TOOLS_ART_TOOLBAR_H
#define TARNWICK_TOOLS_ART_TOOLBAR_H

#include "tools/art/image.h"

namespace tarnwick::art {

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
constexpr int kButtonCount = 11;

Image ToolbarStrip();

}  // namespace tarnwick::art

#endif
