// The bundled sample store is exactly what make-store writes, and it reads
// back as the store it means to be.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "backend/platform.h"
#include "make_store/store_generator.h"
#include "store/attribute.h"
#include "store/display_path.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/time_zone.h"
#include "store/trash_index.h"

namespace gleanix::store {
namespace {

const std::filesystem::path kSample = std::filesystem::path(GLEANIX_SOURCE_DIR) / "samples" / "store";

std::string hostPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string sampleRoot() { return hostPath(kSample.string()) + "\\"; }

TEST(SampleStore, IsByteIdenticalToMakeStore) {
  std::map<std::string, std::string> generated;
  tools::generateStore({}, [&](const std::string& path, std::string_view bytes) {
    EXPECT_TRUE(generated.emplace(path, std::string(bytes)).second) << "written twice: " << path;
  });
  std::map<std::string, std::string> committed;
  for (const auto& e : std::filesystem::recursive_directory_iterator(kSample)) {
    if (!e.is_regular_file() || e.path().filename() == ".gitattributes") continue;
    std::ifstream in(e.path(), std::ios::binary);
    committed[hostPath(std::filesystem::relative(e.path(), kSample).generic_string())] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  ASSERT_EQ(generated.size(), committed.size());
  for (const auto& [path, bytes] : generated) {
    auto it = committed.find(path);
    ASSERT_NE(it, committed.end()) << "missing in samples/store: " << path;
    EXPECT_TRUE(it->second == bytes) << "differs from make-store: " << path;
  }
}

TEST(SampleStore, ReadsBackAsAThreeAccountStore) {
  auto fs = backend::makeFileSystem();
  const MailStore store(*fs, sampleRoot());
  EXPECT_FALSE(store.singleAccount());
  EXPECT_EQ(storeTimeZoneBias(*fs, store.root(), 0), -540);

  const auto all = accounts(store);
  ASSERT_EQ(all.size(), 3u);  // Acc9.old has no Account.ini
  EXPECT_EQ(all[0].title, "自宅");
  EXPECT_EQ(all[1].title, "Work Mail");

  std::vector<std::string> folders;
  for (const TreeFolder& t : folderTree(store)) folders.push_back(t.folder.path + "|" + t.folder.name);
  const std::vector<std::string> expected = {
      "Acc1\\|自宅",
      "Acc1\\Inbox.box\\|郵便受け",
      "Acc1\\Outbox.box\\|送信箱",
      "Acc1\\User001.box\\|メーリングリスト",
      "Acc1\\User002.box\\|友人",
      "Acc1\\User003.box\\|仕事",
      "Acc1\\User003.box\\User001.box\\|会議",
      "Acc1\\User003.box\\User002.box\\|報告",
      "Acc1\\Trash.box|ごみ箱",
      "Acc1\\User009.box\\|未整理",
      "Acc2\\|Work Mail",
      "Acc2\\Trash.box|ごみ箱",
      "Acc2\\User001.box\\|[dev] 開発",
      "Acc2\\Inbox.box\\|郵便受け",
      "Acc2\\Outbox.box\\|送信箱",
      "Acc3\\|携帯",
      "Acc3\\Inbox.box\\|郵便受け",
      "Acc3\\Outbox.box\\|送信箱",
      "Acc3\\Trash.box|ごみ箱",
  };
  EXPECT_EQ(folders, expected);
  EXPECT_EQ(displayPath(store, "Acc1\\User003.box\\User002.box\\"), "自宅\\仕事\\報告");
}

TEST(SampleStore, ListsAreWellFormedAndNameExistingMails) {
  auto fs = backend::makeFileSystem();
  const MailStore store(*fs, sampleRoot());
  MailFileIndex files(store);
  std::size_t listed = 0, missing = 0;
  std::set<int> marks;
  bool unread = false, noReadState = false;
  for (const TreeFolder& t : folderTree(store)) {
    if (t.folder.type == ctAccount || t.folder.type == ctGroup) continue;
    for (const ListedMail& m : listedMails(store, t.folder.path)) {
      ++listed;
      ASSERT_TRUE(m.attribute) << m.hit;
      marks.insert(markNumber(*m.attribute));
      unread |= isUnread(*m.attribute);
      noReadState |= !hasReadState(*m.attribute);
      if (!files.exists(m.hit)) ++missing;
    }
    if (t.folder.type == ctTrash) continue;
    const auto lines = fs->readLines(listFilePath(store, t.folder.path));
    ASSERT_TRUE(lines) << t.folder.path;
    for (const std::string& line : *lines) EXPECT_TRUE(parseEntryLine(line)) << line;
  }
  EXPECT_EQ(listed, tools::kSampleMails);
  EXPECT_EQ(missing, 1u);  // the one entry whose file the host lost
  EXPECT_EQ(marks.size(), 8u);
  EXPECT_TRUE(unread);
  EXPECT_TRUE(noReadState);
  EXPECT_FALSE(trashIndex(store).keys().empty());
}

TEST(MakeStore, ScalesWithArchiveFolders) {
  std::size_t mails = 0;
  std::set<std::string> lists;
  tools::generateStore({5000, 7}, [&](const std::string& path, std::string_view) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".ALM") ++mails;
    if (path.find("ENTRY.LST") != std::string::npos) lists.insert(path);
  });
  EXPECT_EQ(mails, 4999u);  // one entry's file is missing on purpose
  EXPECT_TRUE(lists.count("Acc2\\User100.box\\ENTRY.LST"));
}

}  // namespace
}  // namespace gleanix::store
