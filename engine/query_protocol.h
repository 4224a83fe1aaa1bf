// The connectionless query protocol on the wire: the one request shape, the reply types, and the
// texts inside print replies. Multi-byte numbers are little-endian; text is 8-bit ANSI.
#ifndef TARNWICK_ENGINE_QUERY_PROTOCOL_H
#define TARNWICK_ENGINE_QUERY_PROTOCOL_H

#include <cstddef>
#include <cstdint>
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
}  // namespace reply

// FF FF FF FF, the text (cut to 1019 bytes), 00.
std::vector<uint8_t> BuildRequest(std::string_view text);

// True when the datagram starts with the four 0xFF bytes of a whole reply.
bool HasReplyPrefix(const uint8_t* data, size_t length);

// The text a print reply carries. `payload` points at the type letter ('l') and `length` counts
// the bytes after the four-byte prefix. A payload that begins "log " and is longer than four bytes
// is a server log line and its text starts after "log "; otherwise the text starts after the type
// letter. The text ends at the first zero byte or at the end of the datagram.
std::string PrintReplyText(const uint8_t* payload, size_t length);

}  // namespace tarnwick

#endif
