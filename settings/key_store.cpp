// The typed helpers shared by every Key implementation.
#include "settings/key_store.h"

#include <algorithm>

namespace tarnwick {

KeyStatus SetDword(Key& key, std::string_view name, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return key.SetValue(name, ValueType::kDword, bytes);
}

KeyStatus SetString(Key& key, std::string_view name, std::string_view text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return key.SetValue(name, ValueType::kString, bytes);
}

KeyStatus SetBinary(Key& key, std::string_view name, std::span<const uint8_t> data) {
  return key.SetValue(name, ValueType::kBinary, data);
}

uint32_t DwordFromBytes(std::span<const uint8_t> data) {
  uint32_t value = 0;
  const size_t count = std::min<size_t>(data.size(), 4);
  for (size_t i = 0; i < count; ++i) value |= static_cast<uint32_t>(data[i]) << (8 * i);
  return value;
}

std::string TextFromBytes(std::span<const uint8_t> data) {
  const auto end = std::find(data.begin(), data.end(), uint8_t{0});
  return std::string(data.begin(), end);
}

}  // namespace tarnwick
