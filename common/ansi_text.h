// Text helpers for the 8-bit ANSI strings the program works with throughout.
// Case folding follows Windows code page 1252 (ASCII plus the Latin-1 letters), the same mapping on
// every platform, so that matching, sorting and duplicate checks give one answer in tests and in use.
#ifndef TARNWICK_COMMON_ANSI_TEXT_H
#define TARNWICK_COMMON_ANSI_TEXT_H

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The lower-case form of one code page 1252 character; other characters come back unchanged.
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
