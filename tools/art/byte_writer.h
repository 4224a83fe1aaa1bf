// Little-endian output for the headers of Windows picture files.
#ifndef TARNWICK_TOOLS_ART_BYTE_WRITER_H
#define TARNWICK_TOOLS_ART_BYTE_WRITER_H

#include <cstdint>
#include <vector>

namespace tarnwick::art {

using Bytes = std::vector<uint8_t>;

inline void Put8(Bytes& out, uint32_t value) { out.push_back(static_cast<uint8_t>(value)); }

inline void Put16(Bytes& out, uint32_t value) {
  Put8(out, value & 0xFF);
  Put8(out, (value >> 8) & 0xFF);
}

inline void Put32(Bytes& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// Bytes of one row of `width` pixels at `bits` per pixel, padded to whole 32-bit words as every
// Windows bitmap row is.
inline uint32_t RowBytes(int width, int bits) {
  return static_cast<uint32_t>((width * bits + 31) / 32 * 4);
}

}  // namespace tarnwick::art

#endif
