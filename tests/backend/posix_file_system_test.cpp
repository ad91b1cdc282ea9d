// What only the POSIX FileSystem has to get right: the path mapping, a disk
// that may hold names differing only in case, and the listing cache.
#ifndef _WIN32
#include "backend/sim/posix_file_system.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "backend/temp_dir.h"

namespace gleanix::backend {
namespace {

using testing::TempDir;

const std::string kHyo = "表";  // 0x95 0x5C

TEST(PosixFileSystem, ToPosixMapsOnlyRealSeparators) {
  EXPECT_EQ(PosixFileSystem::toPosix("\\tmp\\" + kHyo + "\\a"), "/tmp/" + kHyo + "/a");
  EXPECT_EQ(PosixFileSystem::toPosix(kHyo + kHyo + "\\"), kHyo + kHyo + "/");
  EXPECT_EQ(PosixFileSystem::toPosix("a\\\\b/c"), "a//b/c");
  // A lead byte cut off at the end is a character of its own.
  EXPECT_EQ(PosixFileSystem::toPosix("a\\\x95"), "a/\x95");
}

TEST(PosixFileSystem, HostAndPosixSpellingsOfAnAbsolutePathBothWork) {
  TempDir dir;
  dir.put({"File.txt"}, "f");
  PosixFileSystem fs;
  const std::string slashes = dir.native({}) + "/";
  EXPECT_EQ(fs.readFile(slashes + "file.TXT"), "f");
  EXPECT_EQ(fs.readFile(dir.path() + "file.TXT"), "f");
  EXPECT_TRUE(fs.isDirectory(slashes));
  EXPECT_EQ(fs.resolve(dir.path() + "FILE.TXT"), dir.native({"File.txt"}));
}

TEST(PosixFileSystem, AnExactSpellingWinsOverAnotherCase) {
  // Linux may hold "d" and "D" side by side; Windows never does. The name
  // spelled exactly as asked is the one meant, in every component.
  TempDir dir;
  dir.makeDir({"D"});
  dir.makeDir({"d"});
  dir.put({"D", "f"}, "upper");
  dir.put({"d", "f"}, "lower");
  dir.put({"d", "G"}, "lower only");
  PosixFileSystem fs;
  EXPECT_EQ(fs.readFile(dir.path() + "d\\F"), "lower");
  EXPECT_EQ(fs.readFile(dir.path() + "D\\F"), "upper");
  EXPECT_EQ(fs.readFile(dir.path() + "d\\g"), "lower only");
  EXPECT_FALSE(fs.exists(dir.path() + "D\\g"));
}

TEST(PosixFileSystem, CacheIsNotFooledByAnUnchangedModificationTime) {
  // A directory changed twice within one tick of the file clock keeps its
  // modification time. Setting it back by hand does the same on purpose.
  TempDir dir;
  dir.makeDir({"box"});
  dir.put({"box", "a.ALM"}, "");
  const std::string box = dir.native({"box"});
  struct stat before {};
  ASSERT_EQ(::stat(box.c_str(), &before), 0);
  PosixFileSystem fs;
  ASSERT_EQ(fs.list(dir.path() + "box\\*.ALM").size(), 1u);

  dir.put({"box", "b.ALM"}, "");
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, box.c_str(), times, 0), 0);
  EXPECT_EQ(fs.list(dir.path() + "box\\*.ALM").size(), 2u);
  EXPECT_TRUE(fs.exists(dir.path() + "BOX\\B.ALM"));
}

TEST(PosixFileSystem, ReadingAFifoNeitherHangsNorSucceeds) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.native({"pipe"}).c_str(), 0600), 0);
  PosixFileSystem fs;
  ::alarm(10);  // a blocked open would otherwise hang the test
  EXPECT_FALSE(fs.readFile(dir.path() + "PIPE").has_value());
  ::alarm(0);
  EXPECT_TRUE(fs.exists(dir.path() + "pipe"));
  EXPECT_FALSE(fs.isFile(dir.path() + "pipe"));
}

// A mail is read whole at any size, whether its end falls in the first
// read, on its edge or far past it; an empty file is an empty mail, a FIFO
// in a checked folder no mail at all.
TEST(PosixFileSystem, ReadsWithinTheRootTakeWholeFilesOfAnySizeAndNoFifo) {
  TempDir dir;
  dir.makeDir({"Box"});
  PosixFileSystem fs;
  const std::string root = dir.path();
  std::string bytes = std::string(70000, 'o');  // a used buffer, longer than any mail below
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{32767}, std::size_t{32768},
                                 std::size_t{32769}, std::size_t{65536}, std::size_t{300001}}) {
    std::string mail(size, 'x');
    for (std::size_t i = 0; i < size; i += 997) mail[i] = static_cast<char>('a' + i % 26);
    dir.put({"Box", "m.ALM"}, mail);
    ASSERT_TRUE(fs.readFileWithin(root, root + "Box\\m.ALM", bytes)) << size;
    EXPECT_TRUE(bytes == mail) << size << " read as " << bytes.size();
  }
  ASSERT_EQ(::mkfifo(dir.native({"Box", "pipe.ALM"}).c_str(), 0600), 0);
  ::alarm(10);
  EXPECT_FALSE(fs.readFileWithin(root, root + "Box\\pipe.ALM", bytes));
  ::alarm(0);
}

TEST(PosixFileSystem, AtomicWriteKeepsThePermissionsOfTheFile) {
  TempDir dir;
  dir.put({"secret.ini"}, "old");
  ASSERT_EQ(::chmod(dir.native({"secret.ini"}).c_str(), 0600), 0);
  PosixFileSystem fs;
  ASSERT_TRUE(fs.writeFileAtomic(dir.path() + "SECRET.INI", "new"));
  struct stat st {};
  ASSERT_EQ(::stat(dir.native({"secret.ini"}).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(dir.get({"secret.ini"}), "new");
}

TEST(PosixFileSystem, ConcurrentAtomicWritesEachLeaveAWholeFile) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string target = dir.path() + "Gleanix.ini";
  std::vector<std::string> contents;
  for (char c = 'a'; c < 'a' + 6; ++c) contents.emplace_back(200000, c);
  std::vector<std::thread> writers;
  std::vector<int> failures(contents.size(), 0);
  for (std::size_t t = 0; t < contents.size(); ++t) {
    writers.emplace_back([&, t] {
      for (int i = 0; i < 10; ++i) failures[t] += fs.writeFileAtomic(target, contents[t]) ? 0 : 1;
    });
  }
  for (auto& w : writers) w.join();
  for (int f : failures) EXPECT_EQ(f, 0);
  const auto result = fs.readFile(target);
  ASSERT_TRUE(result.has_value());
  EXPECT_NE(std::find(contents.begin(), contents.end(), *result), contents.end()) << "a mixed or cut file";
  EXPECT_EQ(fs.list(dir.path() + "*").size(), 1u);
}

TEST(PosixFileSystem, AppendedLinesEndAnUnterminatedLineFirst) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string list = dir.path() + "Box\\ENTRY.LST";
  dir.makeDir({"Box"});
  ASSERT_TRUE(fs.appendLine(list, "A"));  // a missing file is created
  ASSERT_TRUE(fs.appendLine(dir.path() + "box\\entry.lst", "B"));  // any letter case
  EXPECT_EQ(dir.get({"Box", "ENTRY.LST"}), "A\r\nB\r\n");
  dir.put({"Box", "ENTRY.LST"}, "cut short");
  ASSERT_TRUE(fs.appendLine(list, "C"));
  EXPECT_EQ(dir.get({"Box", "ENTRY.LST"}), "cut short\r\nC\r\n");
  EXPECT_FALSE(fs.appendLine(dir.path() + "Missing\\ENTRY.LST", "D"));
}

// root/Box/a.ALM, and two links that lead out of root: root/Out to the
// folder elsewhere, root/Box/b.ALM to the mail elsewhere/b.ALM.
bool makeLinkedRoot(const TempDir& dir) {
  dir.makeDir({"root"});
  dir.makeDir({"root", "Box"});
  dir.makeDir({"elsewhere"});
  dir.put({"root", "Box", "a.ALM"}, "a");
  dir.put({"elsewhere", "b.ALM"}, "b");
  return ::symlink(dir.native({"elsewhere"}).c_str(), dir.native({"root", "Out"}).c_str()) == 0 &&
         ::symlink(dir.native({"elsewhere", "b.ALM"}).c_str(), dir.native({"root", "Box", "b.ALM"}).c_str()) == 0;
}

TEST(PosixFileSystem, LinksStayWithinTheRootOnlyWhileTheirTargetDoes) {
  TempDir dir;
  ASSERT_TRUE(makeLinkedRoot(dir));
  ASSERT_EQ(::symlink(dir.native({"root", "Box"}).c_str(), dir.native({"root", "In"}).c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", dir.native({"root", "Box", "dangling.ALM"}).c_str()), 0);
  PosixFileSystem fs;
  const std::string root = dir.path() + "root\\";
  EXPECT_TRUE(fs.staysWithin(root, root + "box\\A.alm"));
  EXPECT_TRUE(fs.staysWithin(root, root + "Box\\new.ALM"));  // not there yet: its folder decides
  EXPECT_TRUE(fs.staysWithin(root, root + "In\\a.ALM"));
  EXPECT_FALSE(fs.staysWithin(root, root + "Out"));
  EXPECT_FALSE(fs.staysWithin(root, root + "Out\\b.ALM"));
  EXPECT_FALSE(fs.staysWithin(root, root + "Out\\new.ALM"));
  EXPECT_FALSE(fs.staysWithin(root, root + "Box\\b.ALM"));
  EXPECT_FALSE(fs.staysWithin(root, root + "Box\\dangling.ALM"));
}

// Reading a mail checks and reads in one go (a folder checked once, the
// mail opened by its name in it): the same links are refused, and a folder
// moved out of the store and replaced by a link to it is refused once its
// check is a second old.
TEST(PosixFileSystem, ReadsWithinTheRootFollowTheLinkRuleAndSeeAFolderSwappedAway) {
  TempDir dir;
  ASSERT_TRUE(makeLinkedRoot(dir));
  ASSERT_EQ(::symlink("a.ALM", dir.native({"root", "Box", "alias.ALM"}).c_str()), 0);
  PosixFileSystem fs;
  const std::string root = dir.path() + "root\\";
  const auto read = [&](const std::string& path) {
    std::string bytes = "old";
    return fs.readFileWithin(root, root + path, bytes) ? bytes : std::string("(refused)");
  };
  EXPECT_EQ(read("Box\\a.ALM"), "a");
  EXPECT_EQ(read("box\\A.alm"), "a");
  EXPECT_EQ(read("Box\\alias.ALM"), "a");
  EXPECT_EQ(read("Box\\b.ALM"), "(refused)");
  EXPECT_EQ(read("Out\\b.ALM"), "(refused)");
  EXPECT_EQ(read("Box\\missing.ALM"), "(refused)");
  EXPECT_EQ(read("Box"), "(refused)");

  ASSERT_EQ(::rename(dir.native({"root", "Box"}).c_str(), dir.native({"elsewhere", "Box"}).c_str()), 0);
  ASSERT_EQ(::symlink(dir.native({"elsewhere", "Box"}).c_str(), dir.native({"root", "Box"}).c_str()), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_EQ(read("Box\\a.ALM"), "(refused)");
}

// A store kept elsewhere and reached through a link of the root's name is
// the store: its folders and mails are inside, what lies beside the link
// is not.
TEST(PosixFileSystem, ARootThatIsALinkIsTheStoreItLeadsTo) {
  TempDir dir;
  dir.makeDir({"store"});
  dir.makeDir({"store", "Box"});
  dir.put({"store", "Box", "a.ALM"}, "a");
  dir.put({"beside.ALM"}, "b");
  ASSERT_EQ(::symlink(dir.native({"store"}).c_str(), dir.native({"link"}).c_str()), 0);
  PosixFileSystem fs;
  const std::string root = dir.path() + "link\\";
  EXPECT_TRUE(fs.staysWithin(root, root));
  EXPECT_TRUE(fs.staysWithin(root, root + "Box\\a.ALM"));
  EXPECT_FALSE(fs.staysWithin(root, dir.path() + "beside.ALM"));
}

// Matching letter case starts below the part of the path that exists as
// spelt: the directory above the root is never opened to be listed.
TEST(PosixFileSystem, CaseResolutionNeverListsDirectoriesAboveTheExactPart) {
  TempDir dir;
  dir.makeDir({"root"});
  dir.makeDir({"root", "Acc1"});
  dir.makeDir({"root", "Acc1", "Inbox.box"});
  dir.put({"root", "Acc1", "Inbox.box", "ENTRY.LST"}, "x");
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, dir.native({}).c_str(), IN_OPEN), 0);
  PosixFileSystem fs;
  EXPECT_EQ(fs.readFile(dir.path() + "root\\ACC1\\INBOX.BOX\\entry.lst"), "x");
  EXPECT_FALSE(fs.readFile(dir.path() + "root\\ACC1\\missing"));
  // Events on the watched directory itself carry no name; those of the
  // entries inside it (the root being opened to be listed) carry theirs.
  alignas(inotify_event) char buffer[4096];
  int selfOpens = 0, rootOpens = 0;
  for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(p);
      if (e->len == 0) ++selfOpens;
      if (e->len > 0 && std::string(e->name) == "root") ++rootOpens;
      p += sizeof(inotify_event) + e->len;
    }
  }
  ::close(watch);
  EXPECT_EQ(selfOpens, 0);
  EXPECT_GT(rootOpens, 0);  // the watch works: the root itself was listed
}

// The times a directory was read (listed), as a watch on it saw.
int directoryReads(int watch) {
  alignas(inotify_event) char buffer[4096];
  int opens = 0;
  for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(p);
      if (e->len == 0 && (e->mask & IN_ACCESS)) ++opens;
      p += sizeof(inotify_event) + e->len;
    }
  }
  return opens;
}

std::vector<std::string> names(const std::vector<sys::DirEntry>& entries) {
  std::vector<std::string> out;
  for (const sys::DirEntry& e : entries) out.push_back(e.name + (e.isDirectory ? "\\" : ""));
  return out;
}

// A copy run changes its folder with every mail and looks up names that do
// not exist yet in any letter case: its own changes must not make it read
// a folder of thousands of mails again, and what it then finds must be what
// a fresh reading finds.
TEST(PosixFileSystem, OwnChangesKeepTheListingOfTheFolderTheyChange) {
  TempDir dir;
  dir.makeDir({"box"});
  for (int i = 0; i < 20; ++i) dir.put({"box", "M" + std::to_string(100 + i) + ".ALM"}, "m");
  dir.put({"box", "Old.txt"}, "o");
  // The folder's last change lies a few ticks of the file clock back (its
  // time a fraction of a second): its first listing is settled.
  const std::string box = dir.native({"box"});
  const timespec past[2] = {{::time(nullptr) - 60, 5000}, {::time(nullptr) - 60, 5000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, box.c_str(), past, 0), 0);
  ::usleep(50000);
  PosixFileSystem fs;
  const std::string b = dir.path() + "box\\";
  ASSERT_EQ(fs.list(b + "*.ALM").size(), 20u);

  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, box.c_str(), IN_ACCESS), 0);
  for (int i = 0; i < 5; ++i) {
    const std::string key = "K" + std::to_string(i);
    EXPECT_FALSE(fs.exists(b + "~gxm-" + key + ".TMP"));
    ASSERT_TRUE(fs.writeFileAtomic(b + "~GXM-" + key + ".tmp", "mail"));
    ASSERT_TRUE(fs.appendLine(b + "ENTRY.LST", key + "=line"));
    ASSERT_TRUE(fs.moveFile(b + "~GXM-" + key + ".tmp", b + key + ".ALM"));
    EXPECT_TRUE(fs.isFile(b + key + ".alm"));
    EXPECT_FALSE(fs.exists(b + "~GXM-" + key + ".tmp"));
  }
  ASSERT_TRUE(fs.writeFileAtomic(b + "OLD.TXT", "replaced"));  // kept under its stored name
  ASSERT_TRUE(fs.removeFile(b + "m100.alm"));
  ASSERT_TRUE(fs.createDirectory(b + "Sub"));
  ASSERT_TRUE(fs.moveFile(b + "m101.ALM", b + "Sub\\Moved.ALM"));
  EXPECT_FALSE(fs.exists(b + "M100.ALM"));
  EXPECT_FALSE(fs.exists(b + "M101.ALM"));
  EXPECT_TRUE(fs.isFile(b + "SUB\\moved.alm"));
  EXPECT_TRUE(fs.isDirectory(b + "sub"));
  EXPECT_EQ(fs.readFile(b + "old.txt"), "replaced");
  const auto ours = names(fs.list(b + "*.*"));
  EXPECT_EQ(directoryReads(watch), 0);
  ::close(watch);

  PosixFileSystem fresh;
  EXPECT_EQ(ours, names(fresh.list(b + "*.*")));
  EXPECT_EQ(std::count(ours.begin(), ours.end(), "Old.txt"), 1);
  // A change behind its back, at a later tick, is seen.
  dir.put({"box", "Later.ALM"}, "l");
  const timespec later[2] = {{::time(nullptr) + 60, 0}, {::time(nullptr) + 60, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, box.c_str(), later, 0), 0);
  EXPECT_TRUE(fs.isFile(b + "LATER.alm"));
}

}  // namespace
}  // namespace gleanix::backend
#endif
