// The game client's command line, with the server's values checked before they go onto it.
#include "launch/game_command_line.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// String 132 as the string table holds it.
const std::string kFormat = "-game %s -console +password \"%s\" +connect %s";

// That the server adds no argument whatever it sends, and that the password comes back as typed
// or no line is built, is the text fuzzer's invariant (it splits the line as the C runtime does);
// here the choices it leaves open, and the passwords the prompt refuses (a quote let through took
// the fuzzer most of a minute to find). Which folders and addresses are plain is the tables below.
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
      {"reported address used", "10.1.2.3:27016", 0, "valve", "", "Valve", "10.1.2.3:27016"},
      {"reported host name", "evil.example:27015", 0, "", "", "Valve", kResolved},
      {"nothing reported", "", 0, "valve", "", "Valve", kResolved},
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
  for (const char* plain :
       {"127.0.0.1:27015", "0.0.0.0:1", "255.255.255.255:65535", "192.168.10.200:27015"})
    EXPECT_TRUE(IsPlainEndpointText(plain)) << plain;
  for (const char* other :
       {"256.0.0.1:27015", "1.2.3:27015", "1.2.3.4.5:27015", "1.2.3.4", "1.2.3.4:", "1.2.3.4:0",
        "1.2.3.4:65536", "1.2.3.4:270150", "01.2.3.4:27015", "1.2.3.4:027015", "1.2.3.4:+27015",
        "-1.2.3.4:27015", " 1.2.3.4:27015", "1.2.3.4:27015 ", "1.2.3.4:27015\n", "1..3.4:27015",
        "1.2.3.4::27015", "a.b.c.d:27015", "0x7f.0.0.1:27015", "1.2.3.4:2701a", "",
        "1000.2.3.4:27015"}) {
    EXPECT_FALSE(IsPlainEndpointText(other)) << other;
  }
}

TEST(GameCommandLine, PlainFolderNames) {
  using namespace std::string_literals;
  for (const std::string& plain :
       {"valve"s, "Day_Of_Defeat-1.3"s, "ns.beta"s, "7"s, "x-"s, std::string(63, 'a')}) {
    EXPECT_TRUE(IsPlainFolderName(plain)) << plain;
  }
  for (const std::string& other :
       {std::string(64, 'a'), ""s, "."s, ".."s, "..."s, "-dev"s, "my mod"s, "my\tmod"s, "mod\""s,
        "mod'"s, "a/b"s, "a\\b"s, "c:"s, "+exec"s, "mod;quit"s, "caf\xe9"s, "va\0lve"s}) {
    EXPECT_FALSE(IsPlainFolderName(other)) << other;
  }
}

}  // namespace
}  // namespace tarnwick
