// ByteReader walks a reply body field by field by the rules every reply reader shares:
// - a field is read only while the remaining count is above zero; once it is zero or below, every
//   further read does nothing and reports false, so the caller's stored value stays as it was;
// - a string consumes its length + 1, a byte 1, an int32 or float32 4, even when fewer bytes
//   remain (the count then drops to zero or below and reading stops);
// - bytes past the end of the datagram read as zero, so a string or number cut by the end of the
//   datagram ends there. No read ever touches memory outside [data, data + length).
#ifndef TARNWICK_ENGINE_BYTE_READER_H
#define TARNWICK_ENGINE_BYTE_READER_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t length)
      : data_(data), length_(length), remaining_(static_cast<int64_t>(length)) {}

  bool HasMore() const { return remaining_ > 0; }
  int64_t Remaining() const { return remaining_; }
  // Offset of the next field from the start of the body.
  size_t Position() const { return position_; }

  bool ReadString(std::string& out);
  bool ReadByte(uint8_t& out);
  bool ReadSignedByte(int32_t& out);  // widened with its sign
  bool ReadInt16(int16_t& out);
  bool ReadInt32(int32_t& out);
  bool ReadInt64(int64_t& out);
  bool ReadFloat(float& out);
  bool Skip(size_t count);  // consumes `count` bytes as one field

 private:
  uint8_t ByteAt(size_t offset) const { return offset < length_ ? data_[offset] : 0; }
  uint64_t ReadLittleEndian(size_t width);

  const uint8_t* data_;
  size_t length_;
  size_t position_ = 0;
  int64_t remaining_;
};

}  // namespace tarnwick

#endif
