#include "rcon/console_log_file_win.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr wchar_t kDefaultName[] = L"Tarnwick.log";
constexpr wchar_t kDefaultExtension[] = L"log";

SaveFileDialog& InstalledDialog() {
  static SaveFileDialog dialog;
  return dialog;
}

bool RunSaveDialog(OPENFILENAMEW& request) {
  const SaveFileDialog& dialog = InstalledDialog();
  return dialog ? dialog(request) : GetSaveFileNameW(&request) != FALSE;
}

}  // namespace

bool SaveConsoleLog(HWND owner, std::string_view text) {
  const std::wstring filter = Widen(LoadFilterString(IDS_LOG_FILE_FILTER));
  std::vector<wchar_t> path(MAX_PATH, L'\0');
  std::copy(std::begin(kDefaultName), std::end(kDefaultName), path.begin());

  OPENFILENAMEW request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrDefExt = kDefaultExtension;
  // A folder that does not exist is refused by the dialog, so the user can still correct it.
  request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                  OFN_PATHMUSTEXIST | OFN_EXPLORER;
  if (!RunSaveDialog(request)) return false;
  return WriteLogFile(Narrow(path.data()), text);
}

bool WriteLogFile(const std::string& path, std::string_view text) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  while (!text.empty()) {
    // One call writes at most what a DWORD counts; big outputs go in pieces.
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(text.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.data(), piece, &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
}

void SetSaveFileDialog(SaveFileDialog dialog) { InstalledDialog() = std::move(dialog); }

}  // namespace tarnwick
