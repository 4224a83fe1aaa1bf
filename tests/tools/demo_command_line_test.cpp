// The demo server program's command line.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/demo_server/command_line.h"

namespace tarnwick::demo {
namespace {

// The arguments of a command line written as one text, split at spaces.
bool Parse(const std::string& line, CommandLine* result, std::string* error) {
  std::vector<std::string> arguments;
  std::istringstream words(line);
  for (std::string word; words >> word;) arguments.push_back(word);
  return ParseCommandLine(arguments, result, error);
}

TEST(DemoCommandLine, FillsTheConfiguration) {
  CommandLine result;
  std::string error;
  ASSERT_TRUE(Parse("", &result, &error)) << error;
  EXPECT_EQ(result.config.port, 27015);
  ASSERT_TRUE(Parse("--bind 127.0.0.2 --player A:b:c:-3:12.5 --player Zed:0:0 --rule b=x=y "
                    "--many-rules 1 --extra-flags 0x91 --port-file /tmp/port",
                    &result, &error))
      << error;
  EXPECT_EQ(result.config.bind_address, 0x7F000002u);
  EXPECT_EQ(result.config.players,
            (std::vector<DemoPlayer>{{"A:b:c", -3, 12.5f}, {"Zed", 0, 0.0f}}));
  EXPECT_EQ(result.config.rules, (std::vector<DemoRule>{{"b", "x=y"}, ManyRules(1)[0]}));
  EXPECT_EQ(result.config.modern_options.extra_flags, 0x91);
  EXPECT_EQ(result.port_file, "/tmp/port");
}

TEST(DemoCommandLine, RefusesWhatItCannotUse) {
  for (const char* line : {"--bogus", "--port", "--port 65536", "--port 12ab", "--bind 0.0.0.0",
                           "--bind 192.168.1.10", "--player Name:x:10", "--rule =value",
                           "--info-reply X"}) {
    CommandLine result;
    std::string error;
    EXPECT_FALSE(Parse(line, &result, &error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
}

}  // namespace
}  // namespace tarnwick::demo
