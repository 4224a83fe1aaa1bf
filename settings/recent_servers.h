// RecentServers: the servers a window has recently watched, as "host:port" texts, shown at the
// bottom of the File menu, in the tray menu's Connect submenu and in the address box. Entries are
// kept oldest first; the newest has command id 57616, the next 57617, and so on. The list is stored
// under the settings key in the subkey "Recent Document List": "DocumentCount" (REG_DWORD) holds
// the maximum, "Document1" the newest entry, higher numbers the older ones.
//
// This class is the portable model; RecentServersMenu (recent_servers_menu_win.h) adds the menu.
// Every change that the menu shows calls UpdateMenu().
// Each window keeps its own list, touched only on that window's thread; the registry is what
// windows share.
#ifndef TARNWICK_SETTINGS_RECENT_SERVERS_H
#define TARNWICK_SETTINGS_RECENT_SERVERS_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/key_store.h"

namespace tarnwick {

inline constexpr uint32_t kRecentServerFirstId = 57616;
inline constexpr int32_t kRecentServersInitialMaximum = 4;
inline constexpr int32_t kRecentServersWindowMaximum = 15;  // the main window's, and the most stored
inline constexpr char kRecentServersKeyName[] = "Recent Document List";

// The menu label of the entry at position `position` counted from 0 at the newest: "&%i %s" for
// 1 to 9, "1&0 %s" for the tenth, "%i %s" from the eleventh on.
std::string RecentServerLabel(int position, std::string_view text);

class RecentServers {
 public:
  virtual ~RecentServers() = default;

  // Oldest first.
  const std::vector<std::string>& entries() const { return entries_; }
  int32_t maximum() const { return maximum_; }
  // Values below 1 are taken as 1.
  void SetMaximum(int32_t maximum);

  // Puts `text` at the top, taking out an entry equal to it without regard to case and, when the
  // list is full, the oldest entry.
  void AddServer(std::string_view text);
  // The entry of a command id; nothing when the id is out of range.
  std::optional<std::string> GetServer(uint32_t id) const;
  // Moves the entry of the id to the top; an id out of range changes nothing.
  void MoveToTop(uint32_t id);
  void RemoveServer(uint32_t id);

  // Replaces the list from the subkey of the open settings key; a missing subkey changes nothing.
  // A "DocumentCount" from 1 to 15 becomes the maximum; values "Document<maximum>" down to
  // "Document1" are read (missing numbers leave no gap), each at most 259 characters.
  void ReadServers(Key& settingsKey);
  // Writes "DocumentCount" = the maximum, "Document1" (newest) up to "Document<count>", and deletes
  // the numbers after that up to 15.
  void WriteServers(Key& settingsKey) const;

  // Shows the list in the menu, if there is one; the model itself has none.
  virtual void UpdateMenu() {}

 private:
  // The index into entries_ of a command id, if it names an entry.
  std::optional<size_t> IndexOf(uint32_t id) const;

  std::vector<std::string> entries_;
  int32_t maximum_ = kRecentServersInitialMaximum;
};

}  // namespace tarnwick

#endif
