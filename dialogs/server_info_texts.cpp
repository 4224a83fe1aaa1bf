#include "dialogs/server_info_texts.h"

#include "common/ansi_text.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

std::string Signed(uint32_t value) { return Format("%d", static_cast<int32_t>(value)); }

}  // namespace

int OsLinkStringId(uint8_t os) {
  if (os == 'l') return IDS_OS_LINUX_LINK;
  if (os == 'w') return IDS_OS_WINDOWS_LINK;
  return 0;
}

std::string FlagsText(const ServerState& state, std::string_view locked,
                      std::string_view dedicated) {
  std::string text;
  if (state.password != 0) text = locked;
  if (state.dedicated) {
    if (!text.empty()) text += ", ";
    text += dedicated;
  }
  return text;
}

ModPageTexts MakeModPageTexts(const ServerState& state) {
  ModPageTexts texts;
  texts.name = state.gameDescription;
  texts.folder = state.gameDir;
  texts.url = state.modInfoLink;
  if (state.protocol > 40) {
    texts.download = state.modText;
    texts.version = Format("%d", state.modVersion);
  } else {
    texts.version = state.modText;
  }
  texts.size = Format("%d", state.modSize);
  return texts;
}

std::array<std::string, 6> PingFigureTexts(const ServerState& state) {
  return {Signed(state.pingMin),       Signed(state.pingAvg),
          Signed(state.pingMax),       Signed(state.pingsSent),
          Signed(state.pingsReceived), Signed(state.pingsSent - state.pingsReceived)};
}

}  // namespace tarnwick
