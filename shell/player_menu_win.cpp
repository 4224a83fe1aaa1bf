#include "shell/player_menu_win.h"

#include <cstring>
#include <utility>
#include <vector>

#include "common/ansi_text.h"
#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "rcon/say_prompt_win.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"

namespace tarnwick {
namespace {

// Places in the menu resource of the two submenus and of the reason line with its separator.
constexpr UINT kBanSubmenu = 4;
constexpr UINT kBanAddressSubmenu = 5;
constexpr UINT kNoteSeparator = 8;

PopupMenuTracker& Tracker() {
  static PopupMenuTracker tracker;
  return tracker;
}

UINT NoteString(AdminNote note) {
  switch (note) {
    case AdminNote::kNoPassword: return IDS_ADMIN_NO_PASSWORD;
    case AdminNote::kAsking: return IDS_ADMIN_ASKING;
    case AdminNote::kNoAnswer: return IDS_ADMIN_NO_ANSWER;
    case AdminNote::kUnreadable: return IDS_ADMIN_UNREADABLE;
    case AdminNote::kNoSuchName: return IDS_ADMIN_NO_SUCH_NAME;
    case AdminNote::kSeveralNames: return IDS_ADMIN_SEVERAL_NAMES;
    case AdminNote::kBadUserId: return IDS_ADMIN_BAD_USER_ID;
    case AdminNote::kOnlyKick: return IDS_ADMIN_ONLY_KICK;
    case AdminNote::kNoAddress: return IDS_ADMIN_NO_ADDRESS;
    case AdminNote::kNone: break;
  }
  return 0;
}

UINT BanTimeString(BanTime time) {
  switch (time) {
    case BanTime::kFiveMinutes: return IDS_BAN_FIVE_MINUTES;
    case BanTime::kOneHour: return IDS_BAN_ONE_HOUR;
    case BanTime::kOneDay: return IDS_BAN_ONE_DAY;
    case BanTime::kPermanent: return IDS_BAN_PERMANENT;
  }
  return IDS_BAN_PERMANENT;
}

void Enable(HMENU menu, UINT item, bool enable, UINT by = MF_BYCOMMAND) {
  EnableMenuItem(menu, item, by | (enable ? MF_ENABLED : MF_GRAYED));
}

void ShowState(HMENU menu, const AdminMenuState& state) {
  Enable(menu, ID_PLAYER_COPY_NAME, state.copyName);
  Enable(menu, ID_PLAYER_COPY_ADDRESS, state.copyAddress);
  Enable(menu, ID_PLAYER_KICK, state.kick);
  Enable(menu, kBanSubmenu, state.banId, MF_BYPOSITION);
  Enable(menu, kBanAddressSubmenu, state.banAddress, MF_BYPOSITION);
  Enable(menu, ID_PLAYER_SAY, state.say);
  const UINT note = NoteString(state.note);
  if (note == 0) {
    DeleteMenu(menu, ID_PLAYER_NOTE, MF_BYCOMMAND);
    DeleteMenu(menu, kNoteSeparator, MF_BYPOSITION);
    return;
  }
  const std::wstring text = Widen(LoadResourceString(note));
  ModifyMenuW(menu, ID_PLAYER_NOTE, MF_BYCOMMAND | MF_STRING | MF_GRAYED, ID_PLAYER_NOTE,
              text.c_str());
}

UINT Track(HMENU menu, POINT at, HWND owner) {
  if (Tracker()) return Tracker()(menu, at);
  return static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                          at.x, at.y, 0, owner, nullptr));
}

void CopyText(HWND owner, const std::string& utf8) {
  const std::wstring text = Widen(utf8);
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  // The clipboard owns the memory once it took it.
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  CloseClipboard();
}

}  // namespace

void SetPopupMenuTracker(PopupMenuTracker tracker) { Tracker() = std::move(tracker); }

void PlayerMenu::OnContextMenu(LPARAM at) {
  const HWND list = window_.Players().hwnd();
  POINT point = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  int row = -1;
  if (point.x == -1 && point.y == -1) {
    row = static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    RECT box = {};
    box.left = LVIR_LABEL;
    if (row < 0 || !SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&box))) {
      box = RECT{};
    }
    point = {box.left, box.bottom};
    ClientToScreen(list, &point);
  } else {
    LVHITTESTINFO hit = {};
    hit.pt = point;
    ScreenToClient(list, &hit.pt);
    row = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  }
  std::optional<std::string> name;
  if (row >= 0) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    name = window_.Players().CellText(item.lParam, 1);
  }
  Open(point, std::move(name));
}

bool PlayerMenu::FilterKey(const MSG& message) {
  if (message.hwnd != window_.Players().hwnd()) return false;
  const bool menuKey = message.wParam == VK_APPS &&
                       (message.message == WM_KEYDOWN || message.message == WM_KEYUP);
  const bool shiftF10 = message.wParam == VK_F10 && message.message == WM_SYSKEYDOWN &&
                        GetKeyState(VK_SHIFT) < 0;
  if (!menuKey && !shiftF10) return false;
  // The system would make a context menu message of the key as well: it never sees the key.
  if (message.message != WM_KEYDOWN) OnContextMenu(MAKELPARAM(-1, -1));
  return true;
}

void PlayerMenu::Open(POINT at, std::optional<std::string> name) {
  if (open_) return;
  open_ = true;
  RemoteConsole& console = window_.Console();
  if (console.PasswordWorks() && console.FreshStatus() == nullptr) console.AskStatus();
  for (;;) {
    UniqueMenu resource(LoadMenuW(window_.Instance(), MAKEINTRESOURCEW(IDR_PLAYER_MENU)));
    if (!resource) break;
    HMENU menu = GetSubMenu(resource.Get(), 0);
    AdminMenuFacts facts;
    facts.connected = window_.Monitor().IsConnected();
    facts.passwordWorks = console.PasswordWorks();
    facts.name = name;
    facts.answer = console.FreshStatus();
    facts.asking = console.AskingStatus();
    const AdminMenuState state = DecideAdminMenu(facts, &ServerText);
    ShowState(menu, state);
    bool answered = false;
    console.SetStatusListener([&answered, &state] {
      if (state.note != AdminNote::kAsking) return;
      answered = true;
      EndMenu();
    });
    const UINT command = Track(menu, at, window_.hwnd());
    console.SetStatusListener(nullptr);
    if (command == 0 && answered) continue;
    open_ = false;
    Run(command, state, name.value_or(std::string()));
    return;
  }
  open_ = false;
}

void PlayerMenu::Run(UINT command, const AdminMenuState& state, const std::string& name) {
  if (command == ID_PLAYER_COPY_NAME) {
    CopyText(window_.hwnd(), name);
    return;
  }
  if (command == ID_PLAYER_COPY_ADDRESS) {
    // "host:port", as the recent servers keep servers.
    CopyText(window_.hwnd(), Format("%s:%u", window_.Monitor().HostText().c_str(),
                                    static_cast<unsigned>(window_.Monitor().Port())));
    return;
  }
  if (command == ID_PLAYER_SAY) {
    SayPrompt prompt;
    if (!prompt.Run(window_.Instance(), window_.hwnd())) return;
    if (const std::optional<std::string> say = SayCommand(prompt.Text())) Submit({*say});
    return;
  }
  if (!state.player) return;
  const StatusPlayer& player = *state.player;
  if (command == ID_PLAYER_KICK && state.kick) {
    const std::optional<std::string> kick = KickCommand(player);
    const std::string question =
        Format(LoadResourceString(IDS_CONFIRM_KICK).c_str(), name.c_str(), player.userId.c_str());
    if (kick && Confirm(question)) Submit({*kick});
    return;
  }
  const bool byId = command >= ID_PLAYER_BAN_FIRST && command <= ID_PLAYER_BAN_LAST && state.banId;
  const bool byAddress = command >= ID_PLAYER_BAN_ADDRESS_FIRST &&
                         command <= ID_PLAYER_BAN_ADDRESS_LAST && state.banAddress;
  if (!byId && !byAddress) return;
  const auto time = static_cast<BanTime>(
      command - (byId ? ID_PLAYER_BAN_FIRST : ID_PLAYER_BAN_ADDRESS_FIRST));
  const std::string when = LoadResourceString(BanTimeString(time));
  std::string question;
  std::vector<std::string> commands;
  if (byId) {
    commands = BanIdCommands(player, time);
    question = Format(LoadResourceString(IDS_CONFIRM_BAN).c_str(), name.c_str(),
                      player.uniqueId.c_str(), when.c_str());
  } else {
    commands = BanAddressCommands(player, time);
    question = Format(LoadResourceString(IDS_CONFIRM_BAN_ADDRESS).c_str(),
                      AddressToBan(player.address).value_or(std::string()).c_str(), name.c_str(),
                      when.c_str());
  }
  if (!commands.empty() && Confirm(question)) Submit(commands);
}

bool PlayerMenu::Confirm(const std::string& question) {
  return window_.ShowMessageBoxOwned(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
         IDYES;
}

void PlayerMenu::Submit(const std::vector<std::string>& commands) {
  // The password may have changed while a box was open.
  RemoteConsole& console = window_.Console();
  if (!console.PasswordWorks()) return;
  for (const std::string& command : commands) console.SubmitAdminCommand(command);
  // The server takes the commands before the query that follows them: the list shows the result.
  window_.Monitor().Refresh();
}

}  // namespace tarnwick
