// The player list's menu against the demo server, through a real main window and its console:
// the actions stay off until the password has worked, a kick and a ban ask first, go out with the
// ids of the server's "status", show in the console, and the list follows.
#include <gtest/gtest.h>

#include <functional>

#include "shell/player_menu_win.h"
#include "tests/rcon/console_fixture_win.h"
#include "tests/support/modal_driver_win.h"

namespace tarnwick {
namespace {

using testing::ConsoleTest;
using testing::PumpUntil;

// What the menu shows: the actions on or off, and its last line.
struct MenuSeen {
  bool kick, ban, banAddress, say;
  std::string note;
};

bool On(HMENU menu, UINT item, UINT by) { return (GetMenuState(menu, item, by) & MF_GRAYED) == 0; }

MenuSeen Read(HMENU menu) {
  wchar_t note[256] = {};
  GetMenuStringW(menu, ID_PLAYER_NOTE, note, 256, MF_BYCOMMAND);
  return {On(menu, ID_PLAYER_KICK, MF_BYCOMMAND), On(menu, 4, MF_BYPOSITION),
          On(menu, 5, MF_BYPOSITION), On(menu, ID_PLAYER_SAY, MF_BYCOMMAND), Narrow(note)};
}

class PlayerAdmin : public ConsoleTest {
 protected:
  PlayerAdmin() {
    SetPopupMenuTracker([this](HMENU menu, POINT) {
      const MenuSeen seen = Read(menu);
      menus.push_back(seen);
      // A menu opened while "status" is awaited opens again once it is answered.
      if (seen.note == "Asking the server for its players...") {
        PumpUntil([&] { return Console().FreshStatus() != nullptr; });
        return UINT{0};
      }
      return choose(seen);
    });
  }
  ~PlayerAdmin() override { SetPopupMenuTracker(nullptr); }

  HWND List() { return window->Players().hwnd(); }
  int Row(const std::string& name) {
    const auto rows = window->Players().VisibleRows();
    for (size_t row = 0; row < rows.size(); ++row) {
      if (rows[row][1] == name) return static_cast<int>(row);
    }
    return -1;
  }
  // A right click on the row, as the list passes it on to its window.
  void RightClick(const std::string& name) {
    RECT box = {};
    box.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(List(), LVM_GETITEMRECT, Row(name), reinterpret_cast<LPARAM>(&box)));
    POINT at = {box.left + 20, (box.top + box.bottom) / 2};
    ClientToScreen(List(), &at);
    SendMessageW(window.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()),
                 MAKELPARAM(at.x, at.y));
  }
  // The menu key on the selected row.
  void MenuKey(const std::string& name) {
    LVITEMW item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(), LVM_SETITEMSTATE, Row(name), reinterpret_cast<LPARAM>(&item));
    const size_t before = menus.size();
    PostMessageW(List(), WM_KEYDOWN, VK_APPS, 1);
    PostMessageW(List(), WM_KEYUP, VK_APPS, 0xC0000001);
    ASSERT_TRUE(PumpUntil([&] { return menus.size() > before; }));
  }

  std::vector<MenuSeen> menus;
  std::function<UINT(const MenuSeen&)> choose = [](const MenuSeen&) { return UINT{0}; };
};

TEST_F(PlayerAdmin, KickAndBanAskFirstAndWaitForAWorkingPassword) {
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().Kind() == ServerKind::Old; }));
  ASSERT_TRUE(PumpUntil([&] { return window->Players().RowCount() == 3; }));

  // A password nothing has answered yet (as none at all): every action is off, and says why.
  SetPassword("demo");
  RightClick("Barney");
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_FALSE(menus[0].kick || menus[0].ban || menus[0].banAddress || menus[0].say);
  EXPECT_EQ(menus[0].note, "Set the rcon password in the remote console");
  EXPECT_EQ(CountRequests("rcon demo status"), 0u) << "nothing is asked without the password";

  // Once a command has been answered: Kick, Yes.
  Send("echo ready");
  ASSERT_TRUE(WaitForOutput("ready\r\n"));
  menus.clear();
  choose = [](const MenuSeen& seen) { return seen.kick ? UINT{ID_PLAYER_KICK} : UINT{0}; };
  boxes_.Answer(IDYES);
  RightClick("Barney");
  ASSERT_EQ(menus.size(), 2u) << "asked for status, then opened again with its answer";
  EXPECT_TRUE(menus[1].kick && menus[1].ban && menus[1].banAddress && menus[1].say);
  EXPECT_EQ(menus[1].note, "");
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, "Kick Barney (user 2) from the server?");
  EXPECT_EQ(boxes_.Boxes()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  ASSERT_TRUE(WaitForRequest("rcon demo kick #2"));
  ASSERT_TRUE(PumpUntil([&] { return window->Players().RowCount() == 2 && Row("Barney") < 0; }));
  EXPECT_TRUE(WaitForOutput("] kick #2\r\nDropped Barney from server\r\n"));

  // A ban from the keyboard: No sends nothing, Yes bans by the id "status" gave.
  boxes_.Clear();
  menus.clear();
  choose = [](const MenuSeen& seen) { return seen.ban ? UINT{ID_PLAYER_BAN_FIRST + 1} : UINT{0}; };
  boxes_.Answer(IDNO);
  MenuKey("Freeman");
  boxes_.Answer(IDYES);
  MenuKey("Freeman");
  ASSERT_EQ(boxes_.Boxes().size(), 2u);
  for (const MessageBoxRequest& box : boxes_.Boxes()) {
    EXPECT_EQ(box.text, "Ban Freeman (STEAM_0:0:1001) for 1 hour and kick the player now?");
  }
  ASSERT_TRUE(WaitForRequest("rcon demo writeid"));
  EXPECT_EQ(CountRequests("rcon demo banid 60 STEAM_0:0:1001 kick"), 1u);
  // Both commands show as they go out; the server's answers follow.
  EXPECT_TRUE(WaitForOutput("] banid 60 STEAM_0:0:1001 kick\r\n] writeid\r\n"));
  EXPECT_TRUE(WaitForOutput("STEAM_0:0:1001 banned for 60 minutes\r\n"));
  EXPECT_TRUE(PumpUntil([&] { return window->Players().RowCount() == 1; }));

  // Say to all: what is typed in its box goes out as "say", without its double quotes.
  {
    testing::ModalDriver typing({[](HWND dialog) {
      testing::SetText(dialog, IDC_SAY_TEXT, "hello \"all\"");
      testing::Click(dialog, IDOK);
    }});
    choose = [](const MenuSeen& seen) { return seen.say ? UINT{ID_PLAYER_SAY} : UINT{0}; };
    RightClick("[TW] Alyx");
    EXPECT_TRUE(typing.AllRan());
  }
  EXPECT_TRUE(WaitForRequest("rcon demo say hello 'all'"));

  // Copy address puts the server as host:port on the clipboard.
  choose = [](const MenuSeen&) { return UINT{ID_PLAYER_COPY_ADDRESS}; };
  RightClick("[TW] Alyx");
  ASSERT_TRUE(OpenClipboard(window.hwnd()));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* copied = static_cast<const wchar_t*>(data != nullptr ? GlobalLock(data) : nullptr);
  EXPECT_EQ(copied != nullptr ? Narrow(copied) : "", "127.0.0.1:" + std::to_string(server_.Port()));
  if (copied != nullptr) GlobalUnlock(data);
  CloseClipboard();

  // A new password that has not worked yet turns the actions off again.
  SetPassword("other");
  RightClick("[TW] Alyx");
  EXPECT_FALSE(menus.back().kick);
  EXPECT_EQ(menus.back().note, "Set the rcon password in the remote console");
}

}  // namespace
}  // namespace tarnwick
