// The recent servers model and its registry layout.
#include "settings/recent_servers.h"

#include <algorithm>

#include "common/ansi_text.h"
#include "common/utf8_text.h"

namespace tarnwick {
namespace {

constexpr size_t kEntryRoom = 260;

std::string DocumentName(int number) { return Format("Document%i", number); }

}  // namespace

std::string RecentServerLabel(int position, std::string_view text) {
  const std::string entry(text);
  if (position < 9) return Format("&%i %s", position + 1, entry.c_str());
  if (position == 9) return Format("1&0 %s", entry.c_str());
  return Format("%i %s", position + 1, entry.c_str());
}

void RecentServers::SetMaximum(int32_t maximum) { maximum_ = std::max<int32_t>(maximum, 1); }

void RecentServers::AddServer(std::string_view text) {
  auto same = std::find_if(entries_.begin(), entries_.end(),
                           [&](const std::string& entry) { return EqualsUtf8NoCase(entry, text); });
  if (same != entries_.end()) entries_.erase(same);
  while (static_cast<int32_t>(entries_.size()) >= maximum_) entries_.erase(entries_.begin());
  entries_.emplace_back(text);
  UpdateMenu();
}

std::optional<size_t> RecentServers::IndexOf(uint32_t id) const {
  if (id < kRecentServerFirstId) return std::nullopt;
  const size_t fromNewest = id - kRecentServerFirstId;
  if (fromNewest >= entries_.size()) return std::nullopt;
  return entries_.size() - 1 - fromNewest;
}

std::optional<std::string> RecentServers::GetServer(uint32_t id) const {
  if (auto index = IndexOf(id)) return entries_[*index];
  return std::nullopt;
}

void RecentServers::MoveToTop(uint32_t id) {
  const auto index = IndexOf(id);
  if (!index) return;
  std::string entry = std::move(entries_[*index]);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*index));
  entries_.push_back(std::move(entry));
  UpdateMenu();
}

void RecentServers::RemoveServer(uint32_t id) {
  const auto index = IndexOf(id);
  if (!index) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*index));
  UpdateMenu();
}

void RecentServers::ReadServers(Key& settingsKey) {
  std::unique_ptr<Key> key = settingsKey.OpenSubkey(kRecentServersKeyName, KeyAccess::kAll);
  if (!key) return;
  KeyValue count;
  if (key->QueryValue("DocumentCount", 4, count) == KeyStatus::kSuccess && count.data.size() == 4) {
    const auto stored = static_cast<int32_t>(DwordFromBytes(count.data));
    if (stored >= 1 && stored <= kRecentServersWindowMaximum) maximum_ = stored;
  }
  entries_.clear();
  for (int number = maximum_; number >= 1; --number) {
    KeyValue value;
    if (key->QueryValue(DocumentName(number), kEntryRoom, value) != KeyStatus::kSuccess) continue;
    // An empty text is no server; as an entry it would only show a bare number in the menus. A
    // value that fills the room without a terminator is no text this list wrote.
    std::string text = TextFromBytes(value.data);
    if (!text.empty() && text.size() < kEntryRoom) entries_.push_back(std::move(text));
  }
  UpdateMenu();
}

void RecentServers::WriteServers(Key& settingsKey) const {
  std::unique_ptr<Key> key = settingsKey.CreateSubkey(kRecentServersKeyName);
  if (!key) return;
  SetDword(*key, "DocumentCount", static_cast<uint32_t>(maximum_));
  const int count = static_cast<int>(entries_.size());
  for (int number = count; number >= 1; --number)
    SetString(*key, DocumentName(number), entries_[static_cast<size_t>(count - number)]);
  for (int number = count + 1; number <= kRecentServersWindowMaximum; ++number)
    key->DeleteValue(DocumentName(number));
}

}  // namespace tarnwick
