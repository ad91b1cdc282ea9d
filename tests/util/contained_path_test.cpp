// The one test for store data joined onto the mail root.
#include <gtest/gtest.h>

#include <string>

#include "util/contained_path.h"

namespace gleanix::util {
namespace {

TEST(ContainedPath, PlainKeysFolderPathsAndTrashPathsStayInside) {
  for (const char* ok : {"", "GOOD0001", "Acc1\\Inbox.box\\", "Acc1\\Inbox.box\\GOOD0001", "Acc*.*", "x.y",
                         "表\\GOOD0001", "a..b", ".hidden", "User003.box\\Entry.ini"}) {
    EXPECT_TRUE(isContainedRelativePath(ok)) << ok;
  }
  // "表" ends in 0x5C: its second byte is no separator, so no empty component.
  EXPECT_TRUE(isContainedRelativePath("表"));
  EXPECT_TRUE(isContainedRelativePath("表\\"));
}

TEST(ContainedPath, EveryWayOutIsRefused) {
  for (const std::string& bad : std::initializer_list<std::string>
       {"..", "..\\x", "a\\..\\..\\x", "../x", "a/../x", ".\\x", "a\\.\\x", "...\\x", ".. \\x", " .\\x", "a\\\\b",
        "a//b", "a/", "\\abs", "/abs", "\\\\server\\share\\x", "\\\\?\\C:\\x", "C:\\x", "C:x", "x:stream",
        "GOOD\x01" "0001", "tab\there", std::string("cut\0here", 8)}) {
    EXPECT_FALSE(isContainedRelativePath(bad)) << bad;
  }
}

TEST(ContainedPath, PlainNamesHaveNoSeparator) {
  EXPECT_TRUE(isPlainName("User001.box"));
  EXPECT_TRUE(isPlainName("表"));
  EXPECT_FALSE(isPlainName(""));
  EXPECT_FALSE(isPlainName("User\\..\\x.box"));
  EXPECT_FALSE(isPlainName("a/b"));
  EXPECT_FALSE(isPlainName(".."));
}

}  // namespace
}  // namespace gleanix::util
