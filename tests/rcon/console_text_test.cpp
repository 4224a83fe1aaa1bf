// Received text on its way into the console's output: line ends and the hidden password.
#include "rcon/console_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/utf8_text.h"
#include "rcon/console_output.h"

namespace tarnwick {
namespace {

using namespace std::string_view_literals;

TEST(ConsoleText, LineFeedsBecomeCrLf) {
  struct Case {
    std::string_view text;
    std::string_view converted;
  } cases[] = {
      {"hostname:  Demo\n", "hostname:  Demo\r\n"},
      {"one\n\ntwo", "one\r\n\r\ntwo"},
      {"already\r\n", "already\r\r\n"},  // not looked at: the carriage return doubles
      {"lone\rcarriage return", "lone\rcarriage return"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToCrLf(c.text), c.converted) << c.text;
}

TEST(ConsoleText, PasswordsInEchoedCommandsAreMasked) {
  const std::vector<std::string> demo = {"demo"};
  const std::vector<std::string> several = {"old", "two words", "demo", "demolition"};
  struct Case {
    std::string_view text;
    const std::vector<std::string>& passwords;
    std::string_view shown;
  } cases[] = {
      {"L 12/06/2026 - 10:00:00: Rcon: \"rcon demo status\" from \"127.0.0.1:5000\"\n", demo,
       "L 12/06/2026 - 10:00:00: Rcon: \"rcon **** status\" from \"127.0.0.1:5000\"\n"},
      {"Rcon: \"rcon 1841526370 demo status\" from \"1.2.3.4:5\"", demo,
       "Rcon: \"rcon 1841526370 **** status\" from \"1.2.3.4:5\""},
      {"Bad Rcon: \"rcon 7 \"demo\" status\"", demo, "Bad Rcon: \"rcon 7 \"****\" status\""},
      {"rcon \"demo\" status", demo, "rcon \"****\" status"},
      {"RCON\tdemo\r\n", demo, "RCON\t****\r\n"},
      {"rcon demo", demo, "rcon ****"},
      {"Rcon: \"rcon 5 de", demo, "Rcon: \"rcon 5 **"},  // the rest may come in the next piece
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

TEST(ConsoleOutput, KeepsTheMaskedTextAndTellsTheBoxTheSameChange) {
  ConsoleOutput output;
  output.AddPassword("first");
  output.AddPassword("second");
  std::string box;  // what the output box would hold
  std::u16string wideBox;  // the same as the platform's edit box counts it
  const auto append = [&](std::string_view received) {
    const ConsoleOutput::Change change = output.Append(received);
    box.replace(change.replaceFrom, std::string::npos, change.replacement);
    box.erase(0, change.dropFront);
    EXPECT_EQ(box, output.Text());
    wideBox.replace(wideBox.size() - change.replacedUnits, std::u16string::npos,
                    Utf8ToUtf16(change.replacement));
    wideBox.erase(0, change.dropFrontUnits);
    EXPECT_EQ(wideBox, Utf8ToUtf16(output.Text()));
  };
  append("Rcon: \"rcon 1 first status\"\n");
  append("Rcon: \"rcon 2 sec");  // one echo in two print replies
  EXPECT_EQ(output.Text().find("sec"), std::string::npos) << "not even the start of it";
  append("ond status\"\nnext\0line\n"sv);
  EXPECT_EQ(output.Text(),
            "Rcon: \"rcon 1 ***** status\"\r\nRcon: \"rcon 2 ****** status\"\r\nnextline\r\n");
  output.Clear();
  box.clear();
  wideBox.clear();
  append("rcon first");
  append("ly");
  EXPECT_EQ(output.Text(), "rcon *****ly") << "once hidden, stays hidden";
  // UTF-8 text and a password typed in Cyrillic: the box gets whole characters.
  output.AddPassword("\u043F\u0430\u0440\u043E\u043B\u044C");
  append("\u00DCber \u2665 \U0001F600 rcon 3 \u043F\u0430\u0440");
  append("\u043E\u043B\u044C \u4E2D\u6587\n");
  EXPECT_EQ(output.Text().substr(output.Text().size() - 28),
            "rcon 3 ************ \u4E2D\u6587\r\n");
}

TEST(ConsoleOutput, DropsWholeCharactersBeyondItsLimit) {
  ConsoleOutput output(64);
  std::u16string wideBox;
  for (int i = 0; i < 20; ++i) {
    const ConsoleOutput::Change change = output.Append("\u0441\u0434\u2665\U0001F600");
    wideBox.replace(wideBox.size() - change.replacedUnits, std::u16string::npos,
                    Utf8ToUtf16(change.replacement));
    wideBox.erase(0, change.dropFrontUnits);
    ASSERT_TRUE(IsValidUtf8(output.Text()));
    ASSERT_EQ(wideBox, Utf8ToUtf16(output.Text()));
  }
  EXPECT_LE(output.Text().size(), 64u);
}

}  // namespace
}  // namespace tarnwick
