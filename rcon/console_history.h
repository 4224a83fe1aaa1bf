// The remote console's command history in the settings: the value "Rcon recent list" of the
// settings key, a REG_MULTI_SZ holding every command followed by a zero byte, and one more zero
// byte at the end. An empty history is stored by deleting the value.
#ifndef TARNWICK_RCON_CONSOLE_HISTORY_H
#define TARNWICK_RCON_CONSOLE_HISTORY_H

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/key_store.h"

namespace tarnwick {

inline constexpr char kConsoleHistoryValue[] = "Rcon recent list";

// The strings of REG_MULTI_SZ data, up to the first empty one or the end of the data (a last
// string without its zero byte counts).
std::vector<std::string> DecodeMultiString(std::span<const uint8_t> data);
// Every string with its zero byte, then one more zero byte.
std::vector<uint8_t> EncodeMultiString(const std::vector<std::string>& strings);

// The stored history in stored order; empty when the value is missing, of another type or empty.
// Commands that set a password (IsSecretCommand), which an earlier version may have stored, are
// left out.
std::vector<std::string> LoadConsoleHistory(Key& settingsKey);

// Stores the history, or deletes the value when there is nothing to store. Empty commands are
// left out: stored, one would end the list for the next load and lose the commands after it.
// Commands that set a password are never stored.
void SaveConsoleHistory(Key& settingsKey, const std::vector<std::string>& history);

}  // namespace tarnwick

#endif
