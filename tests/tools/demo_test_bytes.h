// Helpers for the demo server's tests: expected datagrams are spelled out byte by byte and string
// by string here, never produced by the server's own ByteWriter, so a mistake in the writer shows.
#ifndef TARNWICK_TESTS_TOOLS_DEMO_TEST_BYTES_H
#define TARNWICK_TESTS_TOOLS_DEMO_TEST_BYTES_H

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tools/demo_server/responder.h"

namespace tarnwick::demo::demo_test {

using Bytes = std::vector<uint8_t>;

inline Bytes B(std::initializer_list<int> values) {
  Bytes bytes;
  for (int value : values) bytes.push_back(static_cast<uint8_t>(value));
  return bytes;
}

// A string field: the text and its zero byte.
inline Bytes Z(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Bytes kPrefix = {0xFF, 0xFF, 0xFF, 0xFF};

// A text request as clients send it: four 0xFF bytes, the text, one zero byte.
inline Bytes Request(std::string_view text) { return Cat({kPrefix, Z(text)}); }

inline Bytes Uint32Bytes(uint32_t value) {
  return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

inline uint32_t ReadUint32At(const Bytes& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

const Endpoint kServer{kLoopbackAddress, 27015};
const Endpoint kClient{kLoopbackAddress, 40000};

inline std::vector<Outgoing> Ask(Responder& responder, const Bytes& datagram, int64_t now_ms = 0,
                                 const Endpoint& from = kClient) {
  return responder.HandleDatagram(datagram, from, now_ms);
}

// The one datagram a request got back (empty, with a failure, when it got none or several).
inline Bytes Only(const std::vector<Outgoing>& out) {
  EXPECT_EQ(out.size(), 1u);
  return out.size() == 1 ? out[0].bytes : Bytes();
}

}  // namespace tarnwick::demo::demo_test

#endif
