#include "shell/command_line.h"

#include "common/ansi_text.h"

namespace tarnwick {

bool RemoveEvery(std::string& text, std::string_view word) {
  return ReplaceAll(text, word, "") > 0;
}

WindowCommandLine ParseWindowCommandLine(std::string_view line) {
  WindowCommandLine result;
  std::string text = LowerCopy(line);
  // Taking one out can join the text around it into another ("-ne-neww"): the server text keeps
  // none, so it reads the same when it is handed on.
  for (bool removed = true; removed;) {
    const bool isNew = RemoveEvery(text, "-new");
    const bool tray = RemoveEvery(text, "-tray");
    result.openedWithNew = result.openedWithNew || isNew;
    result.startInTray = result.startInTray || tray;
    removed = isNew || tray;
  }
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r'))) {
    ++start;
  }
  result.server = text.substr(start);
  return result;
}

}  // namespace tarnwick
