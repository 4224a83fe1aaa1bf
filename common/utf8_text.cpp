#include "common/utf8_text.h"

#include <cstdint>

namespace tarnwick {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the sequence at `at`; advances `at` past it, or by one byte when it is malformed (and
// then returns U+FFFD with `valid` false).
char32_t DecodeOne(std::string_view text, size_t& at, bool& valid) {
  const auto lead = static_cast<uint8_t>(text[at]);
  valid = true;
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  size_t length = 0;
  char32_t value = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    lowest = 0x10000;
  }
  if (length == 0 || text.size() - at < length) {
    valid = false;
    ++at;
    return kReplacement;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      valid = false;
      ++at;
      return kReplacement;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    valid = false;
    ++at;
    return kReplacement;
  }
  at += length;
  return value;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Code page 1252's 0x80-0x9F; the five unassigned places map to the C1 controls, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<uint8_t>(c) >= 0x80) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  size_t at = 0;
  bool valid = true;
  while (at < bytes.size()) {
    DecodeOne(bytes, at, valid);
    if (!valid) return false;
  }
  return true;
}

size_t Utf16Length(std::string_view utf8) {
  size_t units = 0;
  size_t at = 0;
  bool valid = true;
  while (at < utf8.size()) units += DecodeOne(utf8, at, valid) >= 0x10000 ? 2 : 1;
  return units;
}

std::u32string Utf8ToCodePoints(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  size_t at = 0;
  bool valid = true;
  while (at < utf8.size()) out.push_back(DecodeOne(utf8, at, valid));
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t at = 0;
  bool valid = true;
  while (at < utf8.size()) {
    const char32_t c = DecodeOne(utf8, at, valid);
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(c, out);
  }
  return out;
}

std::u16string DecodeCodePage1252(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto u = static_cast<uint8_t>(c);
    out.push_back(u >= 0x80 && u < 0xA0 ? kCp1252High[u - 0x80] : static_cast<char16_t>(u));
  }
  return out;
}

std::string ServerTextToUtf8(std::string_view bytes, AnsiDecoder decode) {
  if (IsAscii(bytes) || IsValidUtf8(bytes)) return std::string(bytes);
  return Utf16ToUtf8(decode(bytes));
}

char32_t FoldCodePoint(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x178) return 0xFF;
  if (c == 0x130) return 'i';  // capital I with dot above
  // Latin Extended-A pairs capitals with the next code point, first on even places, then on odd.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) != 0 ? c + 1 : c;
  // Greek: the accented capitals, then the plain ones (no capital at U+03A2).
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c == 0x3C2) return 0x3C3;  // final sigma
  // Cyrillic: the capitals with marks, the basic capitals, then the even/odd pairs.
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
    return c | 1;
  }
  return c;
}

std::u32string FoldText(std::string_view utf8) {
  std::u32string points = Utf8ToCodePoints(utf8);
  for (char32_t& c : points) c = FoldCodePoint(c);
  return points;
}

int CompareUtf8NoCase(std::string_view a, std::string_view b) {
  const std::u32string first = Utf8ToCodePoints(a);
  const std::u32string second = Utf8ToCodePoints(b);
  const size_t n = first.size() < second.size() ? first.size() : second.size();
  for (size_t i = 0; i < n; ++i) {
    const char32_t x = FoldCodePoint(first[i]);
    const char32_t y = FoldCodePoint(second[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (first.size() == second.size()) return 0;
  return first.size() < second.size() ? -1 : 1;
}

bool EqualsUtf8NoCase(std::string_view a, std::string_view b) {
  return CompareUtf8NoCase(a, b) == 0;
}

}  // namespace tarnwick
