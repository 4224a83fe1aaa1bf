// The connectionless query protocol on the wire: the text request shape of servers of 2001, the
// binary requests today's servers answer instead, the reply types, split replies, and the texts
// inside print replies. Multi-byte numbers are little-endian; text is 8-bit ANSI.
#ifndef TARNWICK_ENGINE_QUERY_PROTOCOL_H
#define TARNWICK_ENGINE_QUERY_PROTOCOL_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Every request is assembled in a 1024-byte buffer: four 0xFF bytes, the text, one zero byte.
inline constexpr size_t kRequestBufferSize = 1024;
inline constexpr size_t kMaxRequestText = kRequestBufferSize - 5;

// The receive side reads at most this much of one datagram.
inline constexpr size_t kReceiveBufferSize = 8192;

namespace reply {
inline constexpr uint8_t kPing = 'j';
inline constexpr uint8_t kPrint = 'l';
inline constexpr uint8_t kInfo = 'C';
inline constexpr uint8_t kDetails = 'm';
inline constexpr uint8_t kPlayers = 'D';
inline constexpr uint8_t kRules = 'E';
// Today's servers: the answer to the binary info query, and "ask again with this number".
inline constexpr uint8_t kSourceInfo = 'I';
inline constexpr uint8_t kChallenge = 'A';
// The text "challenge rcon <number>\n" comes without a type letter of its own: its first letter.
inline constexpr uint8_t kRconChallenge = 'c';
}  // namespace reply

// The binary queries: FF FF FF FF, the letter, then for 'T' the zero-terminated text
// "Source Engine Query", and the challenge number (four bytes).
namespace binary {
inline constexpr uint8_t kInfo = 'T';
inline constexpr uint8_t kPlayers = 'U';
inline constexpr uint8_t kRules = 'V';
}  // namespace binary
// The challenge a client sends to ask the server for one.
inline constexpr uint32_t kAskForChallenge = 0xFFFFFFFFu;

// FF FF FF FF 'T' "Source Engine Query" 00, then the challenge when there is one.
std::vector<uint8_t> BuildSourceInfoRequest(std::optional<uint32_t> challenge);
// FF FF FF FF, `letter` ('U' or 'V'), the challenge.
std::vector<uint8_t> BuildChallengedRequest(uint8_t letter, uint32_t challenge);

// A piece of a split reply: the split prefix, int32 sequence, byte (index << 4 | count), the piece.
inline constexpr size_t kSplitHeaderSize = 9;

// True when the datagram carries the four-byte prefix of a piece of a split reply: the bytes
// FF FF FF FE, or FE FF FF FF, which is the same marker (-2) written as a little-endian int32 and
// what servers of the Half-Life engine put on the wire.
bool HasSplitPrefix(const uint8_t* data, size_t length);

// The number of a "challenge rcon <number>" reply. `payload` points at the first letter after the
// four-byte prefix and `length` counts the bytes from there. Blanks and line ends may follow the
// number; nothing when the text is anything else or the number does not fit 32 bits.
std::optional<uint32_t> ParseRconChallenge(const uint8_t* payload, size_t length);

// FF FF FF FF, the text (cut to 1019 bytes), 00.
std::vector<uint8_t> BuildRequest(std::string_view text);

// True when the datagram starts with the four 0xFF bytes of a whole reply.
bool HasReplyPrefix(const uint8_t* data, size_t length);

// True when a print reply is a server log line: its payload is longer than four bytes and begins
// "log " (the type letter 'l' and "og "). `payload` and `length` as for PrintReplyText.
bool IsServerLogLine(const uint8_t* payload, size_t length);

// The text a print reply carries. `payload` points at the type letter ('l') and `length` counts
// the bytes after the four-byte prefix. A payload that begins "log " and is longer than four bytes
// is a server log line and its text starts after "log "; otherwise the text starts after the type
// letter. The text ends at the first zero byte or at the end of the datagram.
std::string PrintReplyText(const uint8_t* payload, size_t length);

}  // namespace tarnwick

#endif
