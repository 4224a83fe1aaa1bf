#include "rcon/console_text.h"

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

constexpr std::string_view kCommandWord = "rcon ";

bool EndsPassword(std::string_view text, size_t at) {
  if (at == text.size()) return true;
  const char c = text[at];
  return c == ' ' || c == '\t' || c == '"' || c == '\r' || c == '\n';
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

std::string MaskPassword(std::string_view text, std::string_view password) {
  std::string masked(text);
  if (password.empty()) return masked;
  const std::string folded = LowerCopy(text);
  for (size_t at = folded.find(kCommandWord); at != std::string::npos;
       at = folded.find(kCommandWord, at + 1)) {
    const size_t start = at + kCommandWord.size();
    if (text.substr(start, password.size()) == password &&
        EndsPassword(text, start + password.size())) {
      masked.replace(start, password.size(), password.size(), '*');
    }
  }
  return masked;
}

}  // namespace tarnwick
