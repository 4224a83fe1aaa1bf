// The recent servers model: order, limits, ids and its registry layout.
#include "settings/recent_servers.h"

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

// Counts the menu updates the model asks for.
class CountingServers final : public RecentServers {
 public:
  void UpdateMenu() override { ++updates; }
  int updates = 0;
};

using Entries = std::vector<std::string>;

// (The labels with their mnemonics are read back from the real menus.)
TEST(RecentServerList, AddingPutsTheServerOnTopWithoutCaseDuplicates) {
  CountingServers servers;
  EXPECT_EQ(servers.maximum(), 4);
  servers.AddServer("alpha:27015");
  servers.AddServer("beta:27015");
  servers.AddServer("ALPHA:27015");
  EXPECT_EQ(servers.entries(), (Entries{"beta:27015", "ALPHA:27015"}));
  servers.AddServer("ALPHA:27015");  // already on top: the order stays
  EXPECT_EQ(servers.entries(), (Entries{"beta:27015", "ALPHA:27015"}));
  EXPECT_EQ(servers.updates, 4);
}

// (The fifteen-entry limit is checked through the real menu.)
TEST(RecentServerList, IdsCountFromTheNewestAndOutOfRangeOnesAreIgnored) {
  CountingServers servers;
  for (const char* s : {"a:1", "b:2", "c:3"}) servers.AddServer(s);
  struct Case {
    uint32_t id;
    std::optional<std::string> server;
  } cases[] = {{57615, std::nullopt}, {57616, "c:3"}, {57617, "b:2"}, {57618, "a:1"},
               {57619, std::nullopt}, {0, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(servers.GetServer(c.id), c.server) << c.id;

  const int updates = servers.updates;
  servers.MoveToTop(57619);
  servers.RemoveServer(57615);
  EXPECT_EQ(servers.updates, updates);
  EXPECT_EQ(servers.entries(), (Entries{"a:1", "b:2", "c:3"}));

  servers.MoveToTop(57618);
  EXPECT_EQ(servers.entries(), (Entries{"b:2", "c:3", "a:1"}));
  servers.RemoveServer(57617);
  EXPECT_EQ(servers.entries(), (Entries{"b:2", "a:1"}));
  EXPECT_EQ(servers.updates, updates + 2);
}

class RecentServerStore : public testing::Test {
 protected:
  RecentServerStore() : settings_(memory_.Root(RootKey::kCurrentUser).CreateSubkey("Settings")) {}
  std::unique_ptr<Key> Subkey() { return settings_->CreateSubkey(kRecentServersKeyName); }
  std::optional<std::string> Document(int number) {
    KeyValue value;
    if (Subkey()->QueryValue(Format("Document%d", number), kAnySize, value) != KeyStatus::kSuccess)
      return std::nullopt;
    EXPECT_EQ(value.type, ValueType::kString);
    EXPECT_EQ(value.data.back(), 0);
    return TextFromBytes(value.data);
  }
  MemoryKeyStore memory_;
  std::unique_ptr<Key> settings_;
};

TEST_F(RecentServerStore, ReadTakesTheMaximumAndTheNumberedTextsAndAMissingSubkeyNothing) {
  CountingServers untouched;
  untouched.AddServer("kept:27015");
  untouched.ReadServers(*settings_);
  EXPECT_EQ(untouched.entries(), Entries{"kept:27015"});
  EXPECT_EQ(untouched.updates, 1);
  struct Case {
    std::optional<uint32_t> count;
    std::vector<int> numbers;  // stored Document<n>, text "s<n>"
    int32_t maximum;
    Entries entries;
  } cases[] = {
      {std::nullopt, {1, 2, 3}, 15, {"s3", "s2", "s1"}},
      {3, {1, 2, 3, 4}, 3, {"s3", "s2", "s1"}},
      {15, {1, 3, 15}, 15, {"s15", "s3", "s1"}},  // missing numbers leave no gap
      {0, {1, 15}, 15, {"s15", "s1"}},
      {16, {1, 16}, 15, {"s1"}},
      {0xFFFFFFFF, {2}, 15, {"s2"}},
  };
  for (const Case& c : cases) {
    settings_->DeleteSubkey(kRecentServersKeyName);
    auto subkey = Subkey();
    if (c.count) SetDword(*subkey, "DocumentCount", *c.count);
    for (int n : c.numbers) SetString(*subkey, Format("Document%d", n), Format("s%d", n));
    CountingServers servers;
    servers.SetMaximum(kRecentServersWindowMaximum);
    servers.AddServer("replaced:27015");
    servers.ReadServers(*settings_);
    EXPECT_EQ(servers.maximum(), c.maximum);
    EXPECT_EQ(servers.entries(), c.entries);
    EXPECT_EQ(servers.updates, 2);
  }
  // 259 characters and their terminator fill the room; 260 without one are no text.
  settings_->DeleteSubkey(kRecentServersKeyName);
  auto subkey = Subkey();
  const std::string longest(259, 'h');
  SetString(*subkey, "Document1", longest);
  const std::string unended(260, 'u');
  subkey->SetValue("Document2", ValueType::kString,
                   std::span(reinterpret_cast<const uint8_t*>(unended.data()), unended.size()));
  CountingServers servers;
  servers.ReadServers(*settings_);
  EXPECT_EQ(servers.entries(), Entries{longest});
}

TEST_F(RecentServerStore, WriteNumbersFromTheNewestAndDeletesStaleNumbers) {
  RecentServers servers;
  servers.SetMaximum(kRecentServersWindowMaximum);
  for (const char* s : {"a:1", "b:2", "c:3", "d:4", "e:5"}) servers.AddServer(s);
  servers.WriteServers(*settings_);
  EXPECT_EQ(Document(1), "e:5");
  EXPECT_EQ(Document(5), "a:1");

  servers.RemoveServer(57616);
  servers.RemoveServer(57616);
  SetString(*Subkey(), "Document15", "stale");
  servers.WriteServers(*settings_);
  EXPECT_EQ(Document(1), "c:3");
  EXPECT_EQ(Document(2), "b:2");
  EXPECT_EQ(Document(3), "a:1");
  for (int n = 4; n <= 15; ++n) EXPECT_EQ(Document(n), std::nullopt) << n;
  KeyValue count;
  ASSERT_EQ(Subkey()->QueryValue("DocumentCount", 4, count), KeyStatus::kSuccess);
  EXPECT_EQ(count.type, ValueType::kDword);
  EXPECT_EQ(DwordFromBytes(count.data), 15u);

  RecentServers read;
  read.ReadServers(*settings_);
  EXPECT_EQ(read.entries(), servers.entries());
}

}  // namespace
}  // namespace tarnwick
