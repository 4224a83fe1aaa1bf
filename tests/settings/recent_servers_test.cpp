// The recent servers model: order, limits, ids and its registry layout.
#include "settings/recent_servers.h"

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

using Entries = std::vector<std::string>;

// (The labels, the fifteen-entry limit and the ids of the entries shown are read back from the real
// menus.)
TEST(RecentServerList, AddingPutsTheServerOnTopOnceAndIdsOutOfRangeChangeNothing) {
  RecentServers servers;
  for (const char* s : {"a:1", "b:2", "A:1", "A:1", "c:3"}) servers.AddServer(s);
  EXPECT_EQ(servers.entries(), (Entries{"b:2", "A:1", "c:3"})) << "letter case makes no other";
  for (uint32_t id : {0u, 57615u, 57619u}) {
    EXPECT_EQ(servers.GetServer(id), std::nullopt) << id;
    servers.MoveToTop(id);
    servers.RemoveServer(id);
  }
  EXPECT_EQ(servers.entries(), (Entries{"b:2", "A:1", "c:3"}));
  servers.MoveToTop(57618);
  EXPECT_EQ(servers.entries(), (Entries{"A:1", "c:3", "b:2"})) << "the oldest went on top";
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

TEST_F(RecentServerStore, ReadTakesTheMaximumAndTheNumberedTexts) {
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
    RecentServers servers;
    servers.SetMaximum(kRecentServersWindowMaximum);
    servers.AddServer("replaced:27015");
    servers.ReadServers(*settings_);
    EXPECT_EQ(servers.maximum(), c.maximum);
    EXPECT_EQ(servers.entries(), c.entries);
  }
  // 259 characters and their terminator fill the room; 260 without one are no text.
  settings_->DeleteSubkey(kRecentServersKeyName);
  auto subkey = Subkey();
  const std::string longest(259, 'h');
  SetString(*subkey, "Document1", longest);
  const std::string unended(260, 'u');
  subkey->SetValue("Document2", ValueType::kString,
                   std::span(reinterpret_cast<const uint8_t*>(unended.data()), unended.size()));
  RecentServers servers;
  servers.ReadServers(*settings_);
  EXPECT_EQ(servers.entries(), Entries{longest});
}

TEST_F(RecentServerStore, WriteNumbersFromTheNewestAndDeletesStaleNumbers) {
  RecentServers servers;
  servers.SetMaximum(kRecentServersWindowMaximum);
  for (const char* s : {"a:1", "b:2", "c:3", "d:4", "e:5"}) servers.AddServer(s);
  servers.WriteServers(*settings_);
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
}

}  // namespace
}  // namespace tarnwick
