#include "dialogs/history_page_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/ansi_text.h"
#include "common/message_box_win.h"
#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "dialogs/server_info_texts.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

int64_t WallClockSeconds() {
  constexpr int64_t kUnixEpochAsFileTime = 116444736000000000;  // 100 ns units since 1601
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  const auto ticks = static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) |
                                          now.dwLowDateTime);
  return (ticks - kUnixEpochAsFileTime) / 10000000;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;  // the ring keeps well below a megabyte: one call
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr) != FALSE &&
         written == bytes.size();
}

}  // namespace

InfoHistoryPage::InfoHistoryPage(const ServerMonitor& monitor)
    : monitor_(monitor),
      texts_{LoadResourceString(IDS_HISTORY_EMPTY),       LoadResourceString(IDS_HISTORY_PLAYERS),
             LoadResourceString(IDS_HISTORY_MAX_PLAYERS), LoadResourceString(IDS_HISTORY_PING),
             LoadResourceString(IDS_HISTORY_MIN),         LoadResourceString(IDS_HISTORY_MAX)} {}

void InfoHistoryPage::Connected() {
  latestPing_.reset();
  if (server_ != monitor_.ServerAddress()) history_.Clear();
  history_.BreakLine();
  server_ = monitor_.ServerAddress();
}

void InfoHistoryPage::ServerInfoChanged(const ServerState& state) {
  // A box the reply opened (autojoin's question) may have let a disconnection in: the state is
  // then cleared, and no point of the server's.
  if (!monitor_.IsConnected()) return;
  history_.Add({WallClockSeconds(), state.players, state.maxPlayers, latestPing_});
  if (Exists()) InvalidateRect(Item(IDC_HISTORY_GRAPH), nullptr, FALSE);
}

bool InfoHistoryPage::OnCommand(int id, int code) {
  if (id != IDC_HISTORY_EXPORT || code != BN_CLICKED) return false;
  Export();
  return true;
}

bool InfoHistoryPage::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                     INT_PTR& result) {
  if (message != WM_DRAWITEM || wParam != IDC_HISTORY_GRAPH) return false;
  Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}

// Drawn into a bitmap first and copied in one piece, so that a graph redrawn every few seconds
// does not flicker.
void InfoHistoryPage::Draw(const DRAWITEMSTRUCT& item) const {
  const RECT& area = item.rcItem;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  if (font == nullptr) font = GetStockObject(DEFAULT_GUI_FONT);
  const UINT dpi = WindowDpi(hwnd());
  const UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
  const UniqueGdiObject bitmap(CreateCompatibleBitmap(item.hDC, width, height));
  if (!memory || !bitmap) {
    ScopedSelectObject selectFont(item.hDC, font);
    DrawHistoryGraph(item.hDC, area, history_, dpi, texts_, &LocalUtcOffsetAt);
    return;
  }
  ScopedSelectObject selectBitmap(memory.Get(), bitmap.Get());
  ScopedSelectObject selectFont(memory.Get(), font);
  DrawHistoryGraph(memory.Get(), {0, 0, width, height}, history_, dpi, texts_, &LocalUtcOffsetAt);
  BitBlt(item.hDC, area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

std::string InfoHistoryPage::DefaultFileName() const {
  std::string name = FileNameFromServerName(ServerText(monitor_.State().hostName));
  if (name.empty()) name = FileNameFromServerName(monitor_.HostText());
  if (name.empty()) name = LoadResourceString(IDS_PROGRAM_NAME);
  return Format(LoadResourceString(IDS_HISTORY_FILE_NAME).c_str(), name.c_str());
}

void InfoHistoryPage::Export() const {
  const std::wstring filter = Widen(LoadFilterString(IDS_HISTORY_FILTER));
  const std::wstring name = Widen(DefaultFileName());
  std::vector<wchar_t> path(MAX_PATH, L'\0');
  std::copy_n(name.begin(), std::min(name.size(), path.size() - 1), path.begin());

  OPENFILENAMEW request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = hwnd();
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrDefExt = L"csv";
  // The current folder is the game client's, where Join starts it: the dialog leaves it alone.
  request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                  OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&request)) return;
  if (WriteWholeFile(path.data(), HistoryCsv(history_, &LocalUtcOffsetAt))) return;
  ShowMessageBox(hwnd(),
                 Format(LoadResourceString(IDS_HISTORY_NOT_WRITTEN).c_str(),
                        Narrow(path.data()).c_str()),
                 LoadResourceString(IDS_PROGRAM_NAME), MB_ICONERROR);
}

}  // namespace tarnwick
