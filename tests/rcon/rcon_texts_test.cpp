// The texts the console sends and the log address it announces.
#include "rcon/rcon_texts.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnwick {
namespace {

Ipv4Address Address(uint8_t a, uint8_t b, uint8_t c, uint8_t d) { return {{a, b, c, d}}; }

TEST(RconTexts, CommandTextsAreSentAsTyped) {
  struct Case {
    std::string text;
    std::string expected;
  } cases[] = {
      {RconCommandText("demo", "status"), "rcon demo status"},
      {RconCommandText("two words", "say hi there"), "rcon two words say hi there"},
      {RconCommandText("100%s", "echo %d"), "rcon 100%s echo %d"},
      {RconCommandText("", "status"), "rcon  status"},
      {RconCommandText("demo", ""), "rcon demo "},
      {RconChallengeCommandText(1234567, "demo", "status"), "rcon 1234567 demo status"},
      {RconChallengeCommandText(4294967295u, "two words", "say hi"),
       "rcon 4294967295 two words say hi"},
      {RconChallengeCommandText(0, "100%s", "echo %d"), "rcon 0 100%s echo %d"},
      {std::string(kRconChallengeRequest), "challenge rcon"},
      {LogAddressOnCommand(Address(127, 0, 0, 1), 54321), "logaddress 127.0.0.1 54321"},
      {LogAddressOnCommand(Address(203, 0, 113, 255), 1), "logaddress 203.0.113.255 1"},
      {LogAddressOnCommand(Address(0, 0, 0, 0), 65535), "logaddress 0.0.0.0 65535"},
      {LogAddressOffCommand(27015), "logaddress 127.0.0.1 27015"},
      {LogAddressOffCommand(0), "logaddress 127.0.0.1 0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(RconTexts, LogAddressIsTheFirstPublicOrElseTheLastAddress) {
  struct Case {
    const char* what;
    std::vector<Ipv4Address> host;
    std::optional<Ipv4Address> chosen;
  } cases[] = {
      {"private then public",
       {Address(192, 168, 1, 5), Address(203, 0, 113, 7)},
       Address(203, 0, 113, 7)},
      {"only private ones",
       {Address(10, 0, 0, 1), Address(172, 16, 4, 4), Address(192, 168, 0, 9)},
       Address(192, 168, 0, 9)},
      {"public first", {Address(198, 51, 100, 1), Address(10, 1, 1, 1)}, Address(198, 51, 100, 1)},
      {"two public", {Address(198, 51, 100, 1), Address(203, 0, 113, 2)}, Address(198, 51, 100, 1)},
      {"loopback is not private",
       {Address(10, 0, 0, 1), Address(127, 0, 0, 1), Address(10, 0, 0, 2)},
       Address(127, 0, 0, 1)},
      {"172.32 is public",
       {Address(172, 31, 0, 1), Address(172, 32, 0, 1)},
       Address(172, 32, 0, 1)},
      {"one private", {Address(172, 31, 255, 255)}, Address(172, 31, 255, 255)},
      {"none", {}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseLogAddress(c.host), c.chosen) << c.what;
}

}  // namespace
}  // namespace tarnwick
