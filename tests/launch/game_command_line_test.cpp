// The game client's command line, with the server's values checked before they go onto it.
#include "launch/game_command_line.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// String 132 as the string table holds it.
const std::string kFormat = "-game %s -console +password \"%s\" +connect %s";

const Ipv4Endpoint kResolved{Ipv4Address{{127, 0, 0, 1}}, 27015};

TEST(GameCommandLine, BuiltFromTheServerAndThePassword) {
  struct Case {
    const char* name;
    const char* address;
    uint8_t isMod;
    const char* gameDir;
    const char* password;
    const char* commandLine;  // null: no command line (the folder is refused)
  } cases[] = {
      {"no mod, no password", "127.0.0.1:27015", 0, "valve", "",
       "-game Valve -console +password \"\" +connect 127.0.0.1:27015"},
      {"no mod whatever the folder says", "127.0.0.1:27015", 0, "cstrike \"+quit", "",
       "-game Valve -console +password \"\" +connect 127.0.0.1:27015"},
      {"mod", "127.0.0.1:27015", 1, "cstrike", "",
       "-game cstrike -console +password \"\" +connect 127.0.0.1:27015"},
      {"mod and password", "127.0.0.1:27015", 1, "tfc", "s3cret word",
       "-game tfc -console +password \"s3cret word\" +connect 127.0.0.1:27015"},
      {"password with format characters", "127.0.0.1:27015", 0, "", "100%s%d",
       "-game Valve -console +password \"100%s%d\" +connect 127.0.0.1:27015"},
      {"reported address used", "10.1.2.3:27016", 0, "valve", "",
       "-game Valve -console +password \"\" +connect 10.1.2.3:27016"},
      {"reported address with arguments", "1.2.3.4:27015 +exec evil.cfg", 0, "valve", "",
       "-game Valve -console +password \"\" +connect 127.0.0.1:27015"},
      {"reported address with a quote", "1.2.3.4:27015\" -dev", 0, "valve", "",
       "-game Valve -console +password \"\" +connect 127.0.0.1:27015"},
      {"reported host name", "evil.example:27015", 0, "valve", "",
       "-game Valve -console +password \"\" +connect 127.0.0.1:27015"},
      {"nothing reported", "", 0, "valve", "",
       "-game Valve -console +password \"\" +connect 127.0.0.1:27015"},
      {"folder with a blank", "127.0.0.1:27015", 1, "cstrike -dev", "", nullptr},
      {"folder with a quote", "127.0.0.1:27015", 1, "cstrike\" +quit \"", "", nullptr},
      {"folder as a switch", "127.0.0.1:27015", 1, "-insecure", "", nullptr},
      {"folder up a level", "127.0.0.1:27015", 1, "..", "", nullptr},
      {"folder with a path", "127.0.0.1:27015", 1, "..\\..\\Windows", "", nullptr},
      {"empty folder of a mod", "127.0.0.1:27015", 1, "", "", nullptr},
      {"password with a quote", "127.0.0.1:27015", 0, "valve", "a\" +quit \"", nullptr},
  };
  for (const Case& c : cases) {
    const JoinFacts facts{c.address, kResolved, c.isMod, c.gameDir};
    const auto line = BuildGameCommandLine(kFormat, facts, c.password);
    if (c.commandLine == nullptr) {
      EXPECT_FALSE(line.has_value()) << c.name << ": " << line.value_or("");
    } else {
      EXPECT_EQ(line.value_or("(none)"), c.commandLine) << c.name;
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
      {"valve", true},
      {"cstrike", true},
      {"Day_Of_Defeat-1.3", true},
      {"ns.beta", true},
      {"7", true},
      {"x-", true},
      {std::string(63, 'a'), true},
      {std::string(64, 'a'), false},
      {"", false},
      {".", false},
      {"..", false},
      {"...", false},
      {"-dev", false},
      {"my mod", false},
      {"my\tmod", false},
      {"mod\"", false},
      {"mod'", false},
      {"a/b", false},
      {"a\\b", false},
      {"c:", false},
      {"+exec", false},
      {"mod;quit", false},
      {"caf\xe9", false},
      {std::string("va\0lve", 6), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainFolderName(c.name), c.plain) << c.name;
}

TEST(GameCommandLine, PasswordsWithoutQuotesOnly) {
  EXPECT_TRUE(IsAcceptablePassword(""));
  EXPECT_TRUE(IsAcceptablePassword("with blank and 'single' quotes"));
  EXPECT_FALSE(IsAcceptablePassword("\""));
  EXPECT_FALSE(IsAcceptablePassword("pass\"word"));
}

TEST(GameCommandLine, ResolvedAddressWhenTheReportedOneIsNotPlain) {
  const JoinFacts facts{"junk", Ipv4Endpoint{Ipv4Address{{10, 20, 30, 40}}, 27020}, 0, ""};
  EXPECT_EQ(ConnectArgument(facts), "10.20.30.40:27020");
}

TEST(GameCommandLine, FolderNamesInTheRefusal) {
  EXPECT_EQ(FolderNameForMessage("cstrike -dev"), "cstrike -dev");
  EXPECT_EQ(FolderNameForMessage("a\r\nb"), "a??b");
  EXPECT_EQ(FolderNameForMessage(std::string(63, 'x')), std::string(63, 'x'));
  EXPECT_EQ(FolderNameForMessage(std::string(200, 'x')), std::string(63, 'x') + "...");
}

}  // namespace
}  // namespace tarnwick
