#include "util/path.h"

#include <gtest/gtest.h>

#include "fakes/memory_file_system.h"

namespace gleanix::util {
namespace {

using testing::MemoryFileSystem;

// "表" is 0x95 0x5C: its trail byte is a backslash.
const std::string kHyo = "表";

TEST(PathParts, SplitOnlyAtRealSeparators) {
  EXPECT_EQ(extractFilePath("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(extractFileName("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(extractFilePath("C:\\" + kHyo), "C:\\");
  EXPECT_EQ(extractFileName("C:\\" + kHyo), kHyo);
  EXPECT_EQ(extractFilePath("name"), "");
  EXPECT_EQ(withTrailingBackslash("C:\\" + kHyo), "C:\\" + kHyo + "\\");
  EXPECT_EQ(withoutTrailingBackslash("C:\\" + kHyo), "C:\\" + kHyo);
  EXPECT_EQ(withoutTrailingBackslash("C:\\a\\"), "C:\\a");
  EXPECT_EQ(withTrailingBackslash(""), "");
}

class LongPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.addDirectory("C:\\Program Files\\Quillon\\Plugins");
    fs.addFile("C:\\Program Files\\Quillon\\Quillon.exe", "");
    fs.addDirectory("C:\\" + kHyo + "\\Data");
  }
  MemoryFileSystem fs;
};

TEST_F(LongPathTest, SpellsEveryComponentAsStored) {
  EXPECT_EQ(longPath(fs, "C:\\PROGRAM FILES\\quillon\\QUILLON.EXE"), "C:\\Program Files\\Quillon\\Quillon.exe");
  EXPECT_EQ(longPath(fs, "c:\\program files\\quillon"), "c:\\Program Files\\Quillon\\");
  EXPECT_EQ(longPath(fs, "C:\\program files\\quillon\\"), "C:\\Program Files\\Quillon\\");
  EXPECT_EQ(longPath(fs, "C:\\" + kHyo + "\\DATA"), "C:\\" + kHyo + "\\Data\\");
}

TEST_F(LongPathTest, MissingComponentDropsOrKeepsTheRest) {
  EXPECT_EQ(longPath(fs, "C:\\program files\\Nothing\\x.hlp"), "C:\\Program Files\\");
  EXPECT_EQ(longPath(fs, "C:\\program files\\Nothing\\x.hlp", MissingComponent::KeepAsGiven),
            "C:\\Program Files\\Nothing\\x.hlp");
  // A file in the middle of a path is not a directory.
  EXPECT_EQ(longPath(fs, "C:\\Program Files\\Quillon\\Quillon.exe\\x"), "C:\\Program Files\\Quillon\\");
}

TEST_F(LongPathTest, PathWithoutSeparatorIsEmpty) {
  EXPECT_EQ(longPath(fs, "Quillon.exe"), "");
  EXPECT_EQ(longPath(fs, ""), "");
}

TEST(DirectoryExists, OnlyForDirectories) {
  MemoryFileSystem fs;
  fs.addFile("C:\\a\\file.txt", "x");
  EXPECT_TRUE(DirectoryExists(fs, "C:\\A"));
  EXPECT_TRUE(DirectoryExists(fs, "C:\\a\\"));
  EXPECT_FALSE(DirectoryExists(fs, "C:\\a\\file.txt"));
  EXPECT_FALSE(DirectoryExists(fs, "C:\\b"));
  EXPECT_FALSE(DirectoryExists(fs, ""));
}

TEST(CreateDirectories, CreatesTheMissingChainTopDown) {
  MemoryFileSystem fs;
  fs.addDirectory("C:\\Mail");
  createDirectories(fs, "C:\\mail\\" + kHyo + "\\Plugins\\");
  EXPECT_TRUE(fs.isDirectory("C:\\Mail\\" + kHyo + "\\Plugins"));
  EXPECT_EQ(fs.createdDirectories,
            (std::vector<std::string>{"C:\\mail\\" + kHyo, "C:\\mail\\" + kHyo + "\\Plugins"}));
  createDirectories(fs, "C:\\Mail\\" + kHyo);  // existing: nothing to do
  EXPECT_EQ(fs.createdDirectories.size(), 2u);
}

TEST(CreateDirectories, RelativeSingleComponentNeedsNoParent) {
  MemoryFileSystem fs("");
  fs.addDirectory("");
  EXPECT_NO_THROW(createDirectories(fs, "Plugins"));
  EXPECT_TRUE(fs.isDirectory("Plugins"));
}

TEST(CreateDirectories, EmptyPathRaisesTheFixedMessage) {
  MemoryFileSystem fs;
  try {
    createDirectories(fs, "");
    FAIL() << "no error for an empty path";
  } catch (const EDirectoryError& e) {
    EXPECT_EQ(std::string(e.what()), "ﾃﾞｨﾚｸﾄﾘを作成することができません");
    EXPECT_EQ(e.path(), "");
  }
}

TEST(CreateDirectories, RefusedCreationRaisesWithThePath) {
  MemoryFileSystem fs;
  fs.failCreateDirectory = true;
  try {
    createDirectories(fs, "C:\\x\\y");
    FAIL() << "no error for a refused directory";
  } catch (const EDirectoryError& e) {
    EXPECT_EQ(e.path(), "C:\\x");
    EXPECT_NE(std::string(e.what()).find("C:\\x"), std::string::npos);
  }
  // A file in the way is a failure too, not a success.
  MemoryFileSystem other;
  other.addFile("C:\\x", "file");
  EXPECT_THROW(createDirectories(other, "C:\\x\\y"), EDirectoryError);
}

}  // namespace
}  // namespace gleanix::util
