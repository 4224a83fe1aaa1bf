// The demo server program's command line: "--option value" pairs and switches that fill a
// DemoConfig. Every option is listed with its meaning in UsageText() and in README.md.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_COMMAND_LINE_H
#define TARNWICK_TOOLS_DEMO_SERVER_COMMAND_LINE_H

#include <string>
#include <vector>

#include "tools/demo_server/demo_config.h"

namespace tarnwick::demo {

struct CommandLine {
  DemoConfig config;      // the program listens on port 27015 unless told otherwise
  std::string port_file;  // when set, the bound port is written there
  bool help = false;
};

// Reads the arguments (without the program name). False with a one-line message in `error` for an
// unknown option, a missing or malformed value, or a bind address outside 127.0.0.0/8.
bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* result,
                      std::string* error);

std::string UsageText();

// `count` generated rules, long enough that a few dozen make a rules reply that must be split.
std::vector<DemoRule> ManyRules(int count);

}  // namespace tarnwick::demo

#endif
