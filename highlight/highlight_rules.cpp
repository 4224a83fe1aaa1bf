// The highlight rule list: defaults, registry layout, ordering and lookup.
#include "highlight/highlight_rules.h"

#include <algorithm>

#include "highlight/match_mask.h"

namespace tarnwick {
namespace {

constexpr size_t kMaskRoom = 260;  // characters with the terminator
constexpr size_t kAttributesSize = 4;

}  // namespace

uint32_t MakeHighlightAttributes(uint32_t colour, int styleIndex, uint32_t priority) {
  return (colour & kHighlightColourMask) |
         ((static_cast<uint32_t>(styleIndex) << kHighlightStyleShift) & kHighlightStyleMask) |
         ((priority & kHighlightMaxPriority) << kHighlightPriorityShift);
}

std::vector<HighlightRule> DefaultHighlightRules() {
  return {{0xF9A00000, "[Kx4t].*"}, {0x00400080, "*[*]*"}};
}

HighlightRule NewHighlightRule() { return {0x20000000, "<<Mask>>"}; }

std::vector<HighlightRule> LoadHighlightRules(Key* settingsKey) {
  std::unique_ptr<Key> key;
  if (settingsKey != nullptr) key = settingsKey->OpenSubkey(kHighlightKeyName, KeyAccess::kRead);
  if (!key) return DefaultHighlightRules();
  std::vector<HighlightRule> rules;
  for (uint32_t index = 0;; ++index) {
    std::string name;
    KeyValue value;
    if (key->EnumValue(index, kMaskRoom, kAttributesSize, name, value) != KeyStatus::kSuccess ||
        value.type != ValueType::kDword)
      break;
    rules.push_back({DwordFromBytes(value.data), std::move(name)});
  }
  std::unique_ptr<Key> notify = settingsKey->OpenSubkey(kHighlightNotifyKeyName, KeyAccess::kRead);
  if (!notify) return rules;
  for (HighlightRule& rule : rules) {
    KeyValue value;
    rule.notify = notify->QueryValue(rule.mask, kAttributesSize, value) == KeyStatus::kSuccess &&
                  value.type == ValueType::kDword && DwordFromBytes(value.data) != 0;
  }
  return rules;
}

KeyStatus SaveHighlightRules(Key& settingsKey, const std::vector<HighlightRule>& rules) {
  settingsKey.DeleteSubkey(kHighlightKeyName);
  KeyStatus status = KeyStatus::kSuccess;
  std::unique_ptr<Key> key = settingsKey.CreateSubkey(kHighlightKeyName, &status);
  if (!key) return status;
  for (const HighlightRule& rule : rules) SetDword(*key, rule.mask, rule.attributes);

  settingsKey.DeleteSubkey(kHighlightNotifyKeyName);
  if (std::none_of(rules.begin(), rules.end(), [](const HighlightRule& r) { return r.notify; }))
    return KeyStatus::kSuccess;
  std::unique_ptr<Key> notify = settingsKey.CreateSubkey(kHighlightNotifyKeyName, &status);
  if (!notify) return status;
  // In list order, so that of two masks equal without regard to case the later decides, as it
  // does for the attributes.
  for (const HighlightRule& rule : rules) {
    if (rule.notify)
      SetDword(*notify, rule.mask, 1);
    else
      notify->DeleteValue(rule.mask);
  }
  return KeyStatus::kSuccess;
}

void SortByPriority(std::vector<HighlightRule>& rules) {
  std::stable_sort(rules.begin(), rules.end(), [](const HighlightRule& a, const HighlightRule& b) {
    return RulePriority(a.attributes) > RulePriority(b.attributes);
  });
}

const HighlightRule* FindHighlightRule(const std::vector<HighlightRule>& rules,
                                       std::string_view name, TextFolder fold) {
  for (const HighlightRule& rule : rules)
    if (MatchMask(name, rule.mask, fold)) return &rule;
  return nullptr;
}

}  // namespace tarnwick
