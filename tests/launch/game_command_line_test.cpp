// The game client's command line, with the server's values checked before they go onto it.
#include "launch/game_command_line.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// String 132 as the string table holds it.
const std::string kFormat = "-game %s -console +password \"%s\" +connect %s";

TEST(GameCommandLine, BuiltFromTheServerAndThePassword) {
  const Ipv4Endpoint resolved{Ipv4Address{{127, 0, 0, 2}}, 27020};
  const char* kPlain = "127.0.0.1:27015";
  const char* kResolved = "127.0.0.2:27020";
  struct Case {
    const char* name;
    const char* address;
    uint8_t isMod;
    const char* gameDir;
    const char* password;
    const char* game;     // null: no command line (the folder or the password is refused)
    const char* connect;  // what follows "+connect"
  } cases[] = {
      {"no mod, no password", kPlain, 0, "valve", "", "Valve", kPlain},
      {"no mod whatever the folder says", kPlain, 0, "cstrike \"+quit", "", "Valve", kPlain},
      {"mod", kPlain, 1, "cstrike", "", "cstrike", kPlain},
      {"mod and password", kPlain, 1, "tfc", "s3cret 'word'", "tfc", kPlain},
      {"password with format characters", kPlain, 0, "", "100%s%d", "Valve", kPlain},
      {"reported address used", "10.1.2.3:27016", 0, "valve", "", "Valve", "10.1.2.3:27016"},
      {"reported address with arguments", "1.2.3.4:27015 +exec evil.cfg", 0, "", "", "Valve",
       kResolved},
      {"reported host name", "evil.example:27015", 0, "", "", "Valve", kResolved},
      {"nothing reported", "", 0, "valve", "", "Valve", kResolved},
      // Which folders are refused is PlainFolderNames' table.
      {"folder with a blank", kPlain, 1, "cstrike -dev", "", nullptr, nullptr},
      {"empty folder of a mod", kPlain, 1, "", "", nullptr, nullptr},
      {"password with a quote", kPlain, 0, "valve", "a\" +quit \"", nullptr, nullptr},
      {"password ending in a backslash", kPlain, 0, "valve", "pass\\", nullptr, nullptr},
      {"password with inner backslashes", kPlain, 0, "valve", "a\\b\\\\c", "Valve", kPlain},
  };
  for (const Case& c : cases) {
    const JoinFacts facts{c.address, resolved, c.isMod, c.gameDir};
    const auto line = BuildGameCommandLine(kFormat, facts, c.password);
    if (c.game == nullptr) {
      EXPECT_FALSE(line.has_value()) << c.name << ": " << line.value_or("");
    } else {
      EXPECT_EQ(line.value_or("(none)"), std::string("-game ") + c.game + " -console +password \"" +
                                             c.password + "\" +connect " + c.connect)
          << c.name;
    }
  }
}

TEST(GameCommandLine, PlainEndpointTexts) {
  struct Case {
    const char* text;
    bool plain;
  } cases[] = {
      {"127.0.0.1:27015", true},      {"0.0.0.0:1", true},
      {"255.255.255.255:65535", true}, {"192.168.10.200:27015", true},
      {"256.0.0.1:27015", false},     {"1.2.3:27015", false},
      {"1.2.3.4.5:27015", false},     {"1.2.3.4", false},
      {"1.2.3.4:", false},            {"1.2.3.4:0", false},
      {"1.2.3.4:65536", false},       {"1.2.3.4:270150", false},
      {"01.2.3.4:27015", false},      {"1.2.3.4:027015", false},
      {"1.2.3.4:+27015", false},      {"-1.2.3.4:27015", false},
      {" 1.2.3.4:27015", false},      {"1.2.3.4:27015 ", false},
      {"1.2.3.4:27015\n", false},     {"1..3.4:27015", false},
      {"1.2.3.4::27015", false},      {"a.b.c.d:27015", false},
      {"0x7f.0.0.1:27015", false},    {"1.2.3.4:2701a", false},
      {"", false},                    {"1000.2.3.4:27015", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainEndpointText(c.text), c.plain) << c.text;
}

TEST(GameCommandLine, PlainFolderNames) {
  struct Case {
    std::string name;
    bool plain;
  } cases[] = {
      {"valve", true}, {"Day_Of_Defeat-1.3", true}, {"ns.beta", true}, {"7", true}, {"x-", true},
      {std::string(63, 'a'), true}, {std::string(64, 'a'), false}, {"", false}, {".", false},
      {"..", false}, {"...", false}, {"-dev", false}, {"my mod", false}, {"my\tmod", false},
      {"mod\"", false}, {"mod'", false}, {"a/b", false}, {"a\\b", false}, {"c:", false},
      {"+exec", false}, {"mod;quit", false}, {"caf\xe9", false}, {std::string("va\0lve", 6), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainFolderName(c.name), c.plain) << c.name;
}

}  // namespace
}  // namespace tarnwick
