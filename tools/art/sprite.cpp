#include "tools/art/sprite.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwick::art {

void DrawSprite(Image& image, int x, int y, std::initializer_list<const char*> rows,
                std::span<const Ink> inks) {
  if (rows.size() == 0) return;
  const size_t width = std::string_view(*rows.begin()).size();
  int row_index = 0;
  for (const char* row_text : rows) {
    const std::string_view row(row_text);
    if (row.size() != width)
      throw std::invalid_argument("sprite row " + std::to_string(row_index) + " is " +
                                  std::to_string(row.size()) + " wide, not " +
                                  std::to_string(width));
    for (size_t column = 0; column < row.size(); ++column) {
      const char key = row[column];
      if (key == '.') continue;
      const Ink* ink = nullptr;
      for (const Ink& candidate : inks)
        if (candidate.key == key) ink = &candidate;
      if (ink == nullptr) throw std::invalid_argument(std::string("no ink for '") + key + "'");
      image.Set(x + static_cast<int>(column), y + row_index, ink->colour);
    }
    ++row_index;
  }
}

}  // namespace tarnwick::art
