// The classic (2001) replies of the demo server, byte for byte against hand-written datagrams.
#include <gtest/gtest.h>

#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;

DemoConfig TwoPlayerServer() {
  DemoConfig config;
  config.host_name = "Test Server";
  config.map = "stalkyard";
  config.folder = "valve";
  config.description = "Half-Life";
  config.players = {{"Freeman", 23, 1520.0f}, {"Shephard", -4, 632.5f}};
  config.max_players = 12;
  config.rules = {{"mp_timelimit", "30"}, {"sv_gravity", "800"}};
  return config;
}

const Bytes kIdentity =
    Cat({Z("127.0.0.1:27015"), Z("Test Server"), Z("stalkyard"), Z("valve"), Z("Half-Life")});

TEST(DemoClassic, AnswersTheTextQueries) {
  struct Case {
    const char* request;
    Bytes reply;
  } cases[] = {
      {"ping", B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0x00})},
      {"info", Cat({kPrefix, B({'C'}), kIdentity, B({2, 12, 47})})},
      {"players",
       Cat({kPrefix, B({'D', 2, 1}), Z("Freeman"), B({23, 0, 0, 0, 0x00, 0x00, 0xBE, 0x44}), B({2}),
            Z("Shephard"), B({0xFC, 0xFF, 0xFF, 0xFF, 0x00, 0x20, 0x1E, 0x44})})},
      {"rules",
       Cat({kPrefix, B({'E', 2, 0}), Z("mp_timelimit"), Z("30"), Z("sv_gravity"), Z("800")})},
      // protocol 47 without a mod: the VAC and bots bytes follow the is-mod byte directly
      {"details", Cat({kPrefix, B({'m'}), kIdentity, B({2, 12, 47, 'd', 'l', 0, 0, 1, 0})})},
  };
  for (const Case& c : cases) {
    Responder responder(TwoPlayerServer(), kServer);
    const Bytes reply = Only(Ask(responder, Request(c.request)));
    EXPECT_EQ(reply, c.reply) << c.request << ": " << Show(reply);
  }
}

TEST(DemoClassic, WritesBothModTailsAndTheFlags) {
  struct Case {
    const char* name;
    int protocol;
    bool is_mod;
    Bytes after_protocol;
  } cases[] = {
      {"40 with mod", 40, true,
       Cat({B({'l', 'w', 1, 1}), Z("http://mod.example/"), B({0}), Z("2.1"),
            B({2, 0, 0, 0, 0x00, 0x80, 0xFC, 0x0A, 0, 0})})},
      {"40 without mod", 40, false, B({'l', 'w', 1, 0})},
      // the extra empty string after the download link, then version 2, size, type, dll, VAC, bots
      {"47 with mod", 47, true,
       Cat({B({'l', 'w', 1, 1}), Z("http://mod.example/"), Z("http://mod.example/get.zip"), B({0}),
            B({2, 0, 0, 0, 0x00, 0x80, 0xFC, 0x0A, 1, 1, 0, 3})})},
      {"47 without mod", 47, false, B({'l', 'w', 1, 0, 0, 3})},
  };
  for (const Case& c : cases) {
    DemoConfig config = TwoPlayerServer();
    config.protocol = c.protocol;
    config.dedicated = false;
    config.os = 'w';
    config.password = true;
    config.is_mod = c.is_mod;
    config.mod.info_link = "http://mod.example/";
    config.mod.download_link = "http://mod.example/get.zip";
    config.mod.version_text = "2.1";
    config.mod.version = 2;
    config.mod.size = 184320000;
    config.mod.type = 1;
    config.mod.dll = 1;
    config.vac = 0;
    config.bots = 3;
    Responder responder(config, kServer);
    const Bytes expected =
        Cat({kPrefix, B({'m'}), kIdentity, B({2, 12, c.protocol}), c.after_protocol});
    const Bytes reply = Only(Ask(responder, Request("details")));
    EXPECT_EQ(reply, expected) << c.name << ": " << Show(reply);
  }
}

TEST(DemoClassic, GivesNoAnswerToWhatOldServersIgnore) {
  const Bytes ignored[] = {
      B({'p', 'i', 'n', 'g', 0}),                          // no prefix
      B({0xFF, 0xFF, 0xFF, 0xFE, 'p', 'i', 'n', 'g', 0}),  // a split header
      B({0xFF, 0xFF, 0xFF, 0xFF}),                         // prefix only
      Request("status"),                                   // not a query
      Request("challenge rcon"),                           // old servers have no challenges
      Cat({kPrefix, B({'T'}), Z("Source Engine Query")}),  // today's binary queries
      Cat({kPrefix, B({'U', 0xFF, 0xFF, 0xFF, 0xFF})}),
      Cat({kPrefix, B({'V', 0xFF, 0xFF, 0xFF, 0xFF})}),
  };
  Responder responder(TwoPlayerServer(), kServer);
  for (const Bytes& datagram : ignored) {
    EXPECT_TRUE(Ask(responder, datagram).empty()) << Show(datagram);
  }
  EXPECT_EQ(responder.ReceivedRequests().size(), std::size(ignored));
}

TEST(DemoClassic, PlayersTimesGrowAndRunTimeChangesShow) {
  Responder responder(TwoPlayerServer(), kServer);
  // 1520 s at start, 10 s later 1530 s: 0x44BF4000
  const Bytes later = Only(Ask(responder, Request("players"), 10000));
  EXPECT_EQ(Bytes(later.begin() + 19, later.begin() + 23), B({0x00, 0x40, 0xBF, 0x44}));

  responder.SetPlayers({{"Alone", 0, 1.5f}}, 20000);
  responder.SetMaxPlayers(1);
  responder.SetHostName("Renamed");
  responder.SetMap("bounce");
  responder.SetPasswordFlag(true);
  EXPECT_EQ(Only(Ask(responder, Request("players"), 20000)),
            Cat({kPrefix, B({'D', 1, 1}), Z("Alone"), B({0, 0, 0, 0, 0x00, 0x00, 0xC0, 0x3F})}));
  EXPECT_EQ(Only(Ask(responder, Request("details"), 20000)),
            Cat({kPrefix, B({'m'}), Z("127.0.0.1:27015"), Z("Renamed"), Z("bounce"), Z("valve"),
                 Z("Half-Life"), B({1, 1, 47, 'd', 'l', 1, 0, 1, 0})}));
}

TEST(DemoClassic, RecordsWhatClientsSent) {
  Responder responder(TwoPlayerServer(), kServer);
  Ask(responder, Request("details"), 5, {kLoopbackAddress, 40001});
  Ask(responder, Cat({kPrefix, B({'U', 0xFF, 0xFF, 0xFF, 0xFF})}), 6);
  const auto& received = responder.ReceivedRequests();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].Text(), "details");
  EXPECT_EQ(received[0].source.port, 40001);
  EXPECT_EQ(received[0].at_ms, 5);
  EXPECT_EQ(received[1].Text(), "U\xFF\xFF\xFF\xFF");
  EXPECT_EQ(received[1].bytes.size(), 9u);
}

}  // namespace
}  // namespace tarnwick::demo
