// Unicode text helpers. The program keeps every text it shows, stores or matches as UTF-8 in a
// std::string; the platform's wide calls get UTF-16. Servers send bytes without saying what they
// are: today's servers pass names on as UTF-8, servers of 2001 send the bytes of some Windows
// code page, so each text is judged on its own (ServerTextToUtf8).
#ifndef TARNWICK_COMMON_UTF8_TEXT_H
#define TARNWICK_COMMON_UTF8_TEXT_H

#include <string>
#include <string_view>

namespace tarnwick {

// True when every byte is below 0x80.
bool IsAscii(std::string_view bytes);

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing above
// U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// UTF-8 to UTF-16 and back. A byte that does not start a well-formed sequence and a lone
// surrogate become U+FFFD each, so the result is always well-formed.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// How many UTF-16 units the text takes (malformed bytes count one each, as U+FFFD).
size_t Utf16Length(std::string_view utf8);

// The code points of UTF-8 text, with the same U+FFFD rule.
std::u32string Utf8ToCodePoints(std::string_view utf8);

// Turns the bytes of a code page into UTF-16. Windows gives the ANSI code page's decoder; the
// portable one is code page 1252, what most servers of 2001 sent.
using AnsiDecoder = std::u16string (*)(std::string_view bytes);
std::u16string DecodeCodePage1252(std::string_view bytes);

// Server text as UTF-8: ASCII and well-formed UTF-8 stay as they are, anything else is read in
// the code page `decode` stands for.
std::string ServerTextToUtf8(std::string_view bytes, AnsiDecoder decode);

// The lower-case form of a code point: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
// letters; others come back unchanged. The same answer on every platform.
char32_t FoldCodePoint(char32_t c);

// The folded code points of UTF-8 text. Windows offers a fuller fold (CharLowerBuffW) than the
// portable one, FoldText, which folds with FoldCodePoint.
using TextFolder = std::u32string (*)(std::string_view utf8);
std::u32string FoldText(std::string_view utf8);

// Three-way comparison of two UTF-8 texts by folded code points (the portable order).
int CompareUtf8NoCase(std::string_view a, std::string_view b);
bool EqualsUtf8NoCase(std::string_view a, std::string_view b);

}  // namespace tarnwick

#endif
