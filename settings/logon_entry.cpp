// The start-at-logon entry under the Run key.
#include "settings/logon_entry.h"

#include "common/ansi_text.h"

namespace tarnwick {
std::string LogonEntryText(std::string_view programPath, std::string_view hostText,
                           unsigned port) {
  std::string text(1, '"');
  text.append(programPath);
  text += '"';
  if (!hostText.empty()) {
    const std::string host(hostText);
    text += Format(" -tray %s:%u", host.c_str(), port);
  }
  return text;
}

bool ReadLogonEntry(KeyStore& store, std::string_view programName) {
  std::unique_ptr<Key> run = store.Root(RootKey::kCurrentUser).CreateSubkey(kRunKeyPath);
  if (!run) return false;
  KeyValue value;
  // Any length counts: an entry whose path and server passed 259 characters must not read as
  // absent, or closing the window would delete it.
  if (run->QueryValue(programName, kAnySize, value) != KeyStatus::kSuccess) return false;
  return !TextFromBytes(value.data).empty();
}

void WriteLogonEntry(KeyStore& store, std::string_view programName, bool startWithLogon,
                     std::string_view programPath, std::string_view hostText, unsigned port) {
  std::unique_ptr<Key> run = store.Root(RootKey::kCurrentUser).CreateSubkey(kRunKeyPath);
  if (!run) return;
  if (startWithLogon) {
    SetString(*run, programName, LogonEntryText(programPath, hostText, port));
  } else {
    run->DeleteValue(programName);
  }
}

}  // namespace tarnwick
