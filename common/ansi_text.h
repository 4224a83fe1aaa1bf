// Byte-text helpers: protocol words, numbers, command lines and formatting. Case folding here is
// ASCII only, so that the bytes of UTF-8 text pass through unchanged; text a user sees is compared
// by the code-point helpers of utf8_text.h.
#ifndef TARNWICK_COMMON_ANSI_TEXT_H
#define TARNWICK_COMMON_ANSI_TEXT_H

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The lower-case form of an ASCII letter; every other byte comes back unchanged.
char FoldCase(char c);

// A lower-cased copy of the text.
std::string LowerCopy(std::string_view text);

// Equality and three-way comparison without regard to letter case (folded byte values decide).
bool EqualsNoCase(std::string_view a, std::string_view b);
int CompareNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Reads a decimal integer as C's atoi does: leading white space skipped, an optional sign, then
// digits up to the first other character; 0 when there are no digits. Overflow wraps in 32 bits
// instead of being undefined.
int32_t ParseDecimal(std::string_view text);

// printf-style formatting into a std::string; the format strings come from the string table.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
std::string FormatV(const char* format, va_list args);

// Replaces every occurrence of `from` (which must not be empty) by `to`; returns how many.
int ReplaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace tarnwick

#endif
