// The game client path from the uninstall command and the working folder.
#include "launch/locate_game_client.h"

#include <gtest/gtest.h>

#include "launch/working_folder.h"
#include "settings/memory_key_store.h"

namespace tarnwick {
namespace {

// The settings' tests read the plain uninstall entries through LocateGameClient; these are the
// rule's edges.
TEST(GameClientLookup, UninstallCommands) {
  struct Case {
    const char* command;
    const char* path;  // null: nothing usable
  } cases[] = {
      {"\"C:\\WINDOWS\\IsUninst.exe\" -f\"C:\\Program Files\\Half-Life\\DeIsL1.isu\"",
       "C:\\Program Files\\Half-Life\\hl.exe"},
      {"IsUninst.exe -fC:\\HL\\DeIsL1.isu", "C:\\HL\\hl.exe"},
      {"IsUninst.exe -F\"C:\\HL\\DeIsL1.isu\"", nullptr},  // case-sensitive
      {"IsUninst.exe -f\"C:\\HL\\DEISL1.ISU\"", nullptr},
      {"IsUninst.exe-f\"C:\\HL\\DeIsL1.isu\"", nullptr},                       // no blank
      {"C:\\HL\\DeIsL1.isu\\IsUninst.exe -f\"C:\\HL\\uninst.log\"", nullptr},  // before " -f"
      {"a -f b -f\"C:\\HL\\DeIsL1.isu\"", " b -fC:\\HL\\hl.exe"},              // the first " -f"
  };
  for (const Case& c : cases) {
    const auto path = GameClientFromUninstallCommand(c.command);
    EXPECT_EQ(path.value_or("(nothing)"), c.path != nullptr ? c.path : "(nothing)") << c.command;
  }
}

TEST(GameClientLookup, CommandsLongerThan259CharactersAreNotRead) {
  MemoryKeyStore store;
  auto entry = store.Root(RootKey::kLocalMachine).CreateSubkey(kUninstallKeyPath);
  const std::string folder = "C:\\" + std::string(230, 'f');
  const std::string prefix = "I.exe -f\"" + folder + "\\DeIsL1.isu";
  SetString(*entry, "UninstallString", prefix + std::string(259 - prefix.size(), '"'));
  EXPECT_EQ(LocateGameClient(store), folder + "\\hl.exe");
  SetString(*entry, "UninstallString", prefix + std::string(260 - prefix.size(), '"'));
  EXPECT_EQ(LocateGameClient(store), "hl.exe");
}

TEST(WorkingFolder, FolderPartBeforeTheLastBackslash) {
  struct Case {
    const char* path;
    const char* folder;  // null: the directory stays
  } cases[] = {
      {"C:\\Games\\Half-Life\\hl.exe", "C:\\Games\\Half-Life"}, {"hl.exe", nullptr}, {"", nullptr},
      {"D:hl.exe", nullptr}, {"\\hl.exe", "\\"}, {"C:\\Games\\", "C:\\Games"},
      {"C:\\hl.exe", "C:\\"},  // the drive's root, not its current directory
      {"\\\\server\\share\\hl.exe", "\\\\server\\share"},
      {"C:\\Spiele\\\xE8\xA1\xA8\\hl.exe", "C:\\Spiele\\\xE8\xA1\xA8"},  // UTF-8 folder names
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WorkingFolderOf(c.path).value_or("(stays)"), c.folder ? c.folder : "(stays)")
        << c.path;
  }
}

}  // namespace
}  // namespace tarnwick
