// What the Server Info pages show: the flags, the Mod page by protocol, the ping figures, the
// History page's axes and its export's file name.
#include "dialogs/server_info_texts.h"

#include <gtest/gtest.h>

#include "dialogs/history_axes.h"

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
  } cases[] = {{40, "1.6", std::nullopt}, {41, "-3", "1.6"}};
  for (const Case& c : cases) {
    state.protocol = c.protocol;
    const ModPageTexts texts = MakeModPageTexts(state);
    EXPECT_EQ(texts.version, c.version) << int{c.protocol};
    EXPECT_EQ(texts.download, c.download) << int{c.protocol};
    EXPECT_EQ(texts.size, "-1") << "signed";
  }
}

// (The figures before any reply are read on the real page.)
TEST(PingPage, FiguresAreSignedAndLostIsComputed) {
  ServerState state;
  state.pingMin = 40;
  state.pingAvg = 50;
  state.pingMax = 60;
  state.pingsSent = 10;
  state.pingsReceived = 7;
  EXPECT_EQ(PingFigureTexts(state), (std::array<std::string, 6>{"40", "50", "60", "10", "7", "3"}));
}

// Labels fall on whole local steps (UTC+1 here: 17:53 UTC is 18:53), as many as fit.
TEST(HistoryPage, TimeLabelsFallOnWholeLocalStepsAndValueAxesOnRoundTops) {
  const UtcOffsetAt utcPlusOne = [](int64_t) { return int32_t{3600}; };
  const int64_t start = 1796579580;  // 2026-12-06T17:53:00Z
  struct Case {
    int64_t span;
    int maxLabels;
    int64_t step;
    std::vector<std::string> labels;  // none: not looked at
  } cases[] = {{600, 11, 60, {}},
               {1800, 3, 900, {"19:00", "19:15"}},
               {86399, 8, 10800, {"21:00", "00:00", "03:00", "06:00", "09:00", "12:00", "15:00",
                                  "18:00"}},
               {86399, 0, 43200, {"00:00", "12:00"}}};
  for (const Case& c : cases) {
    const int64_t step = TimeLabelStep(c.span, c.maxLabels);
    EXPECT_EQ(step, c.step) << c.span;
    if (c.labels.empty()) continue;
    std::vector<std::string> shown;
    for (int64_t t : TimeLabels({start, start + c.span}, step, utcPlusOne)) {
      shown.push_back(ClockText(t, utcPlusOne(t)));
    }
    EXPECT_EQ(shown, c.labels) << c.span;
  }
  const std::pair<int64_t, int64_t> tops[] = {{0, 1}, {1, 1}, {3, 5}, {16, 20}, {64, 100}, {101, 200}};
  for (const auto& [high, top] : tops) EXPECT_EQ(AxisTop(high), top) << high;
}

// The server names the default file: nothing it sends may leave the folder, name a device or
// stream, or cut a character in two.
TEST(HistoryPage, FileNameFromServerNameKeepsOnlyWhatAFileNameMayHold) {
  const std::pair<std::string, std::string> cases[] = {
      {"Tarnwick Demo Server", "Tarnwick Demo Server"},
      {"..\\..\\Windows/x:y*?\"<>|", "_.._Windows_x_y______"},
      {"a\tb\nc\x7f", "a_b_c_"},
      {" . name . ", "name"},
      {"...", ""},
      {std::string(63, 'x') + "\xC3\xA9", std::string(63, 'x')},  // 'e' acute would end at 65
  };
  for (const auto& [name, file] : cases) EXPECT_EQ(FileNameFromServerName(name), file) << name;
}

}  // namespace
}  // namespace tarnwick
