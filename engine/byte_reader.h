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
#include <cstring>
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

  // The readers run for every reply, so they are defined here to be inlined.
  bool ReadString(std::string& out) {
    if (!HasMore()) return false;
    const size_t start = position_ < length_ ? position_ : length_;
    const void* zero = std::memchr(data_ + start, 0, length_ - start);
    const size_t end = zero != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data_)
                                       : length_;
    out.assign(reinterpret_cast<const char*>(data_ + start), end - start);
    Consume(end - start + 1);
    return true;
  }
  bool ReadByte(uint8_t& out) {
    if (!HasMore()) return false;
    out = static_cast<uint8_t>(ReadLittleEndian(1));
    return true;
  }
  // Widened with its sign.
  bool ReadSignedByte(int32_t& out) {
    if (!HasMore()) return false;
    out = static_cast<int8_t>(static_cast<uint8_t>(ReadLittleEndian(1)));
    return true;
  }
  bool ReadInt16(int16_t& out) {
    if (!HasMore()) return false;
    out = static_cast<int16_t>(static_cast<uint16_t>(ReadLittleEndian(2)));
    return true;
  }
  bool ReadInt32(int32_t& out) {
    if (!HasMore()) return false;
    out = static_cast<int32_t>(static_cast<uint32_t>(ReadLittleEndian(4)));
    return true;
  }
  bool ReadInt64(int64_t& out) {
    if (!HasMore()) return false;
    out = static_cast<int64_t>(ReadLittleEndian(8));
    return true;
  }
  bool ReadFloat(float& out) {
    if (!HasMore()) return false;
    const auto bits = static_cast<uint32_t>(ReadLittleEndian(4));
    std::memcpy(&out, &bits, sizeof(out));
    return true;
  }
  // Consumes `count` bytes as one field.
  bool Skip(size_t count) {
    if (!HasMore()) return false;
    Consume(count);
    return true;
  }

 private:
  uint8_t ByteAt(size_t offset) const { return offset < length_ ? data_[offset] : 0; }
  void Consume(size_t count) {
    position_ += count;
    remaining_ -= static_cast<int64_t>(count);
  }
  uint64_t ReadLittleEndian(size_t width) {
    uint64_t value = 0;
    if (position_ <= length_ && width <= length_ - position_) {
      // The whole field lies inside the datagram: no byte needs the past-the-end rule.
      const uint8_t* at = data_ + position_;
      for (size_t i = 0; i < width; ++i) value |= static_cast<uint64_t>(at[i]) << (8 * i);
    } else {
      for (size_t i = 0; i < width; ++i) {
        value |= static_cast<uint64_t>(ByteAt(position_ + i)) << (8 * i);
      }
    }
    Consume(width);
    return value;
  }

  const uint8_t* data_;
  size_t length_;
  size_t position_ = 0;
  int64_t remaining_;
};

}  // namespace tarnwick

#endif
