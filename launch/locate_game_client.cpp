// The game client path from the game's uninstall entry.
#include "launch/locate_game_client.h"

#include <algorithm>

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

constexpr size_t kCommandRoom = 260;

}  // namespace

std::optional<std::string> GameClientFromUninstallCommand(std::string_view command) {
  std::string text(command);
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  const size_t flag = text.find(" -f");
  if (flag == std::string::npos) return std::nullopt;
  text.erase(0, flag + 3);
  if (ReplaceAll(text, "DeIsL1.isu", kGameClientFileName) == 0) return std::nullopt;
  return text;
}

std::string LocateGameClient(KeyStore& store) {
  // Read access is enough, and the only kind an ordinary user gets under HKEY_LOCAL_MACHINE.
  std::unique_ptr<Key> key =
      store.Root(RootKey::kLocalMachine).OpenSubkey(kUninstallKeyPath, KeyAccess::kRead);
  if (!key) return kGameClientFileName;
  KeyValue value;
  if (key->QueryValue("UninstallString", kCommandRoom, value) != KeyStatus::kSuccess)
    return kGameClientFileName;
  const std::string command = TextFromBytes(value.data);
  if (command.empty()) return kGameClientFileName;
  return GameClientFromUninstallCommand(command).value_or(kGameClientFileName);
}

}  // namespace tarnwick
