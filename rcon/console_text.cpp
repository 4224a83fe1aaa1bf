#include "rcon/console_text.h"

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

constexpr std::string_view kCommandWord = "rcon";
// Servers echo the single blanks the console sends; a few more are still looked through.
constexpr size_t kMostBlanks = 8;
constexpr size_t kMostDigits = 10;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EndsPassword(std::string_view text, size_t at) {
  if (at == text.size()) return true;
  const char c = text[at];
  return IsBlank(c) || c == '"' || c == '\r' || c == '\n';
}

// The end of the blanks from `at` (at most kMostBlanks of them).
size_t SkipBlanks(std::string_view text, size_t at) {
  size_t end = at;
  while (end < text.size() && end - at < kMostBlanks && IsBlank(text[end])) ++end;
  return end;
}

// The length of the longest password that `text` holds at `at`, ended as a password ends, or of
// the start of one that the text ends in; 0 if none.
size_t PasswordAt(std::string_view text, size_t at, std::span<const std::string> passwords) {
  size_t longest = 0;
  const std::string_view rest = text.substr(at);
  for (const std::string& password : passwords) {
    if (password.size() > longest && rest.substr(0, password.size()) == password &&
        EndsPassword(text, at + password.size())) {
      longest = password.size();
    } else if (rest.size() > longest && rest.size() < password.size() &&
               password.compare(0, rest.size(), rest) == 0) {
      longest = rest.size();
    }
  }
  return longest;
}

// Masks a password that starts anywhere from `first` to `last` (a password may begin with a
// blank), or right after a double quote there.
void MaskFrom(std::string_view text, size_t first, size_t last,
              std::span<const std::string> passwords, std::string& masked) {
  for (size_t at = first; at <= last && at < text.size(); ++at) {
    for (const size_t start : {at, at + 1}) {
      if (start == at + 1 && text[at] != '"') continue;
      if (const size_t length = PasswordAt(text, start, passwords)) {
        masked.replace(start, length, length, '*');
      }
    }
  }
}

// One round of MaskPasswords: masks in `masked` the passwords that `text` shows.
void MaskOnce(std::string_view text, std::span<const std::string> passwords,
              std::string& masked) {
  const std::string folded = LowerCopy(text);
  for (size_t at = folded.find(kCommandWord); at != std::string::npos;
       at = folded.find(kCommandWord, at + 1)) {
    const size_t afterWord = at + kCommandWord.size();
    const size_t word = SkipBlanks(text, afterWord);
    if (word == afterWord) continue;
    MaskFrom(text, afterWord + 1, word, passwords, masked);
    size_t digits = word;
    while (digits < text.size() && digits - word < kMostDigits && IsDigit(text[digits])) ++digits;
    if (digits == word) continue;
    const size_t afterNumber = SkipBlanks(text, digits);
    if (afterNumber == digits) continue;
    MaskFrom(text, digits + 1, afterNumber, passwords, masked);
  }
}

}  // namespace

std::string ToCrLf(std::string_view text) {
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') converted.push_back('\r');
    converted.push_back(c);
  }
  return converted;
}

std::string MaskPasswords(std::string_view text, std::span<const std::string> passwords) {
  std::string masked(text);
  bool any = false;
  for (const std::string& password : passwords) any = any || !password.empty();
  if (!any) return masked;
  // The asterisks may themselves spell another password (one with asterisks in it): mask again
  // until nothing changes. Every round hides at least one more character.
  for (std::string before; before != masked;) {
    before = masked;
    MaskOnce(before, passwords, masked);
  }
  return masked;
}

}  // namespace tarnwick
