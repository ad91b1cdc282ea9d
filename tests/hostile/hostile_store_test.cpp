// A store written by someone hostile: entry-list and trash-list keys that
// climb out of the store, carry a NUL, a drive letter, a stream or an
// absolute path, and folders or mail files that are links to elsewhere.
// The searches, the rows and the copies must never touch anything outside
// the mail root, must skip those lines as malformed and must still find
// the good mails around them. Runs on the native and the Windows build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>

#include "backend/platform.h"
#include "host/quillon_sim.h"
#include "host/resolved_host.h"
#include "pickup/copy_hits.h"
#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/picked_mail.h"
#include "pickup/related_search.h"
#include "store/mail_store.h"
#include "support/temp_store.h"
#include "util/contained_file_system.h"
#include "util/sjis.h"

namespace gleanix {
namespace {

using testing::TempStore;

// Forwards everything and records every path handed over, so a test can
// show that nothing outside the mail root was ever asked for.
class RecordingFileSystem final : public sys::FileSystem {
 public:
  explicit RecordingFileSystem(sys::FileSystem& inner) : inner_(inner) {}

  bool exists(const std::string& p) const override { return note(p), inner_.exists(p); }
  bool isFile(const std::string& p) const override { return note(p), inner_.isFile(p); }
  bool isDirectory(const std::string& p) const override { return note(p), inner_.isDirectory(p); }
  std::optional<std::string> readFile(const std::string& p) const override { return note(p), inner_.readFile(p); }
  std::vector<sys::DirEntry> list(const std::string& p) const override { return note(p), inner_.list(p); }
  void forEachEntry(const std::string& p, const EntryVisitor& visit) const override {
    note(p);
    inner_.forEachEntry(p, visit);
  }
  std::optional<std::string> storedName(const std::string& p) const override {
    return note(p), inner_.storedName(p);
  }
  bool createDirectory(const std::string& p) override { return note(p), inner_.createDirectory(p); }
  bool writeFileAtomic(const std::string& p, std::string_view b) override {
    return note(p), inner_.writeFileAtomic(p, b);
  }
  bool removeFile(const std::string& p) override { return note(p), inner_.removeFile(p); }
  bool moveFile(const std::string& a, const std::string& b) override {
    return note(a), note(b), inner_.moveFile(a, b);
  }
  bool appendLine(const std::string& p, std::string_view line) override {
    return note(p), inner_.appendLine(p, line);
  }
  bool readFileInto(const std::string& p, std::string& into) const override {
    return note(p), inner_.readFileInto(p, into);
  }
  bool readFileWithin(const std::string& root, const std::string& p, std::string& into) const override {
    return note(p), inner_.readFileWithin(root, p, into);
  }
  bool staysWithin(const std::string& root, const std::string& p) const override {
    return note(p), inner_.staysWithin(root, p);
  }

  std::vector<std::string> paths() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return paths_;
  }

 private:
  void note(const std::string& p) const {
    std::lock_guard<std::mutex> lock(mutex_);
    paths_.push_back(p);
  }
  sys::FileSystem& inner_;
  mutable std::mutex mutex_;
  mutable std::vector<std::string> paths_;
};

const std::string kTail = "=AAAAQA0000000100a@example.jp:subject";  // unread, no mark

std::string mail(const std::string& subject, const std::string& body) {
  return "From: a@example.jp\r\nSubject: " + subject + "\r\n\r\n" + body + "\r\n";
}

// The keys of every kind that must not lead anywhere, as they stand in an
// inbox's entry list (the inbox is two levels below the root, the outside
// directory beside the root).
std::vector<std::string> hostileEntryKeys(const std::string& outsideAbsolute) {
  return {
      "..\\..\\..\\outside\\SECRET01",
      "../../../outside/SECRET01",
      std::string("../../../outside/SECRET01\0\\abcdef", 34),
      ".\\GOOD0001",
      "sub\\\\GOOD0001",
      "...\\..\\..\\outside\\SECRET01",
      ".. \\..\\..\\outside\\SECRET01",
      "C:\\outside\\SECRET01",
      "GOOD0001:hidden",
      "GOOD\x01" "0001",
      "\\\\?\\C:\\outside\\SECRET01",
      "\\\\server\\share\\SECRET01",
      outsideAbsolute + "SECRET01",
  };
}

// The names forEachEntry visits in a directory, sorted.
std::vector<std::string> visitedNames(const sys::FileSystem& fs, const std::string& directory) {
  std::vector<std::string> names;
  fs.forEachEntry(directory, [&](std::string_view name, bool, bool) { names.emplace_back(name); });
  std::sort(names.begin(), names.end());
  return names;
}

class HostileStore : public ::testing::Test {
 protected:
  void SetUp() override {
    root = base.root() + "store\\";
    outside = base.root() + "outside\\";
    base.write("outside\\SECRET01.ALM", mail("secret", "needle outside"));
    base.write("outside\\SECRET01", mail("secret", "needle outside, no suffix"));
    base.write("store\\Mailbox.ini", "TIMEZONE=+0900\r\n");
    base.write("store\\Acc1\\Account.ini", "TITLE=Home\r\n");
    base.write("store\\Acc1\\Inbox.box\\GOOD0001.ALM", mail("good one", "needle one"));
    base.write("store\\Acc1\\Inbox.box\\GOOD0002.ALM", mail("good two", "needle two"));
    base.write("store\\Acc1\\Inbox.box\\TRASH001.ALM", mail("trashed", "needle trashed"));
    base.write("store\\Acc1\\User002.box\\Entry.ini", "TITLE=Copies\r\n");
    base.write("store\\Acc1\\User002.box\\ENTRY.LST", "");

    std::string entries = "GOOD0001" + kTail + "\r\n";
    for (const std::string& key : hostileEntryKeys(outside)) entries += key + kTail + "\r\n";
    entries += "GOOD0002" + kTail + "\r\n";
    base.write("store\\Acc1\\Inbox.box\\ENTRY.LST", entries);
    base.write("store\\Acc1\\Trash.box", "Acc1\\Inbox.box\\TRASH001" + kTail + "\r\n" +
                                             "..\\outside\\SECRET01" + kTail + "\r\n" +
                                             "Acc1\\..\\..\\outside\\SECRET01" + kTail + "\r\n" +
                                             "\\" + outside + "SECRET01" + kTail + "\r\n");
  }

  // Nothing outside the store was asked for: every recorded path starts
  // with the mail root and names neither the outside directory nor its mail.
  void expectOnlyInsideAsked() const {
    const auto asked = recording.paths();
    ASSERT_FALSE(asked.empty());
    for (const std::string& p : asked) {
      EXPECT_TRUE(util::startsWithIgnoreCase(p, root)) << p;
      EXPECT_EQ(p.find('\0'), std::string::npos) << p;
      EXPECT_EQ(util::upperAscii(p).find("SECRET"), std::string::npos) << p;
      EXPECT_EQ(p.find(".."), std::string::npos) << p;
    }
  }

  std::vector<std::string> sorted(std::vector<std::string> hits) const {
    std::sort(hits.begin(), hits.end());
    return hits;
  }

  const std::vector<std::string> folders{"Acc1\\Inbox.box\\", "Acc1\\Trash.box"};
  const std::vector<std::string> goodHits{"Acc1\\Inbox.box\\GOOD0001", "Acc1\\Inbox.box\\GOOD0002",
                                          "Acc1\\Inbox.box\\TRASH001"};
  TempStore base;
  std::string root, outside;
  std::unique_ptr<sys::FileSystem> disk = backend::makeFileSystem();
  RecordingFileSystem recording{*disk};
  pickup::SilentProgress progress;
};

TEST_F(HostileStore, SearchesSkipEveryKindOfEscapingKeyAndFindTheGoodMails) {
  pickup::MarkSelection unread;
  unread.unread = true;
  const auto marked = pickup::markSearch(recording, root, folders, unread, progress);
  EXPECT_EQ(sorted(marked.hits), goodHits);

  pickup::KeywordOptions keyword;
  keyword.keywords = "needle";
  keyword.parts.body = true;
  const auto found = pickup::keywordSearch(recording, root, folders, keyword, {}, {}, progress);
  EXPECT_EQ(sorted(found.hits), goodHits);

  // The rows of the hits: the trashed mail under the trash, the others under
  // their folder.
  const auto picked = pickup::pickedMails(recording, root, found.hits);
  ASSERT_EQ(picked.size(), 3u);
  for (const auto& m : picked) {
    EXPECT_EQ(m.displayPath, m.key == "TRASH001" ? "Home\\ごみ箱" : "Home\\郵便受け") << m.key;
  }
  expectOnlyInsideAsked();
}

TEST_F(HostileStore, AStartingMailOutsideTheStoreRelatesToNothing) {
  pickup::RelatedOptions options;
  options.mailInclude = true;
  const auto result = pickup::relatedSearch(recording, root, folders,
                                            {"..\\outside\\SECRET01", "Acc1\\..\\..\\outside\\SECRET01"},
                                            options, {}, progress);
  EXPECT_TRUE(result.hits.empty());
  expectOnlyInsideAsked();
}

TEST_F(HostileStore, CopiesOfHostileHitsAreMissingAndNothingLandsOutside) {
  const auto outsideBefore = base.snapshot();
  host::QuillonSim sim(recording, root);
  auto host = host::ResolvedHost::create(sim.resolver());
  ASSERT_TRUE(host);
  std::vector<std::string> hits = goodHits;
  for (const std::string& key : hostileEntryKeys(outside)) hits.push_back("Acc1\\Inbox.box\\" + key);
  hits.push_back("..\\outside\\SECRET01");
  const auto report = pickup::copyHits(recording, *host, root, hits, {"Acc1\\User002.box\\"});
  EXPECT_EQ(report.copied, goodHits.size());
  EXPECT_EQ(report.missingMails, hits.size() - goodHits.size());
  EXPECT_EQ(report.failed, 0u);

  // The host itself refuses folders and mails outside its root.
  const std::string good = root + "Acc1\\Inbox.box\\GOOD0001.ALM";
  EXPECT_FALSE(sim.importFile(good, "..\\outside", 0));
  EXPECT_FALSE(sim.importFile(good, "Acc1\\..\\..\\outside", 0));
  EXPECT_FALSE(sim.importFile(good, outside + "x", 0));
  EXPECT_FALSE(sim.moveMail("..\\outside\\SECRET01", "Acc1\\User002.box"));
  EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\GOOD0001", "..\\outside"));
  expectOnlyInsideAsked();

  // Only the copies and their entry lines are new; the outside is as it was.
  const auto after = base.snapshot();
  std::size_t added = 0;
  for (const auto& [path, bytes] : after) {
    if (outsideBefore.count(path) == 0) {
      EXPECT_EQ(path.rfind("store/Acc1/User002.box/", 0), 0u) << path;
      ++added;
    } else if (path != "store/Acc1/User002.box/ENTRY.LST") {
      EXPECT_EQ(bytes, outsideBefore.at(path)) << path;
    }
  }
  EXPECT_EQ(added, goodHits.size());
  EXPECT_EQ(sys::splitLines(base.read("store\\Acc1\\User002.box\\ENTRY.LST")).size(), goodHits.size());
}

TEST_F(HostileStore, TheContainedViewRefusesWhatLeadsOutOfTheRoot) {
  const util::ContainedFileSystem view(recording, nullptr, root);
  EXPECT_TRUE(view.isFile(root + "Acc1\\Inbox.box\\GOOD0001.ALM"));
  EXPECT_TRUE(view.isDirectory(root));
  EXPECT_FALSE(view.isFile(root + "..\\outside\\SECRET01.ALM"));
  EXPECT_FALSE(view.isFile(outside + "SECRET01.ALM"));
  EXPECT_FALSE(view.readFile(root + "Acc1\\..\\..\\outside\\SECRET01.ALM"));
  EXPECT_TRUE(view.list(root + "..\\outside\\*").empty());
  EXPECT_FALSE(view.list(root + "Acc1\\Inbox.box\\*.ALM").empty());
  EXPECT_EQ(visitedNames(view, root + "Acc1\\Inbox.box\\"),
            (std::vector<std::string>{"ENTRY.LST", "GOOD0001.ALM", "GOOD0002.ALM", "TRASH001.ALM"}));
  EXPECT_TRUE(visitedNames(view, root + "..\\outside\\").empty());
  EXPECT_TRUE(visitedNames(view, root + "Acc1\\..\\..\\outside\\").empty());
  EXPECT_TRUE(visitedNames(view, outside).empty());
#ifdef _WIN32
  // Device names open a device wherever they stand in a path.
  EXPECT_FALSE(view.readFile(root + "Acc1\\Inbox.box\\CON.ALM"));
  EXPECT_FALSE(view.exists(root + "NUL"));
  EXPECT_FALSE(view.isFile(root + "Acc1\\COM1\\x.ALM"));
#endif
  expectOnlyInsideAsked();
}

// Links need a file system that has them (and, on Windows, the right to
// make them): without, these tests have nothing to show.
bool link(const std::filesystem::path& target, const std::filesystem::path& at, bool directory) {
  std::error_code ec;
  if (directory) {
    std::filesystem::create_directory_symlink(target, at, ec);
  } else {
    std::filesystem::create_symlink(target, at, ec);
  }
  return !ec;
}

class LinkedStore : public HostileStore {
 protected:
  void SetUp() override {
    HostileStore::SetUp();
    base.write("linked\\Entry.ini", "TITLE=Linked\r\n");
    base.write("linked\\ENTRY.LST", "LINK0001" + kTail + "\r\n");
    base.write("linked\\LINK0001.ALM", mail("linked", "needle linked"));
    const bool made = link(base.path("linked"), base.path("store\\Acc1\\User001.box"), true) &&
                      link(base.path("outside\\SECRET01.ALM"), base.path("store\\Acc1\\Inbox.box\\LINK0002.ALM"),
                           false) &&
                      link(base.path("store\\Acc1\\Inbox.box\\GOOD0001.ALM"),
                           base.path("store\\Acc1\\Inbox.box\\ALIA0001.ALM"), false);
    if (!made) GTEST_SKIP() << "no symbolic links here";
    base.write("store\\Acc1\\Inbox.box\\ENTRY.LST", base.read("store\\Acc1\\Inbox.box\\ENTRY.LST") + "LINK0002" +
                                                      kTail + "\r\nALIA0001" + kTail + "\r\n");
  }
};

TEST_F(LinkedStore, LinksAreFollowedOnlyWhileTheyStayInside) {
  pickup::KeywordOptions keyword;
  keyword.keywords = "needle";
  keyword.parts.body = true;
  const std::vector<std::string> all{"Acc1\\Inbox.box\\", "Acc1\\Trash.box", "Acc1\\User001.box\\"};
  const auto found = pickup::keywordSearch(recording, root, all, keyword, {}, {}, progress);
  std::vector<std::string> expected = goodHits;
  expected.push_back("Acc1\\Inbox.box\\ALIA0001");  // a link to a mail of the store
  EXPECT_EQ(sorted(found.hits), sorted(expected));

  pickup::MarkSelection unread;
  unread.unread = true;
  EXPECT_EQ(sorted(pickup::markSearch(recording, root, all, unread, progress).hits), sorted(expected));
  // The folder that links outside shows no entries at all.
  const util::ContainedFileSystem view(recording, nullptr, root);
  EXPECT_TRUE(visitedNames(view, root + "Acc1\\User001.box\\").empty());
  EXPECT_FALSE(visitedNames(view, root + "Acc1\\Inbox.box\\").empty());
}

TEST_F(LinkedStore, NoCopyGoesThroughAFolderThatLinksOutside) {
  const auto before = base.snapshot();
  host::QuillonSim sim(recording, root);
  auto host = host::ResolvedHost::create(sim.resolver());
  ASSERT_TRUE(host);
  const auto report = pickup::copyHits(recording, *host, root, goodHits, {"Acc1\\User001.box\\"});
  EXPECT_EQ(report.copied, 0u);
  EXPECT_EQ(report.skippedFolders, std::vector<std::string>{"Acc1\\User001.box\\"});
  EXPECT_FALSE(sim.importFile(root + "Acc1\\Inbox.box\\GOOD0001.ALM", "Acc1\\User001.box", 0));
  EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\GOOD0001", "Acc1\\User001.box"));
  EXPECT_EQ(base.snapshot(), before);
}

}  // namespace
}  // namespace gleanix
