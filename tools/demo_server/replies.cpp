#include "tools/demo_server/replies.h"

#include <algorithm>

namespace tarnwick::demo {
namespace {

uint8_t Clamp(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

uint8_t PlayerCount(const ServerFacts& facts) {
  return Clamp(static_cast<int>(facts.players.size()));
}

ByteWriter& WriteIdentity(ByteWriter& writer, const ServerFacts& facts) {
  const DemoConfig& c = facts.config;
  return writer.String(c.host_name).String(c.map).String(c.folder).String(c.description);
}

}  // namespace

Datagram EncodePing() { return ByteWriter().Prefix().Byte('j').Byte(0).Take(); }

Datagram EncodeInfo(const ServerFacts& facts) {
  ByteWriter writer;
  writer.Prefix().Byte('C').String(facts.address);
  WriteIdentity(writer, facts);
  writer.Byte(PlayerCount(facts))
      .Byte(Clamp(facts.config.max_players))
      .Byte(Clamp(facts.config.protocol));
  return writer.Take();
}

Datagram EncodeDetails(const ServerFacts& facts, int protocol) {
  const DemoConfig& c = facts.config;
  ByteWriter writer;
  writer.Prefix().Byte('m').String(facts.address);
  WriteIdentity(writer, facts);
  writer.Byte(PlayerCount(facts)).Byte(Clamp(c.max_players)).Byte(Clamp(protocol));
  writer.Byte(c.dedicated ? 'd' : 'l').Byte(static_cast<uint8_t>(c.os)).Byte(c.password ? 1 : 0);
  writer.Byte(c.is_mod ? 1 : 0);
  const bool old_tail = protocol <= 40;
  if (c.is_mod && old_tail) {
    writer.String(c.mod.info_link).Byte(0).String(c.mod.version_text);
    writer.Int32(c.mod.version).Int32(c.mod.size).Byte(0).Byte(0);
  } else if (c.is_mod) {
    writer.String(c.mod.info_link).String(c.mod.download_link).Byte(0);
    writer.Int32(c.mod.version).Int32(c.mod.size).Byte(c.mod.type).Byte(c.mod.dll);
  }
  if (!old_tail) writer.Byte(c.vac).Byte(c.bots);
  return writer.Take();
}

Datagram EncodeSourceInfo(const ServerFacts& facts) {
  const DemoConfig& c = facts.config;
  const ModernOptions& m = c.modern_options;
  ByteWriter writer;
  writer.Prefix().Byte('I').Byte(m.protocol);
  WriteIdentity(writer, facts);
  writer.Int16(static_cast<int16_t>(m.app_id));
  writer.Byte(PlayerCount(facts)).Byte(Clamp(c.max_players)).Byte(c.bots);
  writer.Byte(c.dedicated ? 'd' : 'l').Byte(static_cast<uint8_t>(c.os)).Byte(c.password ? 1 : 0);
  writer.Byte(c.vac).String(m.game_version);
  if (!m.extra_data) return writer.Take();
  writer.Byte(m.extra_flags);
  if (m.extra_flags & 0x80) writer.Int16(static_cast<int16_t>(facts.port));
  if (m.extra_flags & 0x10) writer.Uint64(m.steam_id);
  if (m.extra_flags & 0x40)
    writer.Int16(static_cast<int16_t>(m.spectator_port)).String(m.spectator_name);
  if (m.extra_flags & 0x20) writer.String(m.keywords);
  if (m.extra_flags & 0x01) writer.Uint64(m.game_id);
  return writer.Take();
}

Datagram EncodePlayers(std::span<const DemoPlayer> players, bool zero_index) {
  const size_t count = std::min<size_t>(players.size(), 255);
  ByteWriter writer;
  writer.Prefix().Byte('D').Byte(static_cast<uint8_t>(count));
  for (size_t i = 0; i < count; ++i) {
    writer.Byte(zero_index ? 0 : static_cast<uint8_t>(i + 1)).String(players[i].name);
    writer.Int32(players[i].frags).Float32(players[i].seconds);
  }
  return writer.Take();
}

Datagram EncodeRules(std::span<const DemoRule> rules, size_t max_size) {
  size_t size = 4 + 1 + 2;
  size_t count = 0;
  for (const DemoRule& rule : rules) {
    const size_t more = rule.name.size() + 1 + rule.value.size() + 1;
    if (size + more > max_size || count == 0x7FFF) break;
    size += more;
    ++count;
  }
  ByteWriter writer;
  writer.Prefix().Byte('E').Int16(static_cast<int16_t>(count));
  for (size_t i = 0; i < count; ++i) writer.String(rules[i].name).String(rules[i].value);
  return writer.Take();
}

Datagram EncodeChallenge(uint32_t challenge) {
  return ByteWriter().Prefix().Byte('A').Uint32(challenge).Take();
}

Datagram EncodePrint(std::string_view text) {
  return ByteWriter().Prefix().Byte('l').String(text).Take();
}

Datagram EncodeText(std::string_view text) { return ByteWriter().Prefix().String(text).Take(); }

std::vector<Datagram> SplitReply(const Datagram& whole, int32_t sequence, size_t limit) {
  if (whole.size() <= limit) return {whole};
  if (limit <= kSplitHeaderSize) return {};
  const size_t piece_size = limit - kSplitHeaderSize;
  const size_t count = (whole.size() + piece_size - 1) / piece_size;
  if (count > 15) return {};
  std::vector<Datagram> pieces;
  for (size_t index = 0; index < count; ++index) {
    const size_t begin = index * piece_size;
    const size_t length = std::min(piece_size, whole.size() - begin);
    ByteWriter writer;
    writer.Uint32(0xFEFFFFFFu).Int32(sequence).Byte(static_cast<uint8_t>(index << 4 | count));
    writer.Raw(whole.data() + begin, length);
    pieces.push_back(writer.Take());
  }
  return pieces;
}

}  // namespace tarnwick::demo
