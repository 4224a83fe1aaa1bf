// Feeds random input to the remote console's readers of server text and to its rcon session:
// - the output (received text in pieces, passwords added on the way): no password sent with ever
//   stands as the word after "rcon" or "rcon <number>", the text stays within its limit, and the
//   changes the output box is given rebuild the kept text exactly, in bytes and in UTF-16 units,
//   cut only between characters;
// - the rcon session (random commands, challenges, answers, server kinds and times): the
//   challenge-less form goes only to a server that answered the old text queries, every text
//   sent has one of the allowed forms with the latest challenge, no command goes out more than
//   twice, and no more than kMaxWaitingCommands wait;
// - the "Rcon recent list" reader: whatever it reads, encoding and reading again gives it back,
//   and nothing that sets a password comes out of the settings.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ansi_text.h"
#include "common/utf8_text.h"
#include "rcon/console_history.h"
#include "rcon/console_output.h"
#include "rcon/console_rules.h"
#include "rcon/rcon_session.h"
#include "rcon/rcon_texts.h"
#include "settings/memory_key_store.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tarnwick;

bool EndsWord(std::string_view text, size_t at) {
  return at == text.size() || std::string_view(" \t\"\r\n").find(text[at]) != text.npos;
}

// The places where a server's echo puts the password: after "rcon " and after "rcon <number> ",
// the number a challenge of up to ten digits, each place also right after a double quote.
std::vector<size_t> PasswordPlaces(std::string_view text) {
  std::vector<size_t> places;
  const std::string folded = LowerCopy(text);
  for (size_t at = folded.find("rcon "); at != std::string::npos;
       at = folded.find("rcon ", at + 1)) {
    std::vector<size_t> starts = {at + 5};
    size_t end = at + 5;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end > at + 5 && end - (at + 5) <= 10 && end < text.size() && text[end] == ' ') {
      starts.push_back(end + 1);
    }
    for (const size_t start : starts) {
      places.push_back(start);
      if (start < text.size() && text[start] == '"') places.push_back(start + 1);
    }
  }
  return places;
}

void CheckNoPasswordShows(std::string_view text, const std::vector<std::string>& passwords) {
  for (const size_t place : PasswordPlaces(text)) {
    for (const std::string& password : passwords) {
      // A password of asterisks looks the same masked; it tells nothing but its length.
      if (password.find_first_not_of('*') == std::string::npos) continue;
      Check(text.substr(place, password.size()) != password ||
                !EndsWord(text, place + password.size()),
            "a password shows after rcon", password);
    }
  }
}

std::string Echo(FuzzedDataProvider& in, const std::vector<std::string>& passwords) {
  std::string echo = in.ConsumeBool() ? "L 12/06/2026 - 10:00:00: Rcon: \"rcon " : "RCON ";
  if (in.ConsumeBool()) echo += std::to_string(in.ConsumeIntegral<uint32_t>()) + " ";
  const bool quoted = in.ConsumeBool();
  if (quoted) echo += '"';
  if (!passwords.empty()) {
    echo += passwords[in.ConsumeIntegralInRange<size_t>(0, passwords.size() - 1)];
  }
  if (quoted) echo += '"';
  echo += in.ConsumeBool() ? " status\" from \"127.0.0.1:27005\"\n" : "";
  return echo;
}

void FuzzOutput(FuzzedDataProvider& in) {
  const size_t limit = in.ConsumeIntegralInRange<size_t>(48, 2048);
  ConsoleOutput output(limit);
  std::vector<std::string> passwords;
  std::string box;
  std::u16string wideBox;  // as the platform's edit box counts it
  // The console is given text as shown: well-formed UTF-8 whatever the server sent.
  const auto append = [&](std::string_view sent) {
    const std::string received = ServerTextToUtf8(sent, &DecodeCodePage1252);
    const ConsoleOutput::Change change = output.Append(received);
    Check(change.replaceFrom <= box.size(), "a change starts beyond the box's text");
    box.replace(change.replaceFrom, std::string::npos, change.replacement);
    Check(change.dropFront <= box.size(), "a change drops more than the box holds");
    box.erase(0, change.dropFront);
    Check(box == output.Text(), "the box and the kept text differ");
    Check(change.replacedUnits <= wideBox.size(), "a change starts beyond the wide box's text");
    wideBox.replace(wideBox.size() - change.replacedUnits, std::u16string::npos,
                    Utf8ToUtf16(change.replacement));
    Check(change.dropFrontUnits <= wideBox.size(), "a change drops more than the wide box holds");
    wideBox.erase(0, change.dropFrontUnits);
    Check(IsValidUtf8(output.Text()), "the kept text is cut inside a character");
    Check(wideBox == Utf8ToUtf16(output.Text()), "the wide box and the kept text differ");
  };
  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange<int>(0, 4)) {
      case 0: {
        std::string password =
            ServerTextToUtf8(in.ConsumeRandomLengthString(kMaxConsoleText), &DecodeCodePage1252);
        if (output.AddPassword(password)) {
          box = output.Text();
          wideBox = Utf8ToUtf16(box);
        }
        if (!password.empty()) passwords.push_back(std::move(password));
        break;
      }
      case 1:
        append(in.ConsumeRandomLengthString(600));
        break;
      case 2: {
        // One echo, parted anywhere over two print replies.
        const std::string echo = Echo(in, passwords);
        const size_t cut = in.ConsumeIntegralInRange<size_t>(0, echo.size());
        append(std::string_view(echo).substr(0, cut));
        append(std::string_view(echo).substr(cut));
        break;
      }
      case 3:
        append(Echo(in, passwords));
        break;
      default:
        output.Clear();
        box.clear();
        wideBox.clear();
        break;
    }
    CheckNoPasswordShows(output.Text(), passwords);
    Check(output.Text().size() <= limit, "the output outgrew its limit");
  }
}

void FuzzSession(FuzzedDataProvider& in) {
  RconSession session;
  ServerKind kind = ServerKind::Unknown;
  std::optional<uint32_t> challenge;
  uint32_t now = in.ConsumeIntegral<uint32_t>();
  struct Submitted {
    std::string password;
    int sends = 0;
  };
  std::map<std::string, Submitted> commands;  // by command, each one "c<number>"
  const std::string badChallenge = "Bad rcon_password.\nBad challenge.\n";

  const auto checkSent = [&](const RconSteps& steps) {
    for (const std::string& text : steps.send) {
      if (text == kRconChallengeRequest) continue;
      const size_t blank = text.rfind(' ');
      Check(blank != std::string::npos, "a text without a command");
      const auto found = commands.find(text.substr(blank + 1));
      Check(found != commands.end(), "a command nobody submitted");
      Submitted& command = found->second;
      const bool classic = text == RconCommandText(command.password, found->first);
      const bool challenged =
          challenge && text == RconChallengeCommandText(*challenge, command.password, found->first);
      Check(classic || challenged, "a text of no allowed form, or with an old challenge");
      if (classic && !challenged) {
        Check(kind == ServerKind::Old, "the challenge-less form to a server that may be of today");
      }
      Check(++command.sends <= 2, "a command went out more than twice");
    }
    Check(session.Waiting() <= kMaxWaitingCommands, "too many commands wait");
  };

  while (in.remaining_bytes() > 0) {
    now += in.ConsumeBool() ? in.ConsumeIntegralInRange<uint32_t>(0, 4000)
                            : in.ConsumeIntegral<uint32_t>();
    switch (in.ConsumeIntegralInRange<int>(0, 6)) {
      case 0:
      case 1: {
        const std::string name = "c" + std::to_string(commands.size());
        const std::string password = in.ConsumeRandomLengthString(16);
        commands[name] = Submitted{password, 0};
        const size_t waiting = session.Waiting();
        const RconSteps steps = session.Submit(password, name, now);
        if (steps.refused) {
          Check(waiting == kMaxWaitingCommands && steps.send.empty(), "refused while room left");
        }
        checkSent(steps);
        break;
      }
      case 2:
        challenge = in.ConsumeIntegral<uint32_t>();
        checkSent(session.ChallengeReceived(*challenge, now));
        break;
      case 3: {
        const std::string answer =
            in.ConsumeBool() ? badChallenge : in.ConsumeRandomLengthString(64);
        if (IsBadChallengeAnswer(answer)) {
          Check(answer.find("Bad challenge.") != std::string::npos && answer.size() <= 36,
                "some other text taken for a refused challenge");
        }
        checkSent(session.AnswerReceived(answer, now));
        break;
      }
      case 4:
        kind = static_cast<ServerKind>(in.ConsumeIntegralInRange<int>(0, 3));
        checkSent(session.SetServerKind(kind, now));
        break;
      case 5:
        checkSent(session.Tick(now));
        break;
      default:
        session.Reset();
        kind = ServerKind::Unknown;
        challenge.reset();
        break;
    }
  }
}

void FuzzHistory(FuzzedDataProvider& in) {
  const std::vector<uint8_t> data = in.ConsumeRemainingBytes<uint8_t>();
  const std::vector<std::string> strings = DecodeMultiString(data);
  for (const std::string& s : strings) {
    Check(!s.empty() && s.find('\0') == std::string::npos, "an empty or cut string was read");
  }
  Check(DecodeMultiString(EncodeMultiString(strings)) == strings, "the round trip changed it");

  MemoryKeyStore store;
  std::unique_ptr<Key> key = store.Root(RootKey::kCurrentUser).CreateSubkey("Settings");
  key->SetValue(kConsoleHistoryValue, ValueType::kMultiString, data);
  const std::vector<std::string> loaded = LoadConsoleHistory(*key);
  SaveConsoleHistory(*key, loaded);
  Check(LoadConsoleHistory(*key) == loaded, "saving and loading changed the history");
  for (const std::string& s : loaded) Check(!IsSecretCommand(s), "a password came from storage");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: FuzzOutput(in); break;
    case 1: FuzzSession(in); break;
    default: FuzzHistory(in); break;
  }
  return 0;
}
