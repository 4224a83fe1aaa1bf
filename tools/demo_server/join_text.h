// Joins texts by appending them to one string. The demo server builds its texts this way instead of
// with operator+: GCC 12 warns wrongly about overlapping copies (-Wrestrict) when a literal is put
// in front of a temporary string in optimised builds, and warnings are errors here.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_JOIN_TEXT_H
#define TARNWICK_TOOLS_DEMO_SERVER_JOIN_TEXT_H

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarnwick::demo {

inline std::string Join(std::initializer_list<std::string_view> parts) {
  std::string all;
  for (std::string_view part : parts) all.append(part);
  return all;
}

}  // namespace tarnwick::demo

#endif
