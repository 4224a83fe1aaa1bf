#include "engine/byte_reader.h"

#include <cstring>

namespace tarnwick {

uint64_t ByteReader::ReadLittleEndian(size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint64_t>(ByteAt(position_ + i)) << (8 * i);
  }
  position_ += width;
  remaining_ -= static_cast<int64_t>(width);
  return value;
}

bool ByteReader::ReadString(std::string& out) {
  if (!HasMore()) return false;
  const size_t start = position_;
  size_t end = start;
  while (end < length_ && data_[end] != 0) ++end;
  out.assign(reinterpret_cast<const char*>(data_ + start), end - start);
  const size_t consumed = end - start + 1;
  position_ += consumed;
  remaining_ -= static_cast<int64_t>(consumed);
  return true;
}

bool ByteReader::ReadByte(uint8_t& out) {
  if (!HasMore()) return false;
  out = static_cast<uint8_t>(ReadLittleEndian(1));
  return true;
}

bool ByteReader::ReadSignedByte(int32_t& out) {
  if (!HasMore()) return false;
  out = static_cast<int8_t>(static_cast<uint8_t>(ReadLittleEndian(1)));
  return true;
}

bool ByteReader::ReadInt16(int16_t& out) {
  if (!HasMore()) return false;
  out = static_cast<int16_t>(static_cast<uint16_t>(ReadLittleEndian(2)));
  return true;
}

bool ByteReader::ReadInt32(int32_t& out) {
  if (!HasMore()) return false;
  out = static_cast<int32_t>(static_cast<uint32_t>(ReadLittleEndian(4)));
  return true;
}

bool ByteReader::ReadInt64(int64_t& out) {
  if (!HasMore()) return false;
  out = static_cast<int64_t>(ReadLittleEndian(8));
  return true;
}

bool ByteReader::ReadFloat(float& out) {
  if (!HasMore()) return false;
  const auto bits = static_cast<uint32_t>(ReadLittleEndian(4));
  std::memcpy(&out, &bits, sizeof(out));
  return true;
}

bool ByteReader::Skip(size_t count) {
  if (!HasMore()) return false;
  position_ += count;
  remaining_ -= static_cast<int64_t>(count);
  return true;
}

}  // namespace tarnwick
