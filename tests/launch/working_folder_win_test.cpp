// The working-folder rule on the real process directory.
#include "launch/working_folder_win.h"

#include <gtest/gtest.h>

#include <string>

#include "common/ansi_text.h"
#include "common/win32.h"

namespace tarnwick {
namespace {

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

class WorkingFolderGlue : public testing::Test {
 protected:
  void SetUp() override {
    original_ = CurrentDirectory();
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "TarnwickWorkingFolder";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    SetCurrentDirectoryA(original_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string original_;
  std::string folder_;
};

TEST_F(WorkingFolderGlue, GameClientFolderBecomesCurrent) {
  ASSERT_TRUE(SetWorkingFolder(folder_ + "\\hl.exe"));
  EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), folder_));
}

TEST_F(WorkingFolderGlue, BareNameOrMissingFolderLeavesTheDirectory) {
  ASSERT_TRUE(SetWorkingFolder(folder_ + "\\hl.exe"));
  EXPECT_TRUE(SetWorkingFolder("hl.exe"));
  EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), folder_));
  EXPECT_FALSE(SetWorkingFolder(folder_ + "\\missing\\hl.exe"));
  EXPECT_TRUE(EqualsNoCase(CurrentDirectory(), folder_));
}

}  // namespace
}  // namespace tarnwick
