// Merging events into tray balloons, at most one in 10 s, with texts the tray can hold.
#include "highlight/notify_balloon.h"

#include <algorithm>

namespace tarnwick {
namespace {

// Control characters, the marks that reorder text (embeddings, overrides, isolates) and the
// line and paragraph separators.
bool IsHiddenUnit(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029;
}

// At most `room` units, never half of a surrogate pair.
void CutUnits(std::u16string& text, size_t room) {
  if (text.size() <= room) return;
  text.resize(room);
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
}

std::string CutToUnits(std::string_view utf8, size_t room) {
  std::u16string wide = Utf8ToUtf16(utf8);
  CutUnits(wide, room);
  return Utf16ToUtf8(wide);
}

std::string PlayersLine(const std::string& first, size_t count, std::string_view verb,
                        const std::string& map) {
  std::string line = first;
  if (count == 2) line += " and 1 other";
  if (count > 2) line += " and " + std::to_string(count - 1) + " others";
  line += ' ';
  line += verb;
  if (!map.empty()) line += ' ' + map;
  return line;
}

}  // namespace

std::string BalloonServerText(std::string_view bytes, size_t room, AnsiDecoder decode) {
  std::u16string wide = Utf8ToUtf16(ServerTextToUtf8(bytes, decode));
  wide.erase(std::remove_if(wide.begin(), wide.end(), IsHiddenUnit), wide.end());
  CutUnits(wide, room);
  return Utf16ToUtf8(wide);
}

void BalloonQueue::AddPlayers(MergedPlayers& merged, const std::vector<std::string>& names) {
  if (names.empty()) return;
  if (merged.count == 0) merged.first = BalloonServerText(names.front(), kBalloonNameRoom, decode_);
  merged.count += names.size();
}

void BalloonQueue::Add(const PlayerChanges& changes) {
  AddPlayers(joined_, changes.joined);
  AddPlayers(left_, changes.left);
}

void BalloonQueue::Add(const ServerEvents& events, const ServerSnapshot& after) {
  if (events.connectionLost) {
    lost_ = true;
    back_ = false;
  }
  if (events.connectionBack) back_ = true;
  if (events.mapChanged) newMap_ = BalloonServerText(after.map, kBalloonMapRoom, decode_);
  if (events.slotFreed)
    freeSlot_ = std::to_string(after.players) + "/" + std::to_string(after.maxPlayers);
}

bool BalloonQueue::Waiting() const {
  return joined_.count > 0 || left_.count > 0 || lost_ || back_ || newMap_ || freeSlot_;
}

std::optional<uint32_t> BalloonQueue::DueIn(uint32_t nowMs) const {
  if (!Waiting()) return std::nullopt;
  if (!lastShownMs_) return 0;
  const uint32_t elapsed = nowMs - *lastShownMs_;
  return elapsed >= kBalloonIntervalMs ? 0 : kBalloonIntervalMs - elapsed;
}

std::optional<Balloon> BalloonQueue::Take(uint32_t nowMs, std::string_view serverName,
                                          std::string_view map) {
  if (DueIn(nowMs) != 0u) return std::nullopt;
  const std::string shownMap = BalloonServerText(map, kBalloonMapRoom, decode_);
  std::vector<std::string> lines;
  if (lost_) lines.push_back(back_ ? "Connection lost and back" : "Connection lost");
  if (!lost_ && back_) lines.push_back("Server is back");
  if (newMap_) lines.push_back("Map changed to " + *newMap_);
  if (joined_.count > 0)
    lines.push_back(PlayersLine(joined_.first, joined_.count, "joined", shownMap));
  if (left_.count > 0) lines.push_back(PlayersLine(left_.first, left_.count, "left", shownMap));
  if (freeSlot_) lines.push_back("A slot is free (" + *freeSlot_ + ")");
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  Clear();
  lastShownMs_ = nowMs;
  return Balloon{BalloonServerText(serverName, kBalloonTitleRoom, decode_),
                 CutToUnits(text, kBalloonTextRoom)};
}

void BalloonQueue::Clear() {
  joined_ = {};
  left_ = {};
  lost_ = back_ = false;
  newMap_.reset();
  freeSlot_.reset();
}

}  // namespace tarnwick
