// The demo server's own encoder: appends little-endian numbers and zero-terminated strings to a
// growing byte vector. It is written apart from the program's reply readers on purpose, so that a
// misreading of the wire format cannot hide in both the writer and the reader.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_BYTE_WRITER_H
#define TARNWICK_TOOLS_DEMO_SERVER_BYTE_WRITER_H

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnwick::demo {

using Datagram = std::vector<uint8_t>;

class ByteWriter {
 public:
  // The four 0xFF bytes every connectionless datagram starts with.
  ByteWriter& Prefix();
  ByteWriter& Byte(uint8_t value);
  ByteWriter& Int16(int16_t value);
  ByteWriter& Int32(int32_t value);
  ByteWriter& Uint32(uint32_t value);
  ByteWriter& Uint64(uint64_t value);
  ByteWriter& Float32(float value);
  // The text's bytes followed by one zero byte. A zero inside the text would end the string early
  // for any reader, so the text is cut at its first zero.
  ByteWriter& String(std::string_view text);
  // Raw bytes, no terminator.
  ByteWriter& Raw(std::string_view bytes);
  ByteWriter& Raw(const uint8_t* bytes, size_t count);

  size_t Size() const { return bytes_.size(); }
  const Datagram& Bytes() const { return bytes_; }
  Datagram Take() { return std::move(bytes_); }

 private:
  Datagram bytes_;
};

}  // namespace tarnwick::demo

#endif
