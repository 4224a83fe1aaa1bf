// What the Server Info pages show: the flags, the Mod page by protocol, and the ping figures.
#include "dialogs/server_info_texts.h"

#include <gtest/gtest.h>

#include "resources/resource.h"

namespace tarnwick {
namespace {

// (The General page shows "locked, dedicated" and "dedicated" from the demo server.)
TEST(ServerInfoTexts, AnyPasswordFlagButZeroIsLocked) {
  ServerState state;
  state.password = -1;
  state.dedicated = false;
  EXPECT_EQ(FlagsText(state, "locked", "dedicated"), "locked");
  state.password = 0;
  EXPECT_EQ(FlagsText(state, "locked", "dedicated"), "");
}

TEST(ModPage, AfterProtocol40TheModTextIsTheDownloadLink) {
  // (The name, folder and link are copied as they are: seen on the real page.)
  ServerState state;
  state.modText = "1.6";
  state.modVersion = -3;
  state.modSize = -1;
  struct Case {
    uint8_t protocol;
    const char* version;
    std::optional<std::string> download;  // nothing: the link is left as it is
  } cases[] = {{40, "1.6", std::nullopt}, {41, "-3", "1.6"}, {255, "-3", "1.6"}};
  for (const Case& c : cases) {
    state.protocol = c.protocol;
    const ModPageTexts texts = MakeModPageTexts(state);
    EXPECT_EQ(texts.version, c.version) << int{c.protocol};
    EXPECT_EQ(texts.download, c.download) << int{c.protocol};
    EXPECT_EQ(texts.size, "-1") << "signed";
  }
}

TEST(PingPage, FiguresAreSignedAndLostIsComputed) {
  ServerState state;
  EXPECT_EQ(PingFigureTexts(state), (std::array<std::string, 6>{"-1", "0", "0", "0", "0", "0"}));
  state.pingMin = 40;
  state.pingAvg = 50;
  state.pingMax = 60;
  state.pingsSent = 10;
  state.pingsReceived = 7;
  EXPECT_EQ(PingFigureTexts(state), (std::array<std::string, 6>{"40", "50", "60", "10", "7", "3"}));
}

}  // namespace
}  // namespace tarnwick
