// The recent servers in the program's real menus (File menu and the tray's Connect submenu), read
// back item by item. (The address box's refill is checked through the Options sheet.)
#include "shell/recent_servers_menu_win.h"

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

struct Item {
  std::string text;
  UINT id;
  bool grayed;
  bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* out) {
  *out << "{\"" << item.text << "\" " << item.id << (item.grayed ? " grayed}" : "}");
}

std::vector<Item> ItemsFrom(HMENU menu, int first) {
  std::vector<Item> items;
  for (int position = first; position < GetMenuItemCount(menu); ++position) {
    char text[300] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    items.push_back({text, GetMenuItemID(menu, position), (state & MF_GRAYED) != 0});
  }
  return items;
}

// The File menu's items from its recent servers place (position 10) on.
constexpr int kFilePlace = 10;

class RecentServersMenuGlue : public testing::Test {
 protected:
  void SetUp() override {
    frame_.Reset(LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
    ASSERT_TRUE(frame_);
    file_ = GetSubMenu(frame_.Get(), 0);
    ASSERT_EQ(GetMenuItemCount(file_), kFilePlace + 1);
    servers_.SetMaximum(kRecentServersWindowMaximum);
    servers_.AttachMenu(file_);
  }
  // A freshly loaded tray menu and its Connect submenu.
  HMENU LoadTrayConnect() {
    tray_.Reset(LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    return GetSubMenu(GetSubMenu(tray_.Get(), 0), 3);
  }

  UniqueMenu frame_;
  UniqueMenu tray_;
  HMENU file_ = nullptr;
  RecentServersMenu servers_;
};

// (The labels and the limit are the model's; here the menu shows them in place of the placeholder.)
TEST_F(RecentServersMenuGlue, EntriesReplaceThePlaceholderNewestFirstAndNeverMoreThanFifteen) {
  EXPECT_EQ(servers_.placeholder(), "(resent servers)");
  servers_.UpdateMenu();
  EXPECT_EQ(ItemsFrom(file_, kFilePlace), (std::vector<Item>{{"(resent servers)", 57616, true}}));
  for (int i = 1; i <= 16; ++i) servers_.AddServer(Format("s%d:27015", i));
  const std::vector<Item> items = ItemsFrom(file_, kFilePlace);
  ASSERT_EQ(items.size(), 15u);
  EXPECT_EQ(items.front(), (Item{"&1 s16:27015", 57616, false}));
  EXPECT_EQ(items[9], (Item{"1&0 s7:27015", 57625, false}));
  EXPECT_EQ(items.back(), (Item{"15 s2:27015", 57630, false}));
  char text[64] = {};
  GetMenuStringA(file_, 8, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "E&xit") << "the items before the place are untouched";
}

TEST_F(RecentServersMenuGlue, TrayMenuShowsTheSameEntriesAndEachMenuItsPlaceholderWhenEmptied) {
  servers_.AddServer("a:27015");
  servers_.AddServer("b:27015");
  servers_.MoveToTop(57617);
  HMENU connect = LoadTrayConnect();
  servers_.UpdateOtherMenu(connect);
  EXPECT_EQ(ItemsFrom(connect, 0),
            (std::vector<Item>{{"&1 a:27015", 57616, false}, {"&2 b:27015", 57617, false}}));
  EXPECT_EQ(ItemsFrom(file_, kFilePlace), ItemsFrom(connect, 0));
  EXPECT_EQ(servers_.menu(), file_);

  servers_.RemoveServer(57616);
  servers_.RemoveServer(57616);
  EXPECT_EQ(ItemsFrom(file_, kFilePlace), (std::vector<Item>{{"(resent servers)", 57616, true}}));
  connect = LoadTrayConnect();
  servers_.UpdateOtherMenu(connect);
  EXPECT_EQ(ItemsFrom(connect, 0), (std::vector<Item>{{"(empty)", 57616, true}}));
}

}  // namespace
}  // namespace tarnwick
