// What the pages of the Server Info sheet show, worked out from the server's state, so that the
// pages only put texts into their controls.
#ifndef TARNWICK_DIALOGS_SERVER_INFO_TEXTS_H
#define TARNWICK_DIALOGS_SERVER_INFO_TEXTS_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/server_state.h"

namespace tarnwick {

// The string of the OS link: IDS_OS_LINUX_LINK for 'l', IDS_OS_WINDOWS_LINK for 'w', 0 (an empty
// link) for any other letter.
int OsLinkStringId(uint8_t os);

// "locked" when the server wants a password, then "dedicated" when it is dedicated, joined by
// ", " when both apply; empty when neither does.
std::string FlagsText(const ServerState& state, std::string_view locked,
                      std::string_view dedicated);

// The Mod page's fields. From protocol 41 on the mod text is the download link and the version is
// a number; up to protocol 40 the mod text is the version and the download link is not touched.
struct ModPageTexts {
  std::string name;
  std::string folder;
  std::string url;
  std::string version;
  std::optional<std::string> download;
  std::string size;
};
ModPageTexts MakeModPageTexts(const ServerState& state);

// Minimal, average, maximal, sent, received and lost, as signed decimal numbers (so a minimum
// that no reply has set yet shows -1).
std::array<std::string, 6> PingFigureTexts(const ServerState& state);

// A file name made of the server's name (UTF-8), which the server chose: each character Windows
// refuses in a file name, and each control character, becomes "_", blanks and dots go from both
// ends (Windows drops them at the end), and at most 64 bytes are kept, never half a character.
// Empty when nothing is left.
std::string FileNameFromServerName(std::string_view name);

}  // namespace tarnwick

#endif
