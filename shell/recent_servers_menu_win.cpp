// The recent servers in a menu: the placeholder item marks the place, and entries are inserted
// there before the old first item is deleted, so the place survives every update.
#include "shell/recent_servers_menu_win.h"

#include <utility>

#include "controls/combo_box_win.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

constexpr int kTextRoom = 260;
constexpr char kDefaultPlaceholder[] = "(empty)";

std::string LimitedText(std::string text) {
  if (text.size() >= static_cast<size_t>(kTextRoom)) text.resize(kTextRoom - 1);
  return text;
}

}  // namespace

void RecentServersMenu::AttachMenu(HMENU menu) {
  wchar_t text[kTextRoom] = {};
  const int length = GetMenuStringW(menu, kRecentServerFirstId, text, kTextRoom, MF_BYCOMMAND);
  AttachMenu(menu, length > 0 ? Narrow(std::wstring_view(text, static_cast<size_t>(length)))
                              : std::string(kDefaultPlaceholder));
}

void RecentServersMenu::AttachMenu(HMENU menu, std::string placeholder) {
  menu_ = menu;
  placeholder_ = LimitedText(std::move(placeholder));
}

void RecentServersMenu::UpdateMenu() {
  if (menu_ == nullptr) return;
  const int items = GetMenuItemCount(menu_);
  int place = items < 0 ? 0 : items;
  for (int position = 0; position < items; ++position) {
    if (GetMenuItemID(menu_, position) == kRecentServerFirstId) {
      place = position;
      break;
    }
  }
  for (int32_t offset = 1; offset < maximum(); ++offset)
    DeleteMenu(menu_, kRecentServerFirstId + static_cast<UINT>(offset), MF_BYCOMMAND);

  const auto& list = entries();
  const int count = static_cast<int>(list.size());
  if (count == 0) {
    InsertMenuW(menu_, static_cast<UINT>(place), MF_BYPOSITION | MF_STRING | MF_GRAYED,
                kRecentServerFirstId, Widen(placeholder_).c_str());
    DeleteMenu(menu_, static_cast<UINT>(place + 1), MF_BYPOSITION);
    return;
  }
  for (int i = 0; i < count; ++i) {
    const std::string label = RecentServerLabel(i, list[static_cast<size_t>(count - 1 - i)]);
    InsertMenuW(menu_, static_cast<UINT>(place + i), MF_BYPOSITION | MF_STRING | MF_ENABLED,
                kRecentServerFirstId + static_cast<UINT>(i), Widen(label).c_str());
  }
  DeleteMenu(menu_, static_cast<UINT>(place + count), MF_BYPOSITION);
}

void RecentServersMenu::UpdateOtherMenu(HMENU other) {
  HMENU own = std::exchange(menu_, nullptr);
  std::string ownPlaceholder = std::move(placeholder_);
  AttachMenu(other);
  UpdateMenu();
  menu_ = own;
  placeholder_ = std::move(ownPlaceholder);
}

void FillAddressBox(HWND comboBox, const RecentServers& servers) {
  SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
  const auto& list = servers.entries();
  for (auto it = list.rbegin(); it != list.rend(); ++it) AddComboItem(comboBox, *it);
}

}  // namespace tarnwick
