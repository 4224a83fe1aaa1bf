// ByteBuilder writes reply bytes for tests by hand: strings with their terminator, bytes, and
// little-endian numbers, so that expected wire bytes read plainly in a test.
#ifndef TARNWICK_TESTS_SUPPORT_BYTE_BUILDER_H
#define TARNWICK_TESTS_SUPPORT_BYTE_BUILDER_H

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tarnwick::testing {

class ByteBuilder {
 public:
  ByteBuilder& Prefix() { return Raw("\xFF\xFF\xFF\xFF", 4); }
  ByteBuilder& Str(const std::string& text) {
    // One insert with the terminator: a push_back after the insert trips a false overflow warning
    // of GCC 12 in optimised builds.
    bytes_.insert(bytes_.end(), text.c_str(), text.c_str() + text.size() + 1);
    return *this;
  }
  ByteBuilder& Text(const std::string& text) { return Raw(text.data(), text.size()); }
  ByteBuilder& Byte(uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  ByteBuilder& I16(int16_t value) { return Le(static_cast<uint16_t>(value), 2); }
  ByteBuilder& I32(int32_t value) { return Le(static_cast<uint32_t>(value), 4); }
  ByteBuilder& I64(int64_t value) { return Le(static_cast<uint64_t>(value), 8); }
  ByteBuilder& F32(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return Le(bits, 4);
  }
  ByteBuilder& Raw(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
    return *this;
  }
  // Cuts the bytes written so far to `size`.
  ByteBuilder& Cut(size_t size) {
    if (size < bytes_.size()) bytes_.resize(size);
    return *this;
  }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  const uint8_t* Data() const { return bytes_.data(); }
  size_t Size() const { return bytes_.size(); }

 private:
  ByteBuilder& Le(uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace tarnwick::testing

#endif
