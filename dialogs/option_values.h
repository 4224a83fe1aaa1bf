// The page values of the Options sheet: copies of one window's settings that the pages edit, and
// how OK hands them back. Check boxes hold 0 or 1, numbers are signed 32-bit as the boxes read
// them; the window's settings change only in ApplyOptionValues.
#ifndef TARNWICK_DIALOGS_OPTION_VALUES_H
#define TARNWICK_DIALOGS_OPTION_VALUES_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace tarnwick {

struct GeneralPageValues {
  int32_t minimizeToTray = 0;
  int32_t startWithLogon = 0;
  int32_t serverList = 0;
  int32_t serverListHeight = 0;
  int32_t priority = 0;
  std::string location;
};

struct RefreshPageValues {
  int32_t autoUpdate = 0;
  int32_t pingInterval = 0;
  int32_t detailsInterval = 0;
  int32_t playersInterval = 0;
};

struct TrayPageValues {
  int32_t autoUpdateTray = 0;
  int32_t pingIntervalTray = 0;
  int32_t detailsIntervalTray = 0;
  int32_t iconSet = 0;
  int32_t flashInTray = 0;
};

struct MiscPageValues {
  int32_t autoDisconnect = 0;
  int32_t confirmJoin = 0;
  int32_t playerListHighlight = 0;
};

struct NotifyPageValues {
  int32_t players = 0;
  int32_t freeSlot = 0;
  int32_t connection = 0;
  int32_t mapChange = 0;
  int32_t playersIntervalTray = 0;
};

struct OptionValues {
  GeneralPageValues general;
  RefreshPageValues refresh;
  TrayPageValues tray;
  MiscPageValues misc;
  NotifyPageValues notify;
};

OptionValues OptionValuesFrom(const Settings& settings);

// What the window must redo after the values were taken over.
struct AppliedOptions {
  bool addressBoxChanged = false;  // "ServerList" or "ServerListHeight" differ: rebuild the box
  bool highlightChanged = false;   // "PlayerListHighlight" differs: redraw the player list
};

// Takes the values over into `settings` in the order OK applies them.
AppliedOptions ApplyOptionValues(const OptionValues& values, Settings& settings);

// The number a number box holds: a signed decimal number after optional blanks (taken as it is,
// without range check, wrapping in 32 bits); nothing when the box holds no digits.
std::optional<int32_t> ReadNumberText(std::string_view text);

}  // namespace tarnwick

#endif
