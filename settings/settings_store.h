// Loading and saving a window's settings under HKEY_CURRENT_USER "SOFTWARE\Merrowind\Tarnwick".
// One table (settings_store.cpp) names every value of the key once, with the field it fills, its
// default and its place in the two orders: loading reads the values in table order, saving writes
// them by their save step. A field's type gives its value's registry type: a bool or a number is
// a REG_DWORD (a bool written as 0 or 1), the game client path a REG_SZ, a column array 16 bytes
// and a placement record 44 bytes of REG_BINARY.
// The data other parts keep under the key (the console history, the recent servers, the highlight
// rules) has its steps in the table too, but its format is that part's own: the caller loads or
// saves it when its step comes, through the function it passes.
// Registry failures are silent: a value that cannot be read keeps the field as it was, a value that
// cannot be written does not stop the ones after it.
// Thread: loading and saving run on the thread of the window whose Settings they fill; the store,
// the key and the Settings are that thread's alone.
#ifndef TARNWICK_SETTINGS_SETTINGS_STORE_H
#define TARNWICK_SETTINGS_SETTINGS_STORE_H

#include <functional>

#include "settings/key_store.h"
#include "settings/settings.h"

namespace tarnwick {

inline constexpr char kSettingsKeyPath[] = "SOFTWARE\\Merrowind\\Tarnwick";

// The size a window opened with "-new" gets instead of its stored placement.
inline constexpr int kNewWindowWidth = 400;
inline constexpr int kNewWindowHeight = 600;

// Data kept under the settings key by other parts, each in its own format.
enum class StoredPart { kConsoleHistory, kRecentServers, kHighlightRules };
using LoadPart = std::function<void(StoredPart part, Key& settingsKey)>;
using SavePart = std::function<KeyStatus(StoredPart part, Key& settingsKey)>;

// Fills `settings` from the settings key and has `loadPart` load the other parts at their steps.
// False when there is no key (a first start): then nothing is read, no part is loaded and the key
// is not created. A window opened with "-new" (`settings.openedWithNew`) reads no placement.
// A path that cannot be read leaves the game client path empty.
bool LoadSettings(KeyStore& store, Settings& settings, const LoadPart& loadPart);

// Writes `settings` to the settings key, creating it when needed, and has `savePart` save the
// other parts at their steps. A window opened with "-new" writes no placement, and a main window
// placement that shows the window minimised is stored as a normal one. Returns the status of the
// last step (the highlight rules), or the reason the key could not be created.
KeyStatus SaveSettings(KeyStore& store, const Settings& settings, const SavePart& savePart);

// True when the four entries are 0, 1, 2 and 3 in some order.
bool IsColumnPermutation(const ColumnArray& order);

}  // namespace tarnwick

#endif
