#include "tools/demo_server/byte_writer.h"

#include <bit>

namespace tarnwick::demo {

ByteWriter& ByteWriter::Prefix() { return Uint32(0xFFFFFFFFu); }

ByteWriter& ByteWriter::Byte(uint8_t value) {
  bytes_.push_back(value);
  return *this;
}

ByteWriter& ByteWriter::Int16(int16_t value) {
  const auto bits = static_cast<uint16_t>(value);
  bytes_.push_back(static_cast<uint8_t>(bits & 0xFF));
  bytes_.push_back(static_cast<uint8_t>(bits >> 8));
  return *this;
}

ByteWriter& ByteWriter::Int32(int32_t value) { return Uint32(static_cast<uint32_t>(value)); }

ByteWriter& ByteWriter::Uint32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    bytes_.push_back(static_cast<uint8_t>(value >> shift));
  return *this;
}

ByteWriter& ByteWriter::Uint64(uint64_t value) {
  for (int shift = 0; shift < 64; shift += 8)
    bytes_.push_back(static_cast<uint8_t>(value >> shift));
  return *this;
}

ByteWriter& ByteWriter::Float32(float value) { return Uint32(std::bit_cast<uint32_t>(value)); }

ByteWriter& ByteWriter::String(std::string_view text) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  Raw(text);
  return Byte(0);
}

ByteWriter& ByteWriter::Raw(std::string_view bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

ByteWriter& ByteWriter::Raw(const uint8_t* bytes, size_t count) {
  bytes_.insert(bytes_.end(), bytes, bytes + count);
  return *this;
}

}  // namespace tarnwick::demo
