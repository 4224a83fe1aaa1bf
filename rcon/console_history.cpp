// The "Rcon recent list" value.
#include "rcon/console_history.h"

#include <algorithm>
#include <iterator>

#include "rcon/console_rules.h"

namespace tarnwick {

std::vector<std::string> DecodeMultiString(std::span<const uint8_t> data) {
  std::vector<std::string> strings;
  auto at = data.begin();
  while (at != data.end()) {
    const auto end = std::find(at, data.end(), uint8_t{0});
    if (end == at) break;
    strings.emplace_back(at, end);
    at = end == data.end() ? end : end + 1;
  }
  return strings;
}

std::vector<uint8_t> EncodeMultiString(const std::vector<std::string>& strings) {
  std::vector<uint8_t> data;
  for (const std::string& s : strings) {
    data.insert(data.end(), s.begin(), s.end());
    data.push_back(0);
  }
  data.push_back(0);
  return data;
}

std::vector<std::string> LoadConsoleHistory(Key& settingsKey) {
  KeyValue value;
  if (settingsKey.QueryValue(kConsoleHistoryValue, kAnySize, value) != KeyStatus::kSuccess ||
      value.type != ValueType::kMultiString)
    return {};
  std::vector<std::string> history = DecodeMultiString(value.data);
  std::erase_if(history, [](const std::string& s) { return IsSecretCommand(s); });
  return history;
}

void SaveConsoleHistory(Key& settingsKey, const std::vector<std::string>& history) {
  std::vector<std::string> kept;
  std::copy_if(history.begin(), history.end(), std::back_inserter(kept),
               [](const std::string& s) { return !s.empty() && !IsSecretCommand(s); });
  if (kept.empty()) {
    settingsKey.DeleteValue(kConsoleHistoryValue);
  } else {
    settingsKey.SetValue(kConsoleHistoryValue, ValueType::kMultiString, EncodeMultiString(kept));
  }
}

}  // namespace tarnwick
