// Handing hits over: to the list (display paths, trash keys) and by
// copying through the host.
#include <gtest/gtest.h>

#include <tuple>

#include "pickup/copy_hits.h"
#include "pickup/picked_mail.h"
#include "support/memory_store.h"
#include "sys/host.h"

namespace gleanix::pickup {
namespace {

using testing::MemoryStore;

class RecordingHost : public sys::Host {
 public:
  std::vector<std::tuple<std::string, std::string, std::uint32_t>> imports;
  bool refuse = false;

  bool importFile(const std::string& file, const std::string& folder, std::uint32_t attribute) override {
    imports.emplace_back(file, folder, attribute);
    return !refuse;
  }
  std::int32_t registCallback(sys::CommandProc, std::int32_t) override { return 0; }
  std::string getMailbox() override { return {}; }
  std::string getAccount(sys::WindowHandle) override { return {}; }
  bool moveMail(const std::string&, const std::string&) override { return false; }
  std::string folderGetCurrentFolder(sys::WindowHandle) override { return {}; }
  std::string folderGetCurrentEntry(sys::WindowHandle) override { return {}; }
  std::string folderGetSelectEntry(sys::WindowHandle, std::int32_t) override { return {}; }
  bool folderOpenMail(sys::WindowHandle, const std::string&, bool) override { return false; }
  std::string sendGetHeader(sys::WindowHandle) override { return {}; }
  void sendSetHeader(sys::WindowHandle, const std::string&) override {}
  sys::WindowHandle sendGetEditor(sys::WindowHandle) override { return 0; }
  std::string viewGetPath(sys::WindowHandle) override { return {}; }
  sys::WindowHandle viewGetEditor(sys::WindowHandle) override { return 0; }
  void viewChangeMail(sys::WindowHandle, const std::string&) override {}
  std::string jisToSjis(std::string_view jis) override { return std::string(jis); }
};

TEST(CopyHits, SkipsFoldersWithoutEntryIniAndMailsWithoutFiles) {
  MemoryStore s;
  s.account("Acc1", "Home");
  s.folder("Acc1\\User001.box\\", "Lists");
  s.folder("Acc1\\User002.box\\", "Friends");
  s.mail("Acc1\\Inbox.box\\", "00000001", "a");
  s.mail("Acc1\\Inbox.box\\", "00000002", "b");
  RecordingHost host;
  const std::vector<std::string> hits = {"Acc1\\Inbox.box\\00000002", "Acc1\\Inbox.box\\GONE0000",
                                         "Acc1\\Inbox.box\\00000001"};
  const CopyReport report =
      copyHits(s.fs, host, s.root(), hits, {"Acc1\\User009.box\\", "Acc1\\User002.box\\", "Acc1\\User001.box\\"});
  using Import = std::tuple<std::string, std::string, std::uint32_t>;
  EXPECT_EQ(host.imports, (std::vector<Import>{{s.abs("Acc1\\Inbox.box\\00000002.ALM"), "Acc1\\User002.box", 0},
                                               {s.abs("Acc1\\Inbox.box\\00000001.ALM"), "Acc1\\User002.box", 0},
                                               {s.abs("Acc1\\Inbox.box\\00000002.ALM"), "Acc1\\User001.box", 0},
                                               {s.abs("Acc1\\Inbox.box\\00000001.ALM"), "Acc1\\User001.box", 0}}));
  EXPECT_EQ(report.copied, 4u);
  EXPECT_EQ(report.missingMails, 2u);
  EXPECT_EQ(report.skippedFolders, std::vector<std::string>{"Acc1\\User009.box\\"});

  host.refuse = true;
  EXPECT_EQ(copyHits(s.fs, host, s.root(), hits, {"Acc1\\User001.box\\"}).failed, 2u);
}

TEST(CopyHits, AFolderEndingInADoubleByteCharacterKeepsIt) {
  // "表" is 0x95 0x5C: its second byte is no trailing backslash.
  MemoryStore s;
  s.mail("Acc1\\Inbox.box\\", "00000001", "a");
  s.fs.addFile(s.abs("Acc1\\表Entry.ini"), "[Folder]\r\n");
  s.folder("Acc1\\予定表\\", "Plans");
  RecordingHost host;
  copyHits(s.fs, host, s.root(), {"Acc1\\Inbox.box\\00000001"}, {"Acc1\\表", "Acc1\\予定表\\"});
  ASSERT_EQ(host.imports.size(), 2u);
  EXPECT_EQ(std::get<1>(host.imports[0]), "Acc1\\表");
  EXPECT_EQ(std::get<1>(host.imports[1]), "Acc1\\予定表");
}

TEST(PickedMails, TrashKeysShowUnderTheirAccountsTrash) {
  MemoryStore s;
  s.account("Acc1", "Home");
  s.account("Acc2", "\"Work Mail\"");
  s.folder("Acc1\\User001.box\\", "Lists");
  s.mail("Acc1\\User001.box\\", "00000001", "a");
  s.trashMail("Acc2", "Acc1\\User001.box\\", "00000002", 0, "moved across and trashed");
  const auto picked = pickedMails(s.fs, s.root(),
                                  {"Acc1\\User001.box\\00000001", "acc1\\user001.box\\00000002",
                                   "Acc1\\Inbox.box\\00000003", "Acc1\\User404.box\\00000004"});
  ASSERT_EQ(picked.size(), 4u);
  EXPECT_EQ(picked[0].folder, "Acc1\\User001.box\\");
  EXPECT_EQ(picked[0].key, "00000001");
  EXPECT_EQ(picked[0].displayPath, "Home\\Lists");
  // The trash-list key is shown under the trash of the account whose list
  // holds it, whatever folder its path names.
  EXPECT_EQ(picked[1].displayPath, "Work Mail\\ごみ箱");
  EXPECT_EQ(picked[1].folder, "acc1\\user001.box\\");
  EXPECT_EQ(picked[2].displayPath, "Home\\郵便受け");
  EXPECT_EQ(picked[3].displayPath, "");
}

}  // namespace
}  // namespace gleanix::pickup
