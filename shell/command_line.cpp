#include "shell/command_line.h"

#include "common/ansi_text.h"

namespace tarnwick {

bool RemoveEvery(std::string& text, std::string_view word) {
  return ReplaceAll(text, word, "") > 0;
}

WindowCommandLine ParseWindowCommandLine(std::string_view line) {
  WindowCommandLine result;
  std::string text = LowerCopy(line);
  result.openedWithNew = RemoveEvery(text, "-new");
  result.startInTray = RemoveEvery(text, "-tray");
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r'))) {
    ++start;
  }
  result.server = text.substr(start);
  return result;
}

}  // namespace tarnwick
