// Placement records as raw bytes: the record is the platform's WINDOWPLACEMENT, whose size is the
// same in 32- and 64-bit programs, so a record saved by either can be read by the other.
#include "settings/window_placement_win.h"

#include <cstddef>
#include <cstring>

#include "common/wide_text_win.h"

namespace tarnwick {

static_assert(sizeof(WINDOWPLACEMENT) == kPlacementRecordSize);
static_assert(offsetof(WINDOWPLACEMENT, showCmd) == kPlacementShowCommandOffset);

std::optional<PlacementRecord> TakePlacementRecord(HWND window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window, &placement)) return std::nullopt;
  PlacementRecord record;
  std::memcpy(record.data(), &placement, sizeof(placement));
  return record;
}

bool ApplyPlacementRecord(HWND window, const PlacementRecord& record) {
  WINDOWPLACEMENT placement;
  std::memcpy(&placement, record.data(), sizeof(placement));
  placement.length = sizeof(placement);
  return SetWindowPlacement(window, &placement) != FALSE;
}

void SizeWindowKeepingPlace(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
}

std::string ProgramFilePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  // A path cut at the buffer's end is not terminated on older systems.
  return Narrow(std::wstring_view(path, length < MAX_PATH ? length : MAX_PATH));
}

}  // namespace tarnwick
