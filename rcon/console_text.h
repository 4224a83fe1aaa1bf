// What the remote console does to received text before it goes into its output: the password is
// hidden and line feeds become the output box's line ends.
#ifndef TARNWICK_RCON_CONSOLE_TEXT_H
#define TARNWICK_RCON_CONSOLE_TEXT_H

#include <string>
#include <string_view>

namespace tarnwick {

// Every line feed becomes carriage return plus line feed. A carriage return already in front of a
// line feed is left as it is, so "\r\n" becomes "\r\r\n".
std::string ToCrLf(std::string_view text);

// Servers echo each console command into their log, password included
// ("Rcon: \"rcon <password> status\" from ..."). Every place where `password` follows the word
// "rcon" (any letter case) and one blank, and ends at a blank, a double quote, a line end or the
// end of the text, is replaced by as many asterisks as the password has characters. Other words
// that happen to equal the password are left alone; an empty password changes nothing.
std::string MaskPassword(std::string_view text, std::string_view password);

}  // namespace tarnwick

#endif
