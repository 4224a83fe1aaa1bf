// What the pages of the Server Info sheet show, worked out from the server's state and its rules
// reply, so that the pages only put texts into their controls.
#ifndef TARNWICK_DIALOGS_SERVER_INFO_TEXTS_H
#define TARNWICK_DIALOGS_SERVER_INFO_TEXTS_H

#include <array>
#include <cstdint>
#include <optional>
#include <span>
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

struct RuleRow {
  std::string name;
  std::string value;
  bool operator==(const RuleRow&) const = default;
};

// The rows of a rules reply body (its 2-byte rule count first, which is not used): names and
// values as consecutive zero-terminated strings; a string without its terminator ends at the
// body's end, a name without a value gets an empty one. Nothing when no body is stored yet
// (empty), so the list keeps what it shows.
std::optional<std::vector<RuleRow>> ReadRulesBody(std::span<const uint8_t> body);

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

}  // namespace tarnwick

#endif
