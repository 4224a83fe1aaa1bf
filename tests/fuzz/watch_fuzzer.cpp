// Feeds random player lists, server states, resets and the passing of time through the watch of
// notifying rules and its balloons. The rules are read from settings the input fills with values
// of any type and size. Whatever the input:
//   - the rules read, saved and read again, come back as they were;
//   - a list confirms no more joins or leaves than a players reply can hold;
//   - a balloon comes exactly when the queue says one is due, never two within 10 s;
//   - title and text are well-formed UTF-8 within what the tray's balloon holds (63 and 255
//     UTF-16 units), with no control character (the text's own line feeds apart), no mark that
//     reorders text and no line separator.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/utf8_text.h"
#include "highlight/notify_balloon.h"
#include "highlight/player_watch.h"
#include "highlight/server_events.h"
#include "settings/memory_key_store.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tarnwick;

bool Hidden(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029;
}

void CheckShown(const std::string& text, size_t room, bool lines, const char* what) {
  Check(IsValidUtf8(text) && Utf16Length(text) <= room, what);
  for (const char32_t c : Utf8ToCodePoints(text)) Check(!Hidden(c) || (lines && c == '\n'), what);
}

// Pieces a crafted name would use: the marks a balloon must not show, characters of four bytes,
// code page bytes, and a name a rule watches.
const char* const kPieces[] = {"Free",         "man",          "\r\n",         "\x1B[",
                               "\xC2\x85",     "\xE2\x80\xAE", "\xE2\x80\xA8", "\xE2\x80\xA9",
                               "\xE2\x81\xA6", "\xF0\x9F\x98\x80", "\xE9",       "\xED\xA0\x80"};

// Server text: raw bytes, or pieces with bytes between them.
std::string ConsumeText(FuzzedDataProvider& input, size_t maxLength) {
  if (input.ConsumeBool()) return input.ConsumeRandomLengthString(maxLength);
  std::string text;
  for (int n = input.ConsumeIntegralInRange(0, 40); n > 0 && text.size() < maxLength; --n) {
    text += input.PickValueInArray(kPieces);
    if (input.ConsumeBool()) text += input.ConsumeRandomLengthString(8);
  }
  return text;
}

std::vector<HighlightRule> ConsumeRules(FuzzedDataProvider& input) {
  MemoryKeyStore store;
  Key& root = store.Root(RootKey::kCurrentUser);
  std::unique_ptr<Key> settings = root.CreateSubkey("Settings");
  for (int n = input.ConsumeIntegralInRange(0, 6); n > 0; --n) {
    std::unique_ptr<Key> key =
        settings->CreateSubkey(input.ConsumeBool() ? kHighlightKeyName : kHighlightNotifyKeyName);
    const std::string name = input.ConsumeBool() ? "Free*" : ConsumeText(input, 300);
    const ValueType type = input.ConsumeBool() ? ValueType::kDword : ValueType::kBinary;
    const std::string data = input.ConsumeRandomLengthString(8);
    key->SetValue(name, type, {reinterpret_cast<const uint8_t*>(data.data()), data.size()});
  }
  const std::vector<HighlightRule> rules = LoadHighlightRules(settings.get());
  std::unique_ptr<Key> copy = root.CreateSubkey("Copy");
  SaveHighlightRules(*copy, rules);
  Check(LoadHighlightRules(copy.get()) == rules, "rules: saved and read again unchanged");
  return rules;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<HighlightRule> rules = ConsumeRules(input);
  rules.push_back({0, "*", input.ConsumeBool()});
  const NotifyOptions options{input.ConsumeBool(), input.ConsumeBool(), input.ConsumeBool(),
                              input.ConsumeBool()};
  const std::string serverName = ConsumeText(input, 300);
  PlayerWatch watch;
  BalloonQueue queue;
  ServerSnapshot state;
  uint64_t now = input.ConsumeIntegral<uint32_t>();  // the tick count may wrap; time does not
  std::optional<uint64_t> lastBalloon;

  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
      case 0: {
        std::vector<std::string> names(input.ConsumeIntegralInRange<size_t>(0, 300));
        for (std::string& name : names) name = ConsumeText(input, 300);
        const PlayerChanges changes = watch.Feed(names, rules);
        const size_t most = kMaxWatchedListNames;  // what one reply can hold
        Check(changes.joined.size() <= most && changes.left.size() <= most, "watch: bounded");
        if (options.watchedPlayers) queue.Add(changes);
        break;
      }
      case 1: {
        const ServerSnapshot after{input.ConsumeBool(), input.ConsumeBool(),
                                   input.ConsumeIntegral<int8_t>(), input.ConsumeIntegral<int8_t>(),
                                   ConsumeText(input, 100)};
        queue.Add(DetectServerEvents(state, after, options), after);
        state = after;
        break;
      }
      case 2:
        watch.Reset();
        queue.Clear();
        break;
      default:
        now += input.ConsumeIntegralInRange<uint32_t>(0, 30000);
        break;
    }
    const auto tick = static_cast<uint32_t>(now);
    const bool due = queue.DueIn(tick) == 0u;
    const std::optional<Balloon> balloon = queue.Take(tick, serverName, state.map);
    Check(balloon.has_value() == due, "balloon: given exactly when due");
    if (!balloon) continue;
    Check(!lastBalloon || now - *lastBalloon >= kBalloonIntervalMs, "balloon: one in 10 s");
    lastBalloon = now;
    CheckShown(balloon->title, kBalloonTitleRoom, false, "balloon: title shown and bounded");
    CheckShown(balloon->text, kBalloonTextRoom, true, "balloon: text shown and bounded");
  }
  return 0;
}
