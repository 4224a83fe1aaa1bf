// The reader of the 'I' reply, which today's servers send for the binary info query instead of the
// information reply of 2001. It walks the body with ByteReader, so a reply that ends early updates
// only the fields it reaches.
#ifndef TARNWICK_ENGINE_SOURCE_INFO_READER_H
#define TARNWICK_ENGINE_SOURCE_INFO_READER_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/reply_readers.h"
#include "engine/server_state.h"

namespace tarnwick {

// What an 'I' reply carries beyond the fields of ServerState. A field the reply did not reach keeps
// the value it had.
struct SourceInfoExtras {
  int16_t appId = 0;
  uint8_t bots = 0;
  uint8_t vac = 0;
  std::string version;
  bool hasExtraData = false;  // the optional block after the version string was there
  uint8_t extraFlags = 0;
  uint16_t gamePort = 0;        // flag 0x80
  uint64_t steamId = 0;         // flag 0x10
  uint16_t spectatorPort = 0;   // flag 0x40, with the name
  std::string spectatorName;
  std::string keywords;         // flag 0x20
  uint64_t gameId = 0;          // flag 0x01
};

// Reads an 'I' body: protocol byte, name, map, folder, game, int16 app id, players, max players,
// bots, server type, environment, visibility, VAC, version string, then the optional extra-data
// block (flag byte; 0x80 game port int16, 0x10 SteamID int64, 0x40 spectator port int16 and name,
// 0x20 keywords string, 0x01 game id int64, in that order). Into `state` go `Protocol`,
// `HostName`, `Map`, `GameDir` (the folder), `GameDescription` (the game), `Players` and
// `MaxPlayers` (unsigned bytes here), `Dedicated` (server type 'd'), `Os` (the environment letter
// as given: 'l', 'w', 'm', 'o'), `Password` (the visibility byte) and `IsMod` (1 when the folder is
// not "valve", in any letter case). `Address` and the mod fields stay as they are.
InfoReadResult ReadSourceInfo(const uint8_t* body, size_t length, ServerState& state,
                              SourceInfoExtras* extras = nullptr);

}  // namespace tarnwick

#endif
