// The "Servers" page: the recent servers in a drag list. Every reordering goes through
// MoveServerRow, the rule the Up and Down buttons and dragging share.
#include "common/wide_text_win.h"
#include "dialogs/options_pages_win.h"
#include "dialogs/server_rows.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

UINT DragListMessage() {
  static const UINT message = RegisterWindowMessageA(DRAGLISTMSGSTRING);
  return message;
}

std::string RowText(HWND list, int row) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == LB_ERR) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

void ShowRows(HWND list, const std::vector<std::string>& rows, int selected) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& row : rows) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(row).c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

HWND ServersOptionsPage::List() const { return Item(IDC_SERVERS_LIST); }

int ServersOptionsPage::Selected() const {
  return static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0));
}

std::vector<std::string> ServersOptionsPage::Rows() const {
  std::vector<std::string> rows;
  if (!Exists()) return rows;
  const int count = static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) rows.push_back(RowText(List(), row));
  return rows;
}

void ServersOptionsPage::OnInit() {
  DragListMessage();
  MakeDragList(List());
  std::vector<std::string> rows;
  for (uint32_t id = kRecentServerFirstId;; ++id) {
    const std::optional<std::string> server = servers_.GetServer(id);
    if (!server) break;
    rows.push_back(*server);
  }
  ShowRows(List(), rows, -1);
}

void ServersOptionsPage::OnApply() {
  while (servers_.GetServer(kRecentServerFirstId)) servers_.RemoveServer(kRecentServerFirstId);
  const std::vector<std::string> rows = Rows();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) servers_.AddServer(*row);
}

bool ServersOptionsPage::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  const int count = static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0));
  std::optional<RowMove> move;
  switch (id) {
    case IDC_SERVERS_UP:
      move = UpMove(Selected());
      break;
    case IDC_SERVERS_DOWN:
      move = DownMove(Selected(), count);
      break;
    case IDC_SERVERS_REMOVE:
      Remove();
      return true;
    default:
      return false;
  }
  if (move) Move(move->from, move->to);
  return true;
}

void ServersOptionsPage::Move(int from, int to) {
  std::vector<std::string> rows = Rows();
  const std::optional<int> selected = MoveServerRow(rows, from, to);
  if (selected) ShowRows(List(), rows, *selected);
}

void ServersOptionsPage::Remove() {
  const int index = Selected();
  if (index < 0) return;
  std::vector<std::string> rows = Rows();
  const int selected = RemoveServerRow(rows, index);
  ShowRows(List(), rows, selected);
}

bool ServersOptionsPage::OnOtherMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  if (message != DragListMessage() || lParam == 0) return false;
  SetResult(OnDragList(*reinterpret_cast<const DRAGLISTINFO*>(lParam)));
  result = TRUE;
  return true;
}

INT_PTR ServersOptionsPage::OnDragList(const DRAGLISTINFO& drag) {
  switch (drag.uNotification) {
    case DL_BEGINDRAG:
      dragSource_ = LBItemFromPt(List(), drag.ptCursor, TRUE);
      // Nothing to drag from below the last row.
      return dragSource_ >= 0 ? TRUE : FALSE;
    case DL_DRAGGING:
      DrawInsert(hwnd(), List(), LBItemFromPt(List(), drag.ptCursor, TRUE));
      return DL_MOVECURSOR;
    case DL_DROPPED: {
      DrawInsert(hwnd(), List(), -1);
      const int source = dragSource_;
      dragSource_ = -1;
      if (source >= 0) Move(source, LBItemFromPt(List(), drag.ptCursor, FALSE));
      return TRUE;
    }
    case DL_CANCELDRAG:
      DrawInsert(hwnd(), List(), -1);
      dragSource_ = -1;
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick
