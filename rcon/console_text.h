// What the remote console does to received text before it goes into its output: the passwords
// are hidden and line feeds become the output box's line ends.
#ifndef TARNWICK_RCON_CONSOLE_TEXT_H
#define TARNWICK_RCON_CONSOLE_TEXT_H

#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

// Every line feed becomes carriage return plus line feed. A carriage return already in front of a
// line feed is left as it is, so "\r\n" becomes "\r\r\n".
std::string ToCrLf(std::string_view text);

// Servers echo each console command into their log as it arrived, password included:
// "Rcon: \"rcon <password> status\" from ..." from servers of 2001, "rcon <number> <password>
// status" from today's. Wherever one of `passwords` follows the word "rcon" (any letter case) and
// blanks, or "rcon", blanks, a number of up to ten digits and blanks, possibly inside double
// quotes, and ends at a blank, a double quote, a line end or the end of the text, it is replaced by
// as many asterisks as it has characters (the longest password when several fit). The start of a
// password at the very end of the text is masked too: the rest may come in the next piece. Other
// words that happen to equal a password are left alone; empty passwords change nothing.
std::string MaskPasswords(std::string_view text, std::span<const std::string> passwords);

// How far after the start of "rcon" a masked password may end, not counting the password: the
// word, up to 8 blanks, a number of up to 10 digits, up to 8 blanks, a double quote, and the
// character that ends the password.
inline constexpr size_t kEchoReachBeforePassword = 4 + 8 + 10 + 8 + 1 + 1;

}  // namespace tarnwick

#endif
