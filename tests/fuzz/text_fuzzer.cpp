// Feeds random input to the readers of texts from servers, the registry and the command line. The
// first byte chooses the reader; each asserts what must hold whatever the input:
//   0 the rules body of the Server Info sheet: rows made only of the body's bytes;
//   1 the Mod page's texts and the link rule: whatever would be opened is a web address made of
//     printable ASCII without blanks, and nothing else is opened;
//   2 the server's address and game folder on the game's command line: split as the C runtime
//     splits a command line, the line holds exactly the arguments of its format, and the password
//     comes back as typed;
//   3 the highlight name matcher: the same answers as the plain recursive matcher on short texts,
//     and no call slower than a second on long ones;
//   4 the registry readers (column arrays, multi-strings, recent servers, link colours, highlight
//     rules, the uninstall command) on values of any type and content in the in-memory store;
//   5 the window command line;
//   6 server text as shown: always well-formed UTF-8, UTF-8 and ASCII unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/utf8_text.h"
#include "dialogs/server_info_texts.h"
#include "highlight/match_mask.h"
#include "launch/game_command_line.h"
#include "launch/locate_game_client.h"
#include "settings/memory_key_store.h"
#include "settings/settings_store.h"
#include "shell/command_line.h"
#include "controls/link_static_text.h"
#include "shell/window_settings.h"

namespace {

using namespace tarnwick;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool IsPrintableWithoutBlanks(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte > '~') return false;
  }
  return true;
}

// ---- 0: rules body

void FuzzRulesBody(const std::vector<uint8_t>& body) {
  const auto rows = ReadRulesBody(body);
  Check(rows.has_value() == !body.empty(), "rules: a body gives rows, none gives nothing");
  if (!rows) return;
  // After the two count bytes, every row takes at least one byte of the body.
  const size_t payload = body.size() > 2 ? body.size() - 2 : 0;
  size_t bytes = 0;
  for (const RuleRow& row : *rows) {
    Check(row.name.find('\0') == std::string::npos && row.value.find('\0') == std::string::npos,
          "rules: strings end at a zero byte");
    bytes += row.name.size() + row.value.size();
  }
  Check(rows->size() <= payload && bytes <= payload, "rules: rows made only of the body's bytes");
}

// ---- 1: Mod page and links

void CheckLinkTarget(const std::string& text) {
  const std::string target = WebAddressFromServerText(text);
  if (target.empty()) {
    const std::string plain = PlainServerText(text);
    Check(plain.size() == text.size(), "link: plain text shown whole");
    for (const char c : plain) {
      Check(static_cast<unsigned char>(c) >= ' ' && c != 0x7F, "link: plain text on one line");
    }
    return;
  }
  Check(StartsWithNoCase(target, "http://") || StartsWithNoCase(target, "https://"),
        "link: a target is an http or https address");
  Check(IsPrintableWithoutBlanks(target), "link: a target is printable ASCII without blanks");
  Check(target.size() <= kMaxWebAddress, "link: a target is bounded");
  Check(target == text || (StartsWithNoCase(text, "www.") && target == "http://" + text),
        "link: the target is the text itself, or a www. address with http:// in front");
}

void FuzzModPage(FuzzedDataProvider& input) {
  ServerState state;
  state.protocol = input.ConsumeIntegral<uint8_t>();
  state.modVersion = input.ConsumeIntegral<int32_t>();
  state.modSize = input.ConsumeIntegral<int32_t>();
  state.gameDescription = input.ConsumeRandomLengthString(512);
  state.gameDir = input.ConsumeRandomLengthString(512);
  state.modInfoLink = input.ConsumeRandomLengthString(4096);
  state.modText = input.ConsumeRemainingBytesAsString();
  const ModPageTexts texts = MakeModPageTexts(state);
  Check(texts.url == state.modInfoLink && texts.folder == state.gameDir,
        "mod page: the server's texts are shown as sent");
  Check(texts.download.has_value() == (state.protocol > 40), "mod page: download by protocol");
  CheckLinkTarget(texts.url);
  CheckLinkTarget(texts.folder);
  CheckLinkTarget(texts.version);
  if (texts.download) CheckLinkTarget(*texts.download);
}

// ---- 2: the game's command line

// The format of string 132, as the string table holds it.
constexpr char kGameFormat[] = "-game %s -console +password \"%s\" +connect %s";

// Splits a command line as the C runtime does for a program's arguments: blanks and tabs separate
// arguments outside double quotes; 2n backslashes before a quote give n and the quote opens or
// closes (a doubled quote inside quotes gives one quote); 2n+1 backslashes give n and a quote
// character; other backslashes stand for themselves.
std::vector<std::string> SplitLikeTheRuntime(std::string_view line) {
  std::vector<std::string> arguments;
  size_t at = 0;
  for (;;) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    if (at == line.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (at < line.size()) {
      size_t backslashes = 0;
      while (at < line.size() && line[at] == '\\') {
        ++backslashes;
        ++at;
      }
      if (at < line.size() && line[at] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
          argument += '"';
          ++at;
        } else {
          quoted = !quoted;
        }
        ++at;
        continue;
      }
      argument.append(backslashes, '\\');
      if (at == line.size()) break;
      if (!quoted && (line[at] == ' ' || line[at] == '\t')) break;
      argument += line[at++];
    }
    arguments.push_back(std::move(argument));
  }
}

void FuzzGameCommandLine(FuzzedDataProvider& input) {
  JoinFacts facts;
  for (uint8_t& octet : facts.resolved.address.octets) octet = input.ConsumeIntegral<uint8_t>();
  facts.resolved.port = input.ConsumeIntegral<uint16_t>();
  facts.isMod = input.ConsumeIntegral<uint8_t>();
  facts.reportedAddress = input.ConsumeRandomLengthString(128);
  facts.gameDir = input.ConsumeRandomLengthString(128);
  const std::string password = input.ConsumeRemainingBytesAsString();

  const std::string message = FolderNameForMessage(facts.gameDir);
  Check(message.size() <= kMaxGameFolderName + 3, "folder message: bounded");
  for (const char c : message) {
    Check(static_cast<unsigned char>(c) >= 0x20, "folder message: no control characters");
  }

  const std::optional<std::string> line = BuildGameCommandLine(kGameFormat, facts, password);
  const std::optional<std::string> game = GameArgument(facts);
  // The prompt lets no other password through, and the line is a C string.
  const bool usable = IsAcceptablePassword(password) && password.find('\0') == std::string::npos;
  Check(line.has_value() == (game.has_value() && IsAcceptablePassword(password)),
        "command line: built exactly when the folder and the password are usable");
  if (!line || !usable) return;
  Check(*game == kStandardGameFolder || IsPlainFolderName(*game), "command line: plain folder");
  const std::string connect = ConnectArgument(facts);
  Check(IsPlainEndpointText(connect) || connect == FormatEndpoint(facts.resolved),
        "command line: a plain address");
  const std::vector<std::string> arguments = SplitLikeTheRuntime(*line);
  Check(arguments.size() == 7, "command line: the server adds no argument");
  Check(arguments[0] == "-game" && arguments[1] == *game && arguments[2] == "-console" &&
            arguments[3] == "+password" && arguments[4] == password &&
            arguments[5] == "+connect" && arguments[6] == connect,
        "command line: every argument in its place, the password as typed");
}

// ---- 3: the highlight name matcher

// The matcher as first written: recursion at every place after a wildcard run, exponential on
// crafted input, so only given short texts.
bool ReferenceMatch(std::u32string_view name, std::u32string_view mask) {
  size_t s = 0;
  size_t p = 0;
  auto wildcard = [](char32_t c) { return c == '*' || c == '?'; };
  if (!name.empty()) {
    while (p < mask.size()) {
      if (name[s] == mask[p] || mask[p] == '?') {
        ++s;
        ++p;
        if (s == name.size()) break;
        continue;
      }
      if (mask[p] != '*') return false;
      while (p < mask.size() && wildcard(mask[p])) ++p;
      if (p == mask.size()) return true;
      const char32_t next = mask[p];
      for (size_t at = name.find(next, s); at != std::u32string_view::npos;
           at = name.find(next, at + 1)) {
        if (ReferenceMatch(name.substr(at), mask.substr(p))) return true;
      }
      return false;
    }
  }
  while (p < mask.size() && wildcard(mask[p])) ++p;
  return p == mask.size() && s == name.size();
}

void FuzzMatchMask(FuzzedDataProvider& input) {
  const std::string mask = input.ConsumeRandomLengthString(2048);
  const std::string name = input.ConsumeRemainingBytesAsString();
  const auto start = std::chrono::steady_clock::now();
  const bool matches = MatchMask(name, mask);
  Check(std::chrono::steady_clock::now() - start < std::chrono::seconds(1),
        "matcher: bounded time");
  if (name.size() <= 12 && mask.size() <= 12) {
    Check(matches == ReferenceMatch(FoldText(name), FoldText(mask)),
          "matcher: the answer of the plain matcher");
  }
}

// ---- 6: server text as shown

void FuzzServerText(const std::string& bytes) {
  const std::string shown = ServerTextToUtf8(bytes, &DecodeCodePage1252);
  Check(IsValidUtf8(shown), "server text: shown as well-formed UTF-8");
  if (IsValidUtf8(bytes)) Check(shown == bytes, "server text: UTF-8 and ASCII stay as sent");
  Check(shown.size() <= bytes.size() * 3, "server text: at most three bytes a byte");
  Check(Utf16ToUtf8(Utf8ToUtf16(shown)) == shown, "server text: survives the wide calls");
  Check(Utf16Length(shown) == Utf8ToUtf16(shown).size(), "server text: UTF-16 length");
}

// ---- 4: the registry readers

// The values the readers look for, and where they live.
struct ValuePlace {
  RootKey root;
  const char* path;
  const char* name;
};

const ValuePlace kPlaces[] = {
    {RootKey::kCurrentUser, kSettingsKeyPath, "ListOrders"},
    {RootKey::kCurrentUser, kSettingsKeyPath, "ListWidths"},
    {RootKey::kCurrentUser, kSettingsKeyPath, "Rcon recent list"},
    {RootKey::kCurrentUser, kSettingsKeyPath, "HLLocation"},
    {RootKey::kCurrentUser, kSettingsKeyPath, "WindowPos"},
    {RootKey::kCurrentUser, kSettingsKeyPath, "SortOrder"},
    {RootKey::kCurrentUser, "SOFTWARE\\Merrowind\\Tarnwick\\Recent Document List",
     "DocumentCount"},
    {RootKey::kCurrentUser, "SOFTWARE\\Merrowind\\Tarnwick\\Recent Document List", nullptr},
    {RootKey::kCurrentUser, "SOFTWARE\\Merrowind\\Tarnwick\\Highlight", nullptr},
    {RootKey::kCurrentUser, kBrowserSettingsPath, "Anchor Color"},
    {RootKey::kCurrentUser, kBrowserSettingsPath, "Anchor Color Visited"},
    {RootKey::kCurrentUser, kBrowserSettingsPath, "Anchor Color Hover"},
    {RootKey::kCurrentUser, kBrowserSettingsPath, "Use Anchor Hover Color"},
    {RootKey::kLocalMachine, kUninstallKeyPath, "UninstallString"},
};

void FuzzRegistry(FuzzedDataProvider& input) {
  MemoryKeyStore store;
  while (input.remaining_bytes() > 0) {
    const ValuePlace& place = input.PickValueInArray(kPlaces);
    // Places without a fixed name take "Document<n>" or a highlight mask from the input.
    std::string name;
    if (place.name != nullptr) {
      name = place.name;
    } else if (input.ConsumeBool()) {
      name = "Document" + std::to_string(input.ConsumeIntegralInRange<int>(0, 17));
    } else {
      name = input.ConsumeRandomLengthString(300);
    }
    const auto type = static_cast<ValueType>(input.ConsumeIntegralInRange<uint32_t>(0, 8));
    const std::string data = input.ConsumeRandomLengthString(600);
    std::unique_ptr<Key> key = store.Root(place.root).CreateSubkey(place.path);
    key->SetValue(name, type,
                  std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
  }

  WindowSettings window;
  window.recentServers.SetMaximum(kRecentServersWindowMaximum);
  LoadWindowSettings(store, window);
  const Settings& settings = window.settings;
  const RecentServers& servers = window.recentServers;
  const std::vector<HighlightRule>& rules = window.highlightRules;
  Check(IsColumnPermutation(settings.listOrders), "settings: the column order is a permutation");
  Check(servers.maximum() >= 1 && servers.maximum() <= kRecentServersWindowMaximum,
        "recent servers: the maximum is in range");
  Check(servers.entries().size() <= static_cast<size_t>(servers.maximum()),
        "recent servers: no more entries than the maximum");
  for (const std::string& entry : servers.entries()) {
    Check(!entry.empty() && entry.size() < 260 && entry.find('\0') == std::string::npos,
          "recent servers: entries are texts of at most 259 characters");
  }
  for (const std::string& command : window.consoleHistory.value_or(std::vector<std::string>{})) {
    Check(!command.empty() && command.find('\0') == std::string::npos,
          "console history: strings without zero bytes, none empty");
  }
  for (const HighlightRule& rule : rules) {
    Check(rule.mask.size() < 260, "highlight rules: masks of at most 259 characters");
  }
  Check(!settings.gameClientPath.empty(), "game client: always a path");
  MemoryKeyStore again;
  SaveWindowSettings(again, window);
  WindowSettings reread;
  LoadWindowSettings(again, reread);
  Check(reread.settings == settings, "settings: what was read is written and read back the same");

  LinkColours colours{1, 2, 3, false};
  const bool read = ReadLinkColours(store, colours);
  std::unique_ptr<Key> browser =
      store.Root(RootKey::kCurrentUser).OpenSubkey(kBrowserSettingsPath, KeyAccess::kRead);
  Check(read == (browser != nullptr), "link colours: read when the key exists");
}

// ---- 5: the window command line

void FuzzCommandLine(const std::string& line) {
  const WindowCommandLine parsed = ParseWindowCommandLine(line);
  const std::string& server = parsed.server;
  Check(server.size() <= line.size(), "command line: the server is part of the line");
  Check(server == LowerCopy(server), "command line: the server is lower-cased");
  Check(server.empty() || !(server[0] == ' ' || (server[0] >= '\t' && server[0] <= '\r')),
        "command line: no leading white space");
  Check(server.find("-new") == std::string::npos && server.find("-tray") == std::string::npos,
        "command line: no option is left in the server text");
  const std::string folded = LowerCopy(line);
  if (folded.find("-new") != std::string::npos) Check(parsed.openedWithNew, "command line: -new");
  if (folded.find("-tray") != std::string::npos) Check(parsed.startInTray, "command line: -tray");
  const WindowCommandLine again = ParseWindowCommandLine(server);
  Check(!again.openedWithNew && !again.startInTray && again.server == server,
        "command line: the server text reads as itself");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t reader = data[0];
  FuzzedDataProvider input(data + 1, size - 1);
  switch (reader % 7) {
    case 0:
      FuzzRulesBody(std::vector<uint8_t>(data + 1, data + size));
      break;
    case 1:
      FuzzModPage(input);
      break;
    case 2:
      FuzzGameCommandLine(input);
      break;
    case 3:
      FuzzMatchMask(input);
      break;
    case 4:
      FuzzRegistry(input);
      break;
    case 5:
      FuzzCommandLine(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
      break;
    default:
      FuzzServerText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
      break;
  }
  return 0;
}
