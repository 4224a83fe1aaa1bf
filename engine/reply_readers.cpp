#include "engine/reply_readers.h"

#include <cmath>

#include "common/ansi_text.h"
#include "engine/byte_reader.h"

namespace tarnwick {
namespace {

// Protocol 40 and below carry the old mod block; 41 and above the newer one.
constexpr uint8_t kLastOldModProtocol = 40;

void ReadModBlock(ByteReader& reader, ServerState& state) {
  reader.ReadString(state.modInfoLink);
  if (state.protocol <= kLastOldModProtocol) {
    reader.Skip(1);
    reader.ReadString(state.modText);
    reader.ReadInt32(state.modVersion);
    reader.ReadInt32(state.modSize);
    reader.Skip(2);
  } else {
    reader.ReadString(state.modText);
    std::string extra;
    reader.ReadString(extra);
    reader.ReadInt32(state.modVersion);
    reader.ReadInt32(state.modSize);
    reader.Skip(3);
  }
}

}  // namespace

InfoReadResult ReadServerInfo(const uint8_t* body, size_t length, ServerState& state) {
  InfoReadResult result;
  ByteReader reader(body, length);
  std::string address;
  if (reader.ReadString(address) && !address.empty()) state.address = address;
  reader.ReadString(state.hostName);
  reader.ReadString(state.map);
  reader.ReadString(state.gameDir);
  reader.ReadString(state.gameDescription);
  int32_t players = 0;
  if (reader.ReadSignedByte(players)) {
    result.playerCountChanged = players != state.players;
    state.players = players;
  }
  reader.ReadSignedByte(state.maxPlayers);
  reader.ReadByte(state.protocol);
  uint8_t serverType = 0;
  if (reader.ReadByte(serverType)) state.dedicated = serverType == 'd';
  reader.ReadByte(state.os);
  reader.ReadSignedByte(state.password);
  // Servers send the mod block only for a modification; what follows otherwise is not a link.
  if (reader.ReadByte(state.isMod) && state.isMod != 0) ReadModBlock(reader, state);
  return result;
}

std::string FormatConnectedTime(float seconds) {
  int32_t t = 0;
  if (std::isnan(seconds)) {
    t = 0;
  } else if (seconds >= 2147483647.0f) {
    t = 2147483647;
  } else if (seconds <= -2147483648.0f) {
    t = -2147483647 - 1;
  } else {
    t = static_cast<int32_t>(seconds);
  }
  const int32_t hours = t / 3600;
  const int32_t minutes = (t % 3600) / 60;
  const int32_t rest = (t % 3600) % 60;
  return Format("%02d:%02d:%02d", hours, minutes, rest);
}

std::vector<PlayerRow> ReadPlayers(const uint8_t* body, size_t length) {
  std::vector<PlayerRow> rows;
  ByteReader reader(body, length);
  uint8_t count = 0;
  reader.ReadByte(count);
  for (int i = 0; i < count && reader.HasMore(); ++i) {
    PlayerRow row;
    int32_t index = 0;
    reader.ReadSignedByte(index);
    row.index = Format("%d", index);
    row.columns = 1;
    if (reader.ReadString(row.name)) row.columns = 2;
    int32_t frags = 0;
    if (reader.ReadInt32(frags)) {
      row.frags = Format("%d", frags);
      row.columns = 3;
    }
    float seconds = 0;
    if (reader.ReadFloat(seconds)) {
      row.time = FormatConnectedTime(seconds);
      row.columns = 4;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tarnwick
