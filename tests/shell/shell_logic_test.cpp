// The shell's decisions without windows: tray pictures, the flash, command lines and the player
// sort.
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "resources/resource.h"
#include "shell/command_line.h"
#include "shell/player_sort.h"
#include "shell/tray_picture.h"

namespace tarnwick {
namespace {

TEST(TrayPicture, CountsAServerSendsPickAnIconOfTheSetWithoutDividingByZero) {
  constexpr int kEmpty = IDI_TRAY_STRIPES_EMPTY, kFifth = IDI_TRAY_STRIPES_FIRST;
  constexpr int kFull = IDI_TRAY_STRIPES_FULL, kNumber = IDI_TRAY_NUMBER_FIRST;
  struct Case {
    uint32_t set;
    int32_t players, maxPlayers;
    int id;
  } cases[] = {
      {0, 0, 16, kEmpty},    {0, 1, 16, kFifth},      {0, 15, 16, kFifth + 4}, {0, 16, 16, kFull},
      {0, 20, 16, kFull},    {0, -56, 16, kEmpty},    {0, 0, 0, kFull},        {0, 3, -1, kFull},
      {0, 1, 5, kFifth + 1}, {0, INT32_MAX - 1, INT32_MAX, kFifth + 4},  // no overflow
      {1, 0, 16, kNumber},   {1, 20, 32, kNumber + 20}, {1, 21, 32, IDI_TRAY_QUESTION},
      {1, -1, 16, IDI_TRAY_QUESTION}, {7, 8, 16, kFifth + 2},  // an unknown set is the default
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrayIconId(c.set, c.players, c.maxPlayers), c.id)
        << "set " << c.set << ", " << c.players << " of " << c.maxPlayers;
  }
}

// (The twelve ticks of a flash are counted on the tray's icon in tray_win_test.cpp.)
TEST(TrayPicture, FlashOnlyAfterAChangeAndANewPictureStartsItAgain) {
  using Step = FlashSequence::Step;
  FlashSequence flash;
  EXPECT_EQ(flash.Tick(), Step::Nothing) << "no flash before a picture changed";
  flash.Start();
  for (int tick = 0; tick < 3; ++tick) flash.Tick();
  flash.Start();
  EXPECT_EQ(flash.Tick(), Step::Nothing) << "a new picture starts the flash again";
  EXPECT_EQ(flash.Tick(), Step::Nothing);
  EXPECT_EQ(flash.Tick(), Step::ShowBlank);
}

TEST(WindowCommandLines, OptionsAreTakenOutWhereverTheyStand) {
  struct Case {
    const char* line;
    bool isNew, tray;
    const char* server;
  } cases[] = {
      {"", false, false, ""},
      {"Alpha.Example:27016", false, false, "alpha.example:27016"},
      {"-tray alpha:27015", false, true, "alpha:27015"},
      {"-NEW   beta:1", true, false, "beta:1"},
      {"gamma-newton:2", true, false, "gammaton:2"},
      {"-new -tray    ", true, true, ""},
      {"host -TRAY", false, true, "host "},
      {"-ne-neww -tr-trayay h", true, true, "h"},  // options that taking one out joins
  };
  for (const Case& c : cases) {
    const WindowCommandLine parsed = ParseWindowCommandLine(c.line);
    EXPECT_EQ(std::tuple(parsed.openedWithNew, parsed.startInTray, parsed.server),
              std::tuple(c.isNew, c.tray, std::string(c.server))) << c.line;
  }
}

TEST(PlayerSorting, ClicksAndComparisons) {
  EXPECT_EQ((std::vector{SortOrderAfterClick(1, 1), SortOrderAfterClick(2, 1),
                         SortOrderAfterClick(-2, 1), SortOrderAfterClick(-2, 3)}),
            (std::vector{2, -2, 2, 4}));
  // A stored state out of range sorts by '#'.
  EXPECT_EQ((std::vector{SortColumn(0), SortColumn(-9), SortColumn(-4)}), (std::vector{0, 0, 3}));

  struct Case {
    int32_t order;
    const char *a, *b;
    int sign;
  } cases[] = {
      {3, "-3", "2", -1},       {3, "10", "2", 1},         {-3, "10", "2", -1},
      {1, "", "0", 0},          {2, "alice", "Bob", -1},   {-2, "alice", "Bob", 1},
      {2, "BOB", "bob", 0},     {4, "01:02:05", "00:59:59", 1},
      {2, "\u00DCber", "\u00FCBER", 0},  {2, "\u0430\u0431", "\u0410\u0412", -1},
      {2, "\u0421\u0414\u0401", "\u0441\u0434\u0451", 0},
      {2, "\u0141\u00D3D\u0179", "\u0142\u00F3d\u017A", 0},
      {2, "ab", "AB\u00E9", -1},  {2, "\u0441", "c", 1},
  };
  for (const Case& c : cases) {
    const int result = ComparePlayerTexts(c.order, c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.order << " " << c.a << " " << c.b;
  }
}

}  // namespace
}  // namespace tarnwick
