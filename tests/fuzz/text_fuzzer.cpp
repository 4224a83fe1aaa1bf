// Feeds random input to the readers of texts from servers, the registry and the command line. The
// first byte chooses the reader; each asserts what must hold whatever the input:
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
//   0 and 6 server text as shown: always well-formed UTF-8, UTF-8 and ASCII unchanged; made a
//     file name: at most 64 bytes of well-formed UTF-8, nothing a file name may not hold, no blank
//     or dot at either end.
// (The rules body is read in the engine and fuzzed with the other replies.)
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
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
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace tarnwick;

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
  Check(std::all_of(target.begin(), target.end(), [](char c) { return c > ' ' && c <= '~'; }),
        "link: a target is printable ASCII without blanks");
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
  for (const std::string& text : {texts.url, texts.folder, texts.version}) CheckLinkTarget(text);
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
  const auto blank = [&] { return line[at] == ' ' || line[at] == '\t'; };
  for (;;) {
    while (at < line.size() && blank()) ++at;
    if (at == line.size()) return arguments;
    std::string argument;
    for (bool quoted = false; at < line.size() && (quoted || !blank());) {
      size_t backslashes = 0;
      for (; at < line.size() && line[at] == '\\'; ++at) ++backslashes;
      if (at < line.size() && line[at] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1 || (quoted && at + 1 < line.size() && line[at + 1] == '"')) {
          argument += '"';
          at += backslashes % 2 == 1 ? 1 : 2;
        } else {
          quoted = !quoted;
          ++at;
        }
      } else {
        argument.append(backslashes, '\\');
        if (backslashes == 0) argument += line[at++];
      }
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
  Check(arguments == std::vector<std::string>{"-game", *game, "-console", "+password", password,
                                              "+connect", connect},
        "command line: the server adds no argument, the password comes back as typed");
}

// ---- 3: the highlight name matcher

// The matcher as first written: recursion at every place after a wildcard run, exponential on
// crafted input, so only given short texts.
bool ReferenceMatch(std::u32string_view name, std::u32string_view mask) {
  constexpr std::u32string_view kWildcards = U"*?";
  if (name.empty()) return mask.find_first_not_of(kWildcards) == std::u32string_view::npos;
  if (mask.empty()) return false;
  if (name[0] == mask[0] || mask[0] == '?') return ReferenceMatch(name.substr(1), mask.substr(1));
  if (mask[0] != '*') return false;
  mask.remove_prefix(std::min(mask.find_first_not_of(kWildcards), mask.size()));
  if (mask.empty()) return true;
  for (size_t at = name.find(mask[0]); at != std::u32string_view::npos;
       at = name.find(mask[0], at + 1)) {
    if (ReferenceMatch(name.substr(at), mask)) return true;
  }
  return false;
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

void FuzzServerText(FuzzedDataProvider& input) {
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  const std::string shown = ServerTextToUtf8(bytes, &DecodeCodePage1252);
  Check(IsValidUtf8(shown), "server text: shown as well-formed UTF-8");
  if (IsValidUtf8(bytes)) Check(shown == bytes, "server text: UTF-8 and ASCII stay as sent");
  Check(shown.size() <= bytes.size() * 3, "server text: at most three bytes a byte");
  Check(Utf16ToUtf8(Utf8ToUtf16(shown)) == shown, "server text: survives the wide calls");
  Check(Utf16Length(shown) == Utf8ToUtf16(shown).size(), "server text: UTF-16 length");
  const std::string file = FileNameFromServerName(shown);
  Check(file.size() <= 64 && IsValidUtf8(file), "file name: short, whole characters");
  for (const char c : file) {
    Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F &&
              std::string_view("<>:\"/\\|?*").find(c) == std::string_view::npos,
          "file name: only what a file name may hold");
  }
  Check(file.empty() || (file.front() != ' ' && file.front() != '.' && file.back() != ' ' &&
                         file.back() != '.'),
        "file name: no blank or dot at either end");
}

// ---- 4: the registry readers

// The values the readers look for, and where they live.
struct ValuePlace {
  RootKey root;
  const char* path;
  const char* name;
};

constexpr RootKey kUser = RootKey::kCurrentUser;
constexpr const char* kSettings = kSettingsKeyPath;
constexpr char kRecent[] = "SOFTWARE\\Merrowind\\Tarnwick\\Recent Document List";
constexpr const char* kBrowser = kBrowserSettingsPath;
const ValuePlace kPlaces[] = {
    {kUser, kSettings, "ListOrders"},        {kUser, kSettings, "ListWidths"},
    {kUser, kSettings, "Rcon recent list"},  {kUser, kSettings, "HLLocation"},
    {kUser, kSettings, "WindowPos"},         {kUser, kSettings, "SortOrder"},
    {kUser, kRecent, "DocumentCount"},       {kUser, kRecent, nullptr},
    {kUser, "SOFTWARE\\Merrowind\\Tarnwick\\Highlight", nullptr},
    {kUser, kBrowser, "Anchor Color"},       {kUser, kBrowser, "Anchor Color Visited"},
    {kUser, kBrowser, "Anchor Color Hover"}, {kUser, kBrowser, "Use Anchor Hover Color"},
    {RootKey::kLocalMachine, kUninstallKeyPath, "UninstallString"},
};

void FuzzRegistry(FuzzedDataProvider& input) {
  MemoryKeyStore store;
  while (input.remaining_bytes() > 0) {
    const ValuePlace& place = input.PickValueInArray(kPlaces);
    // Places without a fixed name take "Document<n>" or a highlight mask from the input.
    std::string name = place.name != nullptr ? place.name : input.ConsumeRandomLengthString(300);
    if (place.name == nullptr && input.ConsumeBool()) {
      name = "Document" + std::to_string(input.ConsumeIntegralInRange<int>(0, 17));
    }
    const auto type = static_cast<ValueType>(input.ConsumeIntegralInRange<uint32_t>(0, 8));
    const std::string data = input.ConsumeRandomLengthString(600);
    store.Root(place.root).CreateSubkey(place.path)->SetValue(
        name, type, std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
  }

  WindowSettings window;
  window.recentServers.SetMaximum(kRecentServersWindowMaximum);
  LoadWindowSettings(store, window);
  const Settings& settings = window.settings;
  const RecentServers& servers = window.recentServers;
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
  for (const HighlightRule& rule : window.highlightRules) {
    Check(rule.mask.size() < 260, "highlight rules: masks of at most 259 characters");
  }
  Check(!settings.gameClientPath.empty(), "game client: always a path");
  MemoryKeyStore again;
  SaveWindowSettings(again, window);
  WindowSettings reread;
  LoadWindowSettings(again, reread);
  Check(reread.settings == settings, "settings: what was read is written and read back the same");

  LinkColours colours{1, 2, 3, false};
  const bool present = store.Root(kUser).OpenSubkey(kBrowser, KeyAccess::kRead) != nullptr;
  Check(ReadLinkColours(store, colours) == present, "link colours: read when the key exists");
}

// ---- 5: the window command line

void FuzzCommandLine(FuzzedDataProvider& input) {
  const std::string line = input.ConsumeRemainingBytesAsString();
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
  using Reader = void (*)(FuzzedDataProvider&);
  // Selector 0 read the rules body, which the reply fuzzer covers now; the seeds keep their numbers.
  constexpr Reader kReaders[] = {FuzzServerText, FuzzModPage,     FuzzGameCommandLine, FuzzMatchMask,
                                 FuzzRegistry,   FuzzCommandLine, FuzzServerText};
  if (size == 0) return 0;
  FuzzedDataProvider input(data + 1, size - 1);
  kReaders[data[0] % std::size(kReaders)](input);
  return 0;
}
