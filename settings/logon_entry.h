// The start-at-logon entry: a REG_SZ value under HKEY_CURRENT_USER
// "Software\Microsoft\Windows\CurrentVersion\Run", named after the program (string 128,
// "Tarnwick"). Its data is the program's path in double quotes, followed by " -tray host:port"
// when the window that writes it is connected, so that the program started at logon watches that
// server from the notification area. Unquoted, a path with blanks ("C:\Program Files\...") would
// start "C:\Program.exe" if anyone put one there. Read when a window is created, written or deleted
// when it closes; failures are silent.
// Thread: the window thread that reads or writes it; it keeps no state of its own.
#ifndef TARNWICK_SETTINGS_LOGON_ENTRY_H
#define TARNWICK_SETTINGS_LOGON_ENTRY_H

#include <string>
#include <string_view>

#include "settings/key_store.h"

namespace tarnwick {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The entry's text: the quoted program path alone, or with " -tray %s:%u" when `hostText` is not
// empty.
std::string LogonEntryText(std::string_view programPath, std::string_view hostText, unsigned port);

// Whether the entry exists with a non-empty text (StartWithLogon), quoted or, as earlier versions
// wrote it, not. Opens the Run key with RegCreateKeyExA semantics, as the program always has;
// false when it cannot.
bool ReadLogonEntry(KeyStore& store, std::string_view programName);

// Writes the entry when `startWithLogon`, with the text of LogonEntryText; otherwise deletes it
// (a missing entry is no error).
void WriteLogonEntry(KeyStore& store, std::string_view programName, bool startWithLogon,
                     std::string_view programPath, std::string_view hostText, unsigned port);

}  // namespace tarnwick

#endif
