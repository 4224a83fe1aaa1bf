// Received text on its way into the console's output: the hidden password (the line ends, LF to
// CR LF, show in every expected output here and in the Wine tests).
#include "rcon/console_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rcon/console_output.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

// That no password shows after "rcon", "rcon <number>" or a quote is the rcon fuzzer's invariant;
// here what it does not check: a tab, the longer of two passwords, and what stays readable.
TEST(ConsoleText, PasswordsInEchoedCommandsAreMasked) {
  const std::vector<std::string> demo = {"demo"};
  const std::vector<std::string> several = {"old", "two words", "demo", "demolition"};
  struct Case {
    std::string_view text;
    const std::vector<std::string>& passwords;
    std::string_view shown;
  } cases[] = {
      {"RCON\tdemo\r\n", demo, "RCON\t****\r\n"},
      {"rcon old a; rcon 12 demo b; rcon two words c; rcon demolition d", several,
       "rcon *** a; rcon 12 **** b; rcon ********* c; rcon ********** d"},
      // Other words equal to a password stay readable, and so does a longer one it begins.
      {"say \"hello from the demo server\"", demo, "say \"hello from the demo server\""},
      {"rcon demos status; rcon 12345678901 demo; rcon Demo", demo,
       "rcon demos status; rcon 12345678901 demo; rcon Demo"},
      {"rcon demo status", {}, "rcon demo status"},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPasswords(c.text, c.passwords), c.shown) << c.text;
}

// That the box rebuilt from the changes equals the kept text, in bytes and in UTF-16 units and
// within the limit, and that no password (UTF-8 ones too) shows whole, are the rcon fuzzer's
// invariants; here the start of an echo cut in pieces hidden already, and kept hidden.
TEST(ConsoleOutput, KeepsEchoesMaskedWhenTheyComeInPieces) {
  ConsoleOutput output;
  output.AddPassword("first");
  output.AddPassword("second");
  output.Append("Rcon: \"rcon 1 first status\"\n");
  output.Append("Rcon: \"rcon 2 sec");  // one echo in two print replies
  EXPECT_EQ(output.Text().find("sec"), std::string::npos) << "not even the start of it";
  output.Append("ond status\"\nnext\0line\n"sv);
  EXPECT_EQ(output.Text(),
            "Rcon: \"rcon 1 ***** status\"\r\nRcon: \"rcon 2 ****** status\"\r\nnextline\r\n");
  output.Clear();
  output.Append("rcon first");
  output.Append("ly");
  EXPECT_EQ(output.Text(), "rcon *****ly") << "once hidden, stays hidden";
}

}  // namespace
}  // namespace tarnwick
