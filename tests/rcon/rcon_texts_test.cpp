// The log address the console announces.
#include "rcon/rcon_texts.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnwick {
namespace {

Ipv4Address Address(uint8_t a, uint8_t b, uint8_t c, uint8_t d) { return {{a, b, c, d}}; }

TEST(RconTexts, LogAddressIsTheFirstPublicOrElseTheLastAddress) {
  struct Case {
    const char* what;
    std::vector<Ipv4Address> host;
    std::optional<Ipv4Address> chosen;
  } cases[] = {
      {"private then public", {Address(192, 168, 1, 5), Address(203, 0, 113, 7)},
       Address(203, 0, 113, 7)},
      {"only private ones", {Address(10, 0, 0, 1), Address(172, 16, 4, 4), Address(192, 168, 0, 9)},
       Address(192, 168, 0, 9)},
      {"the first public", {Address(198, 51, 100, 1), Address(203, 0, 113, 2)},
       Address(198, 51, 100, 1)},
      {"loopback is not private",
       {Address(10, 0, 0, 1), Address(127, 0, 0, 1), Address(10, 0, 0, 2)}, Address(127, 0, 0, 1)},
      {"none", {}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseLogAddress(c.host), c.chosen) << c.what;
}

}  // namespace
}  // namespace tarnwick
