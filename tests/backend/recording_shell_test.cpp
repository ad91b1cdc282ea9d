#ifndef _WIN32
#include "backend/sim/recording_shell.h"

#include <gtest/gtest.h>

#include "backend/platform.h"

namespace gleanix::backend {
namespace {

TEST(RecordingShell, RemembersEveryCallInOrder) {
  RecordingShell shell;
  EXPECT_FALSE(shell.lastCall().has_value());
  EXPECT_FALSE(shell.opened("C:\\Quillon\\Plugins\\Gleanix.hlp"));

  shell.open(0x1234, "OPEN", "C:\\Quillon\\Plugins\\Gleanix.hlp", "", "");
  shell.open(7, "OPEN", "C:\\Tools\\viewer.exe", "\"C:\\Mail\\表\\00000001.ALM\"", "C:\\Tools\\");
  const std::vector<ShellCall> want = {
      {0x1234, "OPEN", "C:\\Quillon\\Plugins\\Gleanix.hlp", "", ""},
      {7, "OPEN", "C:\\Tools\\viewer.exe", "\"C:\\Mail\\表\\00000001.ALM\"", "C:\\Tools\\"},
  };
  EXPECT_EQ(shell.calls(), want);
  EXPECT_EQ(shell.lastCall(), want[1]);
  EXPECT_TRUE(shell.opened("c:\\quillon\\plugins\\GLEANIX.HLP"));
  EXPECT_FALSE(shell.opened("C:\\Quillon\\Plugins\\Gleanix.txt"));

  shell.clear();
  EXPECT_TRUE(shell.calls().empty());
  EXPECT_FALSE(shell.opened("C:\\Tools\\viewer.exe"));
}

TEST(RecordingShell, IsTheShellOfTheLinuxBuild) {
  auto shell = makeShell();
  shell->open(1, "OPEN", "http://example.invalid/", "", "");
  auto* recording = dynamic_cast<RecordingShell*>(shell.get());
  ASSERT_NE(recording, nullptr);
  EXPECT_TRUE(recording->opened("http://example.invalid/"));
}

}  // namespace
}  // namespace gleanix::backend
#endif
