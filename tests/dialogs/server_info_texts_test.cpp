// What the Server Info pages show: the OS link, the flags, the rules rows, the Mod page by
// protocol, and the ping figures.
#include "dialogs/server_info_texts.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/byte_builder.h"

namespace tarnwick {
namespace {

using testing::ByteBuilder;

TEST(ServerInfoTexts, OsLetterChoosesTheLink) {
  EXPECT_EQ(OsLinkStringId('l'), IDS_OS_LINUX_LINK);
  EXPECT_EQ(OsLinkStringId('w'), IDS_OS_WINDOWS_LINK);
  for (int other : {0, int{'L'}, int{'W'}, int{'m'}, int{'x'}})
    EXPECT_EQ(OsLinkStringId(static_cast<uint8_t>(other)), 0) << other;
}

TEST(ServerInfoTexts, FlagsJoinLockedAndDedicated) {
  struct Case {
    int32_t password;
    bool dedicated;
    const char* text;
  } cases[] = {
      {1, true, "locked, dedicated"}, {0, true, "dedicated"}, {1, false, "locked"}, {0, false, ""},
      {-1, false, "locked"},
  };
  for (const Case& c : cases) {
    ServerState state;
    state.password = c.password;
    state.dedicated = c.dedicated;
    EXPECT_EQ(FlagsText(state, "locked", "dedicated"), c.text);
  }
}

std::vector<RuleRow> Rows(const std::vector<uint8_t>& body) {
  auto rows = ReadRulesBody(body);
  EXPECT_TRUE(rows.has_value());
  return rows.value_or(std::vector<RuleRow>{});
}

TEST(RulesBody, NoBodyLeavesTheList) { EXPECT_FALSE(ReadRulesBody({}).has_value()); }

TEST(RulesBody, TheCountAloneEmptiesTheList) {
  EXPECT_TRUE(Rows(ByteBuilder().I16(0).Bytes()).empty());
  EXPECT_TRUE(Rows(ByteBuilder().I16(5).Bytes()).empty()) << "the count itself is not used";
  EXPECT_TRUE(Rows(ByteBuilder().Byte(1).Bytes()).empty());
}

TEST(RulesBody, NamesAndValuesAlternate) {
  struct Case {
    const char* what;
    std::vector<uint8_t> body;
    std::vector<RuleRow> rows;
  } cases[] = {
      {"two rules",
       ByteBuilder().I16(2).Str("mp_timelimit").Str("30").Str("sv_gravity").Str("800").Bytes(),
       {{"mp_timelimit", "30"}, {"sv_gravity", "800"}}},
      {"a value without its terminator",
       ByteBuilder().I16(2).Str("a").Str("1").Str("sv_maxspeed").Text("270").Bytes(),
       {{"a", "1"}, {"sv_maxspeed", "270"}}},
      {"a name without a value",
       ByteBuilder().I16(2).Str("a").Str("1").Str("b").Bytes(),
       {{"a", "1"}, {"b", ""}}},
      {"a name without its terminator", ByteBuilder().I16(1).Text("half").Bytes(), {{"half", ""}}},
      {"empty strings", ByteBuilder().I16(1).Str("").Str("").Bytes(), {{"", ""}}},
      {"a wrong count", ByteBuilder().I16(9).Str("only").Str("one").Bytes(), {{"only", "one"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(c.body), c.rows) << c.what;
}

TEST(ModPage, Protocol40ShowsTheModTextAsVersion) {
  ServerState state;
  state.gameDescription = "Counter-Strike";
  state.gameDir = "cstrike";
  state.modInfoLink = "http://info/";
  state.modText = "1.6";
  state.modVersion = 16;
  state.modSize = 184320000;
  state.protocol = 40;
  ModPageTexts texts = MakeModPageTexts(state);
  EXPECT_EQ(texts.name, "Counter-Strike");
  EXPECT_EQ(texts.folder, "cstrike");
  EXPECT_EQ(texts.url, "http://info/");
  EXPECT_EQ(texts.version, "1.6");
  EXPECT_FALSE(texts.download.has_value()) << "the download link is left as it is";
  EXPECT_EQ(texts.size, "184320000");

  state.protocol = 41;
  state.modText = "http://download/";
  texts = MakeModPageTexts(state);
  EXPECT_EQ(texts.version, "16");
  ASSERT_TRUE(texts.download.has_value());
  EXPECT_EQ(*texts.download, "http://download/");

  state.modVersion = -3;
  state.modSize = -1;
  state.protocol = 255;
  texts = MakeModPageTexts(state);
  EXPECT_EQ(texts.version, "-3");
  EXPECT_EQ(texts.size, "-1");
}

TEST(PingPage, FiguresAreSignedAndLostIsComputed) {
  ServerState state;
  std::array<std::string, 6> reset = {"-1", "0", "0", "0", "0", "0"};
  EXPECT_EQ(PingFigureTexts(state), reset);
  state.pingMin = 40;
  state.pingAvg = 50;
  state.pingMax = 60;
  state.pingsSent = 10;
  state.pingsReceived = 7;
  std::array<std::string, 6> counted = {"40", "50", "60", "10", "7", "3"};
  EXPECT_EQ(PingFigureTexts(state), counted);
}

}  // namespace
}  // namespace tarnwick
