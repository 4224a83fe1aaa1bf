// Settings: the user's options as one window holds them. Every window carries its own copy, filled
// from the registry when the window is created and written back when it closes; while it runs,
// menus and the Options sheet change only this copy. A new Settings holds the defaults of a first
// start, which the table of stored values gives (settings_store.cpp).
// Thread: a Settings belongs to the window thread that holds it; no other thread reads it.
#ifndef TARNWICK_SETTINGS_SETTINGS_H
#define TARNWICK_SETTINGS_SETTINGS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick {

// A window-placement record as the platform stores it ("WindowPos", "RConPos"): 44 bytes, the
// platform's record (length, flags, show command, ...) kept as raw bytes.
inline constexpr size_t kPlacementRecordSize = 44;
inline constexpr size_t kPlacementShowCommandOffset = 8;  // little-endian 32-bit show command
using PlacementRecord = std::array<uint8_t, kPlacementRecordSize>;

// The player list's four columns "#", "Name", "Frags", "Time": their order (entry i is the column
// shown at position i) or their widths in pixels.
using ColumnArray = std::array<int32_t, 4>;

// The longest game client path that is kept; a longer stored one counts as absent.
inline constexpr size_t kMaxGameClientPath = 259;

struct Settings {
  Settings();

  bool minimizeToTray;
  std::string gameClientPath;  // "HLLocation"; empty until found or chosen
  bool autoUpdate;
  uint32_t pingInterval;  // seconds; 0 switches the timer off
  uint32_t detailsInterval;
  uint32_t playersInterval;
  bool autoUpdateTray;
  uint32_t pingIntervalTray;
  uint32_t detailsIntervalTray;
  bool autoDisconnect;
  uint32_t iconSet;  // 0 the striped squares, 1 the numbers
  bool confirmJoin;
  bool serverList;  // the address box shows its list permanently
  bool flashInTray;
  uint32_t serverListHeight;
  uint32_t gamePriority;  // "HLPriority", 0 idle to 5 realtime
  bool playerListHighlight;
  int32_t sortOrder;  // player list: |value| = column + 1, negative = descending
  ColumnArray listOrders;
  ColumnArray listWidths;
  // Tray balloons: which events notify, and how often a window in the tray reads the player list
  // while a highlight rule notifies.
  bool notifyPlayers;
  bool notifyFreeSlot;
  bool notifyConnection;
  bool notifyMapChange;
  uint32_t playersIntervalTray;

  // The placements of the main window and of the remote console window: what the windows report
  // before a save (nothing when the platform cannot say, and nothing is written) and what loading
  // found for them to take (nothing when no usable record is stored).
  std::optional<PlacementRecord> windowPlacement;
  std::optional<PlacementRecord> consolePlacement;

  // Per-window state that is not stored under the settings key.
  bool openedWithNew = false;   // the window's command line held "-new": no placement records
  bool startWithLogon = false;  // the logon entry exists (read at creation, applied at close)

  bool operator==(const Settings&) const = default;
};

}  // namespace tarnwick

#endif
