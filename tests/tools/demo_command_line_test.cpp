// The demo server program's command line.
#include <gtest/gtest.h>

#include <functional>

#include "tools/demo_server/command_line.h"

namespace tarnwick::demo {
namespace {

CommandLine Parse(std::vector<std::string> arguments) {
  CommandLine result;
  std::string error;
  EXPECT_TRUE(ParseCommandLine(arguments, &result, &error)) << error;
  return result;
}

TEST(DemoCommandLine, DefaultsToAClassicServerOnPort27015) {
  const CommandLine result = Parse({});
  EXPECT_EQ(result.config.port, 27015);
  EXPECT_EQ(result.config.bind_address, kLoopbackAddress);
  EXPECT_FALSE(result.config.modern);
  EXPECT_EQ(result.config.players.size(), 3u);
  EXPECT_FALSE(result.help);
}

TEST(DemoCommandLine, FillsTheConfiguration) {
  struct Case {
    std::vector<std::string> arguments;
    std::function<bool(const CommandLine&)> holds;
  } cases[] = {
      {{"--port", "0", "--name", "My Server", "--map", "bounce"},
       [](const CommandLine& r) {
         return r.config.port == 0 && r.config.host_name == "My Server" && r.config.map == "bounce";
       }},
      {{"--bind", "127.0.0.2"},
       [](const CommandLine& r) { return r.config.bind_address == 0x7F000002u; }},
      {{"--player", "A:b:c:-3:12.5", "--player", "Zed:0:0"},
       [](const CommandLine& r) {
         return r.config.players == std::vector<DemoPlayer>{{"A:b:c", -3, 12.5f}, {"Zed", 0, 0.0f}};
       }},
      {{"--no-players"}, [](const CommandLine& r) { return r.config.players.empty(); }},
      {{"--protocol", "40", "--mod", "--mod-version", "3", "--mod-size", "-1", "--mod-version-text",
        "beta"},
       [](const CommandLine& r) {
         return r.config.protocol == 40 && r.config.is_mod && r.config.mod.version == 3 &&
                r.config.mod.size == -1 && r.config.mod.version_text == "beta";
       }},
      {{"--os", "w", "--listen", "--password-flag", "--max-players", "32"},
       [](const CommandLine& r) {
         return r.config.os == 'w' && !r.config.dedicated && r.config.password &&
                r.config.max_players == 32;
       }},
      {{"--rule", "a=1", "--rule", "b=x=y", "--many-rules", "2"},
       [](const CommandLine& r) {
         return r.config.rules.size() == 4 && r.config.rules[1] == DemoRule{"b", "x=y"} &&
                r.config.rules[3].name == "tw_demo_rule_0002";
       }},
      {{"--modern", "--info-reply", "both", "--challenge-info", "--extra-flags", "0x91",
        "--rate-limit"},
       [](const CommandLine& r) {
         return r.config.modern && r.config.modern_options.info_reply == ModernInfoReply::kBoth &&
                r.config.modern_options.challenge_info &&
                r.config.modern_options.extra_flags == 0x91 && r.config.rate_limit.enabled;
       }},
      {{"--drop-every", "4", "--delay-ms", "300", "--cut-at", "20", "--garbage", "2",
        "--alternate-port", "also", "--churn-seconds", "10"},
       [](const CommandLine& r) {
         const FaultModes& f = r.config.faults;
         return f.drop_every == 4 && f.delay_ms == 300 && f.cut_at == 20 &&
                f.garbage_per_reply == 2 && f.alternate == AlternateSource::kAlso &&
                f.churn_seconds == 10;
       }},
      {{"--rcon-password", "", "--port-file", "/tmp/port", "--help"},
       [](const CommandLine& r) {
         return r.config.rcon_password.empty() && r.port_file == "/tmp/port" && r.help;
       }},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(c.holds(Parse(c.arguments))) << c.arguments[0];
  }
}

TEST(DemoCommandLine, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> bad = {
      {"--bogus"},
      {"--port"},
      {"--port", "65536"},
      {"--port", "12ab"},
      {"--bind", "0.0.0.0"},
      {"--bind", "192.168.1.10"},
      {"--bind", "localhost"},
      {"--player", "NoNumbers"},
      {"--player", "Name:x:10"},
      {"--player", "Name:1:-5"},
      {"--os", "m"},
      {"--rule", "=value"},
      {"--info-reply", "X"},
      {"--alternate-port", "sometimes"},
      {"--vac", "2"},
  };
  for (const auto& arguments : bad) {
    CommandLine result;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(arguments, &result, &error)) << arguments[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace tarnwick::demo
