// Behaviour every FileSystem of the platform must show; runs natively and,
// against the Win32 implementation, under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "backend/platform.h"
#include "backend/temp_dir.h"

namespace gleanix::backend {
namespace {

using testing::TempDir;

// "表" is 0x95 0x5C: its second byte is a backslash.
const std::string kHyo = "表";

std::vector<std::string> names(const std::vector<sys::DirEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.name);
  return out;
}

std::string mailName(int i) {
  char name[32];  // not "m" + std::to_string(i): GCC 12 warns wrongly about it at -O3
  std::snprintf(name, sizeof name, "m%d.ALM", i);
  return name;
}

class FileSystemTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<sys::FileSystem> fs = makeFileSystem();
  std::string at(const std::string& relative) const { return dir.path() + relative; }
};

TEST_F(FileSystemTest, BackslashInsideADoubleByteCharacterIsNoSeparator) {
  ASSERT_EQ(kHyo.size(), 2u);
  ASSERT_EQ(kHyo[1], '\\');
  dir.makeDir({kHyo});
  dir.put({kHyo, "a" + kHyo + ".txt"}, "inside");
  dir.makeDir({"ソ" + kHyo});  // "ソ" also ends in 0x5C
  dir.put({"ソ" + kHyo, kHyo}, "deeper");

  EXPECT_TRUE(fs->isDirectory(at(kHyo)));
  EXPECT_TRUE(fs->isDirectory(at(kHyo + "\\")));
  EXPECT_EQ(fs->readFile(at(kHyo + "\\a" + kHyo + ".txt")), "inside");
  EXPECT_EQ(fs->readFile(at("ソ" + kHyo + "\\" + kHyo)), "deeper");
  EXPECT_FALSE(fs->exists(at(kHyo + "\\a")));
  EXPECT_EQ(names(fs->list(at(kHyo + "\\*.txt"))), std::vector<std::string>{"a" + kHyo + ".txt"});
  EXPECT_EQ(fs->storedName(at("ソ" + kHyo + "\\" + kHyo)), kHyo);

  // Written through the FileSystem, the names must land as the same bytes.
  ASSERT_TRUE(fs->createDirectory(at(kHyo + "\\sub" + kHyo)));
  ASSERT_TRUE(fs->writeFileAtomic(at(kHyo + "\\sub" + kHyo + "\\" + kHyo + ".ini"), "w"));
  EXPECT_EQ(dir.get({kHyo, "sub" + kHyo, kHyo + ".ini"}), "w");
}

TEST_F(FileSystemTest, EveryComponentMatchesWithoutRegardToCase) {
  dir.makeDir({"Mail"});
  dir.makeDir({"Mail", "Inbox"});
  dir.put({"Mail", "Inbox", "ENTRY.LST"}, "list");

  EXPECT_EQ(fs->readFile(at("mAIL\\iNBOX\\entry.lst")), "list");
  EXPECT_TRUE(fs->isFile(at("MAIL\\INBOX\\Entry.Lst")));
  EXPECT_FALSE(fs->isDirectory(at("MAIL\\INBOX\\Entry.Lst")));
  EXPECT_TRUE(fs->isDirectory(at("mail\\inbox\\")));
  EXPECT_FALSE(fs->isFile(at("mail\\inbox")));
  EXPECT_EQ(fs->storedName(at("MAIL\\INBOX\\entry.lst")), "ENTRY.LST");
  EXPECT_EQ(fs->storedName(at("mail\\INBOX")), "Inbox");
  EXPECT_EQ(names(fs->list(at("MAIL\\inbox\\*.lst"))), std::vector<std::string>{"ENTRY.LST"});

  EXPECT_FALSE(fs->exists(at("mail\\outbox\\entry.lst")));
  EXPECT_FALSE(fs->readFile(at("mail\\inbox\\entry.lst2")).has_value());
  EXPECT_FALSE(fs->storedName(at("mail\\nothing")).has_value());
  // Only ASCII letters fold: a full-width letter is another name.
  EXPECT_FALSE(fs->exists(at("ｍail")));
}

TEST_F(FileSystemTest, ListingSeesChangesMadeBehindItsBack) {
  dir.makeDir({"box"});
  // Quick succession: each change lands within the same clock tick as the
  // listing before it.
  for (int i = 0; i < 30; ++i) {
    const std::string name = mailName(i);
    EXPECT_EQ(fs->list(at("box\\*.ALM")).size(), static_cast<std::size_t>(i));
    EXPECT_FALSE(fs->exists(at("box\\" + name)));
    dir.put({"box", name}, "x");
    EXPECT_TRUE(fs->exists(at("BOX\\" + name)));
    EXPECT_EQ(fs->list(at("box\\*.ALM")).size(), static_cast<std::size_t>(i + 1));
  }
  for (int i = 0; i < 30; ++i) {
    const std::string name = mailName(i);
    ASSERT_TRUE(fs->isFile(at("BOX\\" + name)));
    dir.erase({"box", name});
    EXPECT_FALSE(fs->isFile(at("BOX\\" + name)));
    EXPECT_EQ(fs->list(at("box\\*.ALM")).size(), static_cast<std::size_t>(29 - i));
  }
  // A file replaced by a directory of the same name.
  dir.put({"box", "Acc1"}, "x");
  EXPECT_TRUE(fs->isFile(at("box\\acc1")));
  dir.erase({"box", "Acc1"});
  dir.makeDir({"box", "Acc1"});
  const auto entries = fs->list(at("box\\Acc*.*"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(entries[0].isDirectory);
  EXPECT_TRUE(fs->isDirectory(at("box\\acc1")));
}

// The entries forEachEntry visits, as (name, is a directory), in list order.
std::vector<std::pair<std::string, bool>> visited(const sys::FileSystem& fs, const std::string& directory) {
  std::vector<std::pair<std::string, bool>> out;
  fs.forEachEntry(directory, [&](std::string_view name, bool isDirectory, bool) {
    out.emplace_back(std::string(name), isDirectory);
  });
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::pair<std::string, bool>> listed(const std::vector<sys::DirEntry>& entries) {
  std::vector<std::pair<std::string, bool>> out;
  for (const auto& e : entries) out.emplace_back(e.name, e.isDirectory);
  std::sort(out.begin(), out.end());
  return out;
}

TEST_F(FileSystemTest, EveryEntryIsVisitedOnceAsTheListingHasIt) {
  dir.makeDir({"box"});
  dir.makeDir({"box", "Sub.box"});
  for (const std::string& name : {std::string("A0000001.ALM"), std::string("a0000002.alm"), kHyo + ".ALM",
                                  std::string("ENTRY.LST")}) {
    dir.put({"box", name}, "x");
  }
  const auto expected = listed(fs->list(at("box\\*")));
  ASSERT_EQ(expected.size(), 5u);
  EXPECT_EQ(visited(*fs, at("box\\")), expected);
  EXPECT_EQ(visited(*fs, at("BOX\\")), expected);  // the directory in another case
  EXPECT_TRUE(visited(*fs, at("nothing\\")).empty());
  EXPECT_TRUE(visited(*fs, at("box\\ENTRY.LST\\")).empty());

  // After a listing, changes made behind its back and through the file
  // system itself are seen.
  dir.put({"box", "B0000003.ALM"}, "x");
  ASSERT_TRUE(fs->writeFileAtomic(at("box\\C0000004.ALM"), "y"));
  ASSERT_TRUE(fs->removeFile(at("box\\a0000002.alm")));
  dir.erase({"box", "A0000001.ALM"});
  const auto changed = visited(*fs, at("box\\"));
  EXPECT_EQ(changed, listed(fs->list(at("box\\*"))));
  EXPECT_EQ(changed, (std::vector<std::pair<std::string, bool>>{
                         {"B0000003.ALM", false}, {"C0000004.ALM", false}, {"ENTRY.LST", false},
                         {"Sub.box", true}, {kHyo + ".ALM", false}}));
}

TEST_F(FileSystemTest, WildcardListingFollowsWindowsRulesAndOrder) {
  dir.makeDir({"Acc1"});
  dir.put({"Acc2.txt"}, "");
  dir.put({"acc3"}, "");
  dir.put({"Acc0.a.b"}, "");
  dir.put({"Other"}, "");
  dir.put({"xAcc4"}, "");
  dir.put({"USER1.BOX"}, "");
  dir.put({"user2.box"}, "");
  dir.put({"USER3.BOXX"}, "");
  dir.put({"USER.BO"}, "");
  dir.put({"User_A.BOX"}, "");
  dir.put({"UserB.BOX"}, "");
  dir.put({kHyo + ".BOX"}, "");

  const auto acc = fs->list(at("Acc*.*"));
  EXPECT_EQ(names(acc), (std::vector<std::string>{"Acc0.a.b", "Acc1", "Acc2.txt", "acc3"}));
  ASSERT_EQ(acc.size(), 4u);
  EXPECT_FALSE(acc[0].isDirectory);
  EXPECT_TRUE(acc[1].isDirectory);

  // Upper-cased byte order: digits, then letters, then "_", then
  // double-byte names; "user2" sorts among the upper-case names.
  EXPECT_EQ(names(fs->list(at("USER*.BOX"))),
            (std::vector<std::string>{"USER1.BOX", "user2.box", "UserB.BOX", "User_A.BOX"}));
  EXPECT_EQ(names(fs->list(at("*.box"))), (std::vector<std::string>{"USER1.BOX", "user2.box", "UserB.BOX",
                                                                     "User_A.BOX", kHyo + ".BOX"}));
  EXPECT_EQ(names(fs->list(at("?cc?"))), (std::vector<std::string>{"Acc1", "acc3"}));

  const auto all = names(fs->list(at("*")));
  EXPECT_EQ(all.size(), 13u);
  for (const auto& n : all) {
    EXPECT_NE(n, ".");
    EXPECT_NE(n, "..");
  }
  EXPECT_EQ(names(fs->list(at("*.*"))), all);
  EXPECT_TRUE(fs->list(at("nothing\\*.*")).empty());
  EXPECT_TRUE(fs->list(at("Z*")).empty());
}

TEST_F(FileSystemTest, ReadLinesEndsALineAtCrLfLoneCrOrLoneLf) {
  dir.put({"mixed.txt"}, "a\r\nb\rc\nd");
  dir.put({"final.txt"}, "x\r\ny\r\n");
  dir.put({"blank.txt"}, "\r\n\r\n");
  dir.put({"crcr.txt"}, "a\r\r\nb\n\r");
  dir.put({"lfcr.txt"}, "a\n\rb");
  dir.put({"empty.txt"}, "");
  dir.put({"sjis.txt"}, kHyo + "\r\n" + kHyo);

  using Lines = std::vector<std::string>;
  EXPECT_EQ(fs->readLines(at("mixed.txt")), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(fs->readLines(at("final.txt")), (Lines{"x", "y"}));
  EXPECT_EQ(fs->readLines(at("blank.txt")), (Lines{"", ""}));
  EXPECT_EQ(fs->readLines(at("crcr.txt")), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(fs->readLines(at("lfcr.txt")), (Lines{"a", "", "b"}));
  EXPECT_EQ(fs->readLines(at("empty.txt")), Lines{});
  EXPECT_EQ(fs->readLines(at("SJIS.TXT")), (Lines{kHyo, kHyo}));
  EXPECT_FALSE(fs->readLines(at("missing.txt")).has_value());
}

TEST_F(FileSystemTest, ReadFileKeepsEveryByteAndRefusesDirectories) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  std::string big(300000, 'q');
  dir.put({"bytes.bin"}, bytes);
  dir.put({"big.bin"}, big);
  dir.makeDir({"folder"});

  EXPECT_EQ(fs->readFile(at("BYTES.BIN")), bytes);
  EXPECT_EQ(fs->readFile(at("big.bin")), big);
  EXPECT_FALSE(fs->readFile(at("folder")).has_value());
  EXPECT_FALSE(fs->readFile(at("nothing")).has_value());
}

// A mail read within the root: by any letter case, at any size, into a
// buffer used before; never a folder, a missing file or a device name.
TEST_F(FileSystemTest, ReadsWithinTheRootTakeMailsAndRefuseTheRest) {
  dir.makeDir({"Box"});
  dir.makeDir({"Box", "Sub"});
  const std::string big(100000, 'b');
  dir.put({"Box", "a.ALM"}, "a");
  dir.put({"Box", "big.ALM"}, big);
  const std::string root = dir.path();
  const auto read = [&](const std::string& relative) {
    std::string bytes = "used before";
    return fs->readFileWithin(root, root + relative, bytes) ? bytes : std::string("(refused)");
  };
  EXPECT_EQ(read("Box\\a.ALM"), "a");
  EXPECT_EQ(read("BOX\\A.alm"), "a");
  EXPECT_EQ(read("Box\\big.ALM"), big);
  EXPECT_EQ(read("Box\\a.ALM"), "a");  // the folder as checked a moment ago
  EXPECT_EQ(read("Box\\Sub"), "(refused)");
  EXPECT_EQ(read("Box\\missing.ALM"), "(refused)");
  EXPECT_EQ(read("Box\\NUL.ALM"), "(refused)");
  EXPECT_EQ(read("Box\\NUL\\a.ALM"), "(refused)");
}

TEST_F(FileSystemTest, AtomicWriteReplacesTheFileAndLeavesNothingElse) {
  ASSERT_TRUE(fs->writeFileAtomic(at("Gleanix.ini"), "first version, rather long\r\n"));
  EXPECT_EQ(dir.get({"Gleanix.ini"}), "first version, rather long\r\n");
  ASSERT_TRUE(fs->writeFileAtomic(at("Gleanix.ini"), "short"));
  EXPECT_EQ(dir.get({"Gleanix.ini"}), "short");
  // Through another spelling: still the one file.
  ASSERT_TRUE(fs->writeFileAtomic(at("GLEANIX.INI"), ""));
  EXPECT_EQ(fs->readFile(at("gleanix.ini")), "");
  EXPECT_EQ(fs->list(at("*")).size(), 1u);

  // Failures report false and leave no temporary file either.
  dir.makeDir({"Plugins"});
  EXPECT_FALSE(fs->writeFileAtomic(at("missing\\Gleanix.ini"), "x"));
  EXPECT_FALSE(fs->writeFileAtomic(at("plugins"), "x"));
  EXPECT_TRUE(fs->isDirectory(at("Plugins")));
  EXPECT_EQ(names(fs->list(at("*"))), (std::vector<std::string>{"Gleanix.ini", "Plugins"}));
}

TEST_F(FileSystemTest, CreateDirectoryNeedsTheParentAndANewName) {
  EXPECT_TRUE(fs->createDirectory(at("Plugins")));
  EXPECT_TRUE(fs->isDirectory(at("PLUGINS")));
  EXPECT_TRUE(fs->createDirectory(at("plugins\\Sub\\")));
  EXPECT_EQ(fs->storedName(at("PLUGINS\\SUB")), "Sub");
  EXPECT_FALSE(fs->createDirectory(at("PLUGINS")));  // exists in another case
  EXPECT_FALSE(fs->createDirectory(at("a\\b")));     // no parent
  EXPECT_EQ(names(fs->list(at("*"))), std::vector<std::string>{"Plugins"});
}

TEST_F(FileSystemTest, MoveAndRemoveFindDifferentlyCasedNames) {
  dir.put({"Data.TXT"}, "data");
  dir.makeDir({"Sub"});
  ASSERT_TRUE(fs->moveFile(at("DATA.txt"), at("sub\\Moved.txt")));
  EXPECT_FALSE(dir.present({"Data.TXT"}));
  EXPECT_EQ(dir.get({"Sub", "Moved.txt"}), "data");

  EXPECT_TRUE(fs->removeFile(at("SUB\\MOVED.TXT")));
  EXPECT_FALSE(dir.present({"Sub", "Moved.txt"}));
  EXPECT_FALSE(fs->removeFile(at("SUB\\MOVED.TXT")));
  EXPECT_FALSE(fs->removeFile(at("sub")));  // a directory is no file
  EXPECT_TRUE(dir.present({"Sub"}));

  EXPECT_FALSE(fs->moveFile(at("missing"), at("sub\\x")));
  dir.put({"a.txt"}, "a");
  EXPECT_FALSE(fs->moveFile(at("a.txt"), at("nowhere\\a.txt")));
  EXPECT_EQ(dir.get({"a.txt"}), "a");
}

TEST_F(FileSystemTest, MoveNeverOverwritesAnotherFile) {
  dir.put({"a.txt"}, "a");
  dir.put({"B.txt"}, "b");
  EXPECT_FALSE(fs->moveFile(at("a.txt"), at("b.TXT")));
  EXPECT_EQ(dir.get({"a.txt"}), "a");
  EXPECT_EQ(dir.get({"B.txt"}), "b");
}

TEST_F(FileSystemTest, MoveCanChangeOnlyTheLetterCase) {
  dir.put({"mail.alm"}, "m");
  ASSERT_TRUE(fs->moveFile(at("MAIL.ALM"), at("Mail.ALM")));
  EXPECT_EQ(fs->storedName(at("mail.alm")), "Mail.ALM");
  EXPECT_EQ(fs->readFile(at("mail.alm")), "m");
  EXPECT_EQ(fs->list(at("*")).size(), 1u);
  EXPECT_TRUE(fs->moveFile(at("mail.alm"), at("Mail.ALM")));  // same name: nothing to do
  EXPECT_EQ(fs->readFile(at("Mail.ALM")), "m");

  dir.makeDir({"inbox"});
  dir.put({"inbox", "a"}, "a");
  ASSERT_TRUE(fs->moveFile(at("INBOX"), at("Inbox\\")));
  EXPECT_EQ(fs->storedName(at("inbox")), "Inbox");
  EXPECT_EQ(fs->readFile(at("inbox\\A")), "a");
  EXPECT_EQ(names(fs->list(at("*"))), (std::vector<std::string>{"Inbox", "Mail.ALM"}));
}

}  // namespace
}  // namespace gleanix::backend
