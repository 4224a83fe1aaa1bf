// LocateGameClient: guesses where the game client "hl.exe" lies when the user has not said so.
// The game's installer leaves an uninstall entry under HKEY_LOCAL_MACHINE whose command names the
// installer's log file "DeIsL1.isu" after " -f"; that file lies in the game's folder next to
// "hl.exe". When nothing usable is found the result is the bare name "hl.exe".
#ifndef TARNWICK_LAUNCH_LOCATE_GAME_CLIENT_H
#define TARNWICK_LAUNCH_LOCATE_GAME_CLIENT_H

#include <optional>
#include <string>
#include <string_view>

#include "settings/key_store.h"

namespace tarnwick {

inline constexpr char kUninstallKeyPath[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Half-Life 1.0";
inline constexpr char kGameClientFileName[] = "hl.exe";

// The game client path an uninstall command names: double quotes removed, the text after the
// first " -f" kept, every "DeIsL1.isu" replaced by "hl.exe" (all case-sensitive). Nothing when the
// command has no " -f" or names no log file after it.
std::optional<std::string> GameClientFromUninstallCommand(std::string_view command);

// Reads "UninstallString" of the game's uninstall entry (at most 259 characters) and applies
// GameClientFromUninstallCommand; "hl.exe" when any step fails.
std::string LocateGameClient(KeyStore& store);

}  // namespace tarnwick

#endif
