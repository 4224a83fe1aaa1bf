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

// (The labels and the limit are the model's; here the menus show them instead of the placeholders.)
TEST(RecentServersMenuGlue, EntriesReplaceThePlaceholdersNewestFirstAndNeverMoreThanFifteen) {
  const UniqueMenu frame(LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
  ASSERT_TRUE(frame);
  HMENU file = GetSubMenu(frame.Get(), 0);
  ASSERT_EQ(GetMenuItemCount(file), kFilePlace + 1);
  RecentServersMenu servers;
  servers.SetMaximum(kRecentServersWindowMaximum);
  servers.AttachMenu(file);
  // The tray menu is loaded afresh each time it opens.
  UniqueMenu tray;
  auto trayConnect = [&] {
    tray.Reset(LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    HMENU connect = GetSubMenu(GetSubMenu(tray.Get(), 0), 3);
    servers.UpdateOtherMenu(connect);
    return ItemsFrom(connect, 0);
  };
  for (int i = 1; i <= 16; ++i) servers.AddServer(Format("s%d:27015", i));
  std::vector<Item> items = ItemsFrom(file, kFilePlace);
  ASSERT_EQ(items.size(), 15u);
  EXPECT_EQ(items.front(), (Item{"&1 s16:27015", 57616, false}));
  EXPECT_EQ(items[9], (Item{"1&0 s7:27015", 57625, false}));
  EXPECT_EQ(items.back(), (Item{"15 s2:27015", 57630, false}));
  char text[64] = {};
  GetMenuStringA(file, 8, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "E&xit") << "the items before the place are untouched";
  servers.MoveToTop(57630);
  items = ItemsFrom(file, kFilePlace);
  EXPECT_EQ(items.front(), (Item{"&1 s2:27015", 57616, false}));
  EXPECT_EQ(trayConnect(), items);

  while (servers.GetServer(57616)) servers.RemoveServer(57616);
  EXPECT_EQ(ItemsFrom(file, kFilePlace), (std::vector<Item>{{"(resent servers)", 57616, true}}));
  EXPECT_EQ(trayConnect(), (std::vector<Item>{{"(empty)", 57616, true}}));
}

}  // namespace
}  // namespace tarnwick
