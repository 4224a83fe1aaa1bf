// ConsoleOutput: the text of the remote console's output (UTF-8), exactly as the output box shows
// it and "Save log as..." writes it. Received text arrives with its line feeds made CR LF and every
// password the console has sent with hidden; the oldest lines go once the text passes its limit.
//
// Every password stays hidden until the console closes, so a password changed in the box is still
// hidden in later echoes of commands sent with the earlier one.
//
// An echo split over two print replies is still hidden: the last characters as received (as many
// as an echoed password can reach) are masked again together with the next text, so the change
// may reach back into text already shown. A character once hidden stays hidden.
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_RCON_CONSOLE_OUTPUT_H
#define TARNWICK_RCON_CONSOLE_OUTPUT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The most text the output keeps: a server log stream runs for days.
inline constexpr size_t kConsoleOutputLimit = 1 << 20;

class ConsoleOutput {
 public:
  explicit ConsoleOutput(size_t limit = kConsoleOutputLimit) : limit_(limit) {}

  // A password a command goes out with; hidden from now on, also in the text already kept (the
  // server cannot have echoed it yet, but the user may have typed it). True when that changed the
  // kept text, which the output box must then show anew.
  bool AddPassword(std::string_view password);

  // What an append does to the text: the text from `replaceFrom` to its end is replaced by
  // `replacement`, then the first `dropFront` bytes go. The text is UTF-8 and every place falls
  // between characters; `replacedUnits` and `dropFrontUnits` are the same two spans counted in
  // UTF-16 units, as the platform's edit box counts them.
  struct Change {
    size_t replaceFrom = 0;
    std::string replacement;
    size_t dropFront = 0;
    size_t replacedUnits = 0;
    size_t dropFrontUnits = 0;
  };
  Change Append(std::string_view received);

  void Clear();
  const std::string& Text() const { return text_; }

 private:
  size_t limit_;
  std::string text_;
  std::string rawTail_;  // the end of text_ before masking
  std::vector<std::string> passwords_;
  size_t longestPassword_ = 0;
};

}  // namespace tarnwick

#endif
