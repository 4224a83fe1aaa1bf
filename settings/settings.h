// Settings: the user's options as one window holds them. Every window carries its own copy, filled
// from the registry when the window is created and written back when it closes; while it runs,
// menus and the Options sheet change only this copy. The defaults below are those of a first start.
#ifndef TARNWICK_SETTINGS_SETTINGS_H
#define TARNWICK_SETTINGS_SETTINGS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// A window-placement record as the platform stores it ("WindowPos", "RConPos"): 44 bytes, the
// platform's record (length, flags, show command, ...) kept as raw bytes.
inline constexpr size_t kPlacementRecordSize = 44;
inline constexpr size_t kPlacementShowCommandOffset = 8;  // little-endian 32-bit show command
using PlacementRecord = std::array<uint8_t, kPlacementRecordSize>;

// The longest game client path that is kept; a longer stored one counts as absent.
inline constexpr size_t kMaxGameClientPath = 259;

struct Settings {
  bool minimizeToTray = true;
  std::string gameClientPath;  // "HLLocation"; empty until found or chosen
  bool autoUpdate = true;
  uint32_t pingInterval = 15;  // seconds; 0 switches the timer off
  uint32_t detailsInterval = 90;
  uint32_t playersInterval = 0;
  bool autoUpdateTray = true;
  uint32_t pingIntervalTray = 60;
  uint32_t detailsIntervalTray = 300;
  bool autoDisconnect = false;
  uint32_t iconSet = 0;  // 0 the striped squares, 1 the numbers
  bool confirmJoin = true;
  bool serverList = false;  // the address box shows its list permanently
  bool flashInTray = true;
  uint32_t serverListHeight = 112;
  uint32_t gamePriority = 2;  // "HLPriority", 0 idle to 5 realtime
  bool playerListHighlight = true;
  int32_t sortOrder = 1;  // player list: |value| = column + 1, negative = descending
  std::array<int32_t, 4> listOrders = {0, 1, 2, 3};
  std::array<int32_t, 4> listWidths = {40, 144, 72, 96};
  // Tray balloons: which events notify, and how often a window in the tray reads the player list
  // while a highlight rule notifies.
  bool notifyPlayers = true;
  bool notifyFreeSlot = true;
  bool notifyConnection = false;
  bool notifyMapChange = false;
  uint32_t playersIntervalTray = 60;

  // Per-window state that is not stored under the settings key.
  bool openedWithNew = false;   // the window's command line held "-new": no placement records
  bool startWithLogon = false;  // the logon entry exists (read at creation, applied at close)

  bool operator==(const Settings&) const = default;
};

}  // namespace tarnwick

#endif
