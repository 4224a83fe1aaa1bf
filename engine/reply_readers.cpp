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

namespace {

// Texts are built in a small buffer and assigned once: the players reply formats three per row.
// `at` must have room for 11 characters (a sign and ten digits).
char* PutDecimal(char* at, int32_t value) {
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *at++ = '-';
    magnitude = 0u - magnitude;
  }
  char reversed[10];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) *at++ = reversed[--count];
  return at;
}

void AssignDecimal(std::string& out, int32_t value) {
  char digits[12];
  out.assign(digits, PutDecimal(digits, value));
}

// "%02d": at least two characters, a minus sign counting as one of them.
char* PutTwoDigits(char* at, int32_t value) {
  if (value >= 0 && value < 10) *at++ = '0';
  return PutDecimal(at, value);
}

}  // namespace

void FormatConnectedTime(float seconds, std::string& out) {
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
  char text[40];
  char* at = PutTwoDigits(text, t / 3600);
  *at++ = ':';
  at = PutTwoDigits(at, (t % 3600) / 60);
  *at++ = ':';
  at = PutTwoDigits(at, (t % 3600) % 60);
  out.assign(text, at);
}

std::string FormatConnectedTime(float seconds) {
  std::string text;
  FormatConnectedTime(seconds, text);
  return text;
}

void ReadPlayers(const uint8_t* body, size_t length, std::vector<PlayerRow>& rows) {
  ByteReader reader(body, length);
  uint8_t count = 0;
  reader.ReadByte(count);
  size_t used = 0;
  for (int i = 0; i < count && reader.HasMore(); ++i) {
    if (used == rows.size()) rows.emplace_back();
    PlayerRow& row = rows[used++];
    row.name.clear();
    row.frags.clear();
    row.time.clear();
    int32_t index = 0;
    reader.ReadSignedByte(index);
    AssignDecimal(row.index, index);
    row.columns = 1;
    if (reader.ReadString(row.name)) row.columns = 2;
    int32_t frags = 0;
    if (reader.ReadInt32(frags)) {
      AssignDecimal(row.frags, frags);
      row.columns = 3;
    }
    float seconds = 0;
    if (reader.ReadFloat(seconds)) {
      FormatConnectedTime(seconds, row.time);
      row.columns = 4;
    }
  }
  rows.resize(used);
}

std::vector<PlayerRow> ReadPlayers(const uint8_t* body, size_t length) {
  std::vector<PlayerRow> rows;
  ReadPlayers(body, length, rows);
  return rows;
}

std::optional<std::vector<RuleRow>> ReadRules(const uint8_t* body, size_t length) {
  if (length == 0) return std::nullopt;
  std::vector<RuleRow> rows;
  ByteReader reader(body, length);
  reader.Skip(2);
  RuleRow row;
  while (reader.ReadString(row.name)) {
    if (!reader.ReadString(row.value)) row.value.clear();
    rows.push_back(std::move(row));
    row = RuleRow();
  }
  return rows;
}

}  // namespace tarnwick
