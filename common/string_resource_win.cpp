#include "common/string_resource_win.h"

namespace tarnwick {

HINSTANCE ResourceModule() { return GetModuleHandleA(nullptr); }

std::string LoadResourceString(UINT id) {
  // String table entries are at most 4097 characters; the longest of ours is far below 1024.
  char buffer[1024];
  const int length = LoadStringA(ResourceModule(), id, buffer, sizeof(buffer));
  return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string LoadFilterString(UINT id) {
  std::string filter = LoadResourceString(id);
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  return filter;
}

}  // namespace tarnwick
