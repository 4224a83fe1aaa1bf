#include "engine/source_info_reader.h"

#include "common/ansi_text.h"
#include "engine/byte_reader.h"

namespace tarnwick {
namespace {

// The base game's folder; every other folder is a modification.
constexpr char kBaseGameFolder[] = "valve";

namespace flag {
constexpr uint8_t kGamePort = 0x80;
constexpr uint8_t kSteamId = 0x10;
constexpr uint8_t kSpectator = 0x40;
constexpr uint8_t kKeywords = 0x20;
constexpr uint8_t kGameId = 0x01;
}  // namespace flag

void ReadExtraData(ByteReader& reader, SourceInfoExtras& extras) {
  if (!reader.ReadByte(extras.extraFlags)) return;
  extras.hasExtraData = true;
  const uint8_t flags = extras.extraFlags;
  int16_t port = 0;
  int64_t id = 0;
  if ((flags & flag::kGamePort) != 0 && reader.ReadInt16(port)) {
    extras.gamePort = static_cast<uint16_t>(port);
  }
  if ((flags & flag::kSteamId) != 0 && reader.ReadInt64(id)) {
    extras.steamId = static_cast<uint64_t>(id);
  }
  if ((flags & flag::kSpectator) != 0) {
    if (reader.ReadInt16(port)) extras.spectatorPort = static_cast<uint16_t>(port);
    reader.ReadString(extras.spectatorName);
  }
  if ((flags & flag::kKeywords) != 0) reader.ReadString(extras.keywords);
  if ((flags & flag::kGameId) != 0 && reader.ReadInt64(id)) {
    extras.gameId = static_cast<uint64_t>(id);
  }
}

}  // namespace

InfoReadResult ReadSourceInfo(const uint8_t* body, size_t length, ServerState& state,
                              SourceInfoExtras* extras) {
  InfoReadResult result;
  SourceInfoExtras ignored;
  SourceInfoExtras& more = extras != nullptr ? *extras : ignored;
  ByteReader reader(body, length);
  reader.ReadByte(state.protocol);
  reader.ReadString(state.hostName);
  reader.ReadString(state.map);
  if (reader.ReadString(state.gameDir)) {
    state.isMod = EqualsNoCase(state.gameDir, kBaseGameFolder) ? 0 : 1;
  }
  reader.ReadString(state.gameDescription);
  reader.ReadInt16(more.appId);
  uint8_t count = 0;
  if (reader.ReadByte(count)) {
    result.playerCountChanged = count != state.players;
    state.players = count;
  }
  if (reader.ReadByte(count)) state.maxPlayers = count;
  reader.ReadByte(more.bots);
  uint8_t serverType = 0;
  if (reader.ReadByte(serverType)) state.dedicated = serverType == 'd';
  reader.ReadByte(state.os);
  uint8_t visibility = 0;
  if (reader.ReadByte(visibility)) state.password = visibility;
  reader.ReadByte(more.vac);
  reader.ReadString(more.version);
  ReadExtraData(reader, more);
  return result;
}

}  // namespace tarnwick
