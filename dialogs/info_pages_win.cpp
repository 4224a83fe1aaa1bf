// The pages of the Server Info sheet: each fill puts the texts it makes of the state into the
// page's controls.
#include "dialogs/info_pages_win.h"

#include "common/ansi_text.h"
#include "common/wide_text_win.h"
#include "controls/list_view_win.h"
#include "common/string_resource_win.h"
#include "dialogs/server_info_texts.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr int kVariableColumnWidth = 200;
constexpr int kValueColumnWidth = 75;
constexpr char kRefreshInProgress[] = "  (refresh in progress)";

// Inserts a row; the list's ascending sort decides its place, which is returned.
int AddRow(HWND list, const std::string& name) {
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  return InsertListItem(list, count, name, 0);
}

}  // namespace

// ---- General

InfoGeneralPage::InfoGeneralPage(const ServerState& state)
    : state_(state),
      locked_(LoadResourceString(IDS_FLAG_LOCKED)),
      dedicated_(LoadResourceString(IDS_FLAG_DEDICATED)) {}

void InfoGeneralPage::OnInit() { os_.Attach(Item(IDC_INFO_OS)); }

void InfoGeneralPage::Fill(const ServerState& state) {
  if (!Exists()) return;
  SetItemText(IDC_INFO_ADDRESS, state.address);
  SetItemText(IDC_INFO_NAME, ServerText(state.hostName));
  SetItemText(IDC_INFO_MAP, ServerText(state.map));
  SendMessageA(Item(IDC_INFO_PLAYERS), PBM_SETRANGE32, 0, state.maxPlayers);
  SendMessageA(Item(IDC_INFO_PLAYERS), PBM_SETPOS, static_cast<WPARAM>(state.players), 0);
  const int osLink = OsLinkStringId(state.os);
  SetItemText(IDC_INFO_OS, osLink != 0 ? LoadResourceString(static_cast<UINT>(osLink)) : "");
  SetItemText(IDC_INFO_FLAGS, FlagsText(state, locked_, dedicated_));
}

// ---- Rules

void InfoRulesPage::OnInit() {
  HWND list = Item(IDC_RULES_LIST);
  AddListColumn(list, 0, "Variable", LVCFMT_LEFT, kVariableColumnWidth);
  AddListColumn(list, 1, "value", LVCFMT_RIGHT, kValueColumnWidth);
  const LPARAM styles = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(styles), styles);
  AddRow(list, kRefreshInProgress);
}

void InfoRulesPage::Refill() {
  if (!Exists() || !rows_) return;
  HWND list = Item(IDC_RULES_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (const RuleRow& rule : *rows_) {
    const int row = AddRow(list, ServerText(rule.name));
    if (row >= 0) SetListItemText(list, row, 1, ServerText(rule.value));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void InfoRulesPage::RulesChanged(const std::optional<std::vector<RuleRow>>& rows) {
  rows_ = rows;
  if (Exists() && IsWindowVisible(hwnd())) Refill();
}

// ---- Mod

void InfoModPage::OnInit() {
  // Every field comes from the server: a web address is a link, anything else plain text (the
  // game folder too: opening it would run whatever the server named).
  url_.Attach(Item(IDC_MOD_URL), LinkTexts::kServer);
  download_.Attach(Item(IDC_MOD_DOWNLOAD), LinkTexts::kServer);
  folder_.Attach(Item(IDC_MOD_FOLDER), LinkTexts::kServer);
}

void InfoModPage::Fill(const ServerState& state) {
  if (!Exists()) return;
  const ModPageTexts texts = MakeModPageTexts(state);
  SetItemText(IDC_MOD_NAME, ServerText(texts.name));
  SetItemText(IDC_MOD_FOLDER, ServerText(texts.folder));
  SetItemText(IDC_MOD_URL, ServerText(texts.url));
  if (texts.download) SetItemText(IDC_MOD_DOWNLOAD, ServerText(*texts.download));
  SetItemText(IDC_MOD_VERSION, ServerText(texts.version));
  SetItemText(IDC_MOD_SIZE, texts.size);
}

// ---- Ping statistic

void InfoPingPage::Fill(const ServerState& state) {
  if (!Exists()) return;
  const std::array<std::string, 6> figures = PingFigureTexts(state);
  const int ids[] = {IDC_PING_MINIMAL, IDC_PING_AVERAGE,  IDC_PING_MAXIMAL,
                     IDC_PING_SENT,    IDC_PING_RECEIVED, IDC_PING_LOST};
  for (size_t i = 0; i < figures.size(); ++i) SetItemText(ids[i], figures[i]);
}

bool InfoPingPage::OnCommand(int id, int code) {
  if (id != IDC_PING_RESET || code != BN_CLICKED) return false;
  monitor_.ResetPingStatistics();
  Fill(monitor_.State());
  return true;
}

}  // namespace tarnwick
