#include "dialogs/server_info_texts.h"

#include <algorithm>

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

std::string FileNameFromServerName(std::string_view name) {
  constexpr size_t kMaxBytes = 64;
  constexpr std::string_view kRefused = "<>:\"/\\|?*";
  std::string file;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    file += byte < 0x20 || byte == 0x7F || kRefused.find(c) != std::string_view::npos ? '_' : c;
  }
  file.erase(0, std::min(file.find_first_not_of(" ."), file.size()));
  if (file.size() > kMaxBytes) {
    size_t end = kMaxBytes;
    while (end > 0 && (static_cast<unsigned char>(file[end]) & 0xC0) == 0x80) --end;
    file.resize(end);
  }
  while (!file.empty() && (file.back() == ' ' || file.back() == '.')) file.pop_back();
  return file;
}

}  // namespace tarnwick
