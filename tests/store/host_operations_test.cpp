// The store operations that go through the host: the mails of the current
// folder and the three-hop move, run against quillon-sim through the real
// function table.
#include <gtest/gtest.h>

#include "backend/platform.h"
#include "host/quillon_sim.h"
#include "host/resolved_host.h"
#include "store/current_mails.h"
#include "store/mail_move.h"
#include "support/temp_store.h"

namespace gleanix::store {
namespace {

using testing::TempStore;

// Forwards to the simulated host and records every move it is asked for.
class RecordingHost : public host::ResolvedHost {
 public:
  explicit RecordingHost(const host::ResolvedHost& h) : host::ResolvedHost(h) {}
  bool moveMail(const std::string& mail, const std::string& folder) override {
    moves.push_back(mail + " -> " + folder);
    return host::ResolvedHost::moveMail(mail, folder);
  }
  std::vector<std::string> moves;
};

std::string entry(const std::string& key, const char* attribute = "AAAAAA") {
  return key + "=" + attribute + "0000000042a@example.jp:subject\r\n";
}

class HostOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.write("Mailbox.ini", "TIMEZONE=+0900\r\n");
    for (const char* acc : {"Acc1", "Acc2"}) {
      const std::string a = acc;
      disk.write(a + "\\Account.ini", "TITLE=" + a + "-title\r\nORDER=IO001T\r\n");
      disk.write(a + "\\Inbox.box\\Entry.ini", "");
      disk.write(a + "\\Outbox.box\\Entry.ini", "");
      disk.write(a + "\\Outbox.box\\ENTRY.LST", "");
      disk.write(a + "\\User001.box\\Entry.ini", "TITLE=Folder of " + a + "\r\n");
      disk.write(a + "\\Trash.box", "");
    }
    disk.write("Acc1\\Inbox.box\\ENTRY.LST", entry("MAIL0001") + "too short\r\n" + entry("MAIL0002", "BwAAAA") +
                                                 entry("mail0003"));
    for (const char* key : {"MAIL0001", "MAIL0002", "MAIL0003"}) {
      disk.write(std::string("Acc1\\Inbox.box\\") + key + ".ALM", testing::mailText(key));
    }
    disk.write("Acc1\\Outbox.box\\ENTRY.LST", entry("SENT0001"));
    disk.write("Acc1\\Outbox.box\\SENT0001.ALM", testing::mailText("sent"));
    auto resolved = host::ResolvedHost::create(sim.resolver());
    ASSERT_TRUE(resolved);
    host = std::make_unique<RecordingHost>(*resolved);
  }

  MailStore store() const { return MailStore(*fs, disk.root()); }

  TempStore disk;
  std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
  gleanix::host::QuillonSim sim{*fs, disk.root()};
  std::unique_ptr<RecordingHost> host;
};

TEST_F(HostOperations, CurrentFolderListsEveryValidEntryLine) {
  sim.setCurrentEntry("Acc1\\Inbox.box\\MAIL0002");
  const auto mails = mailsOfCurrentFolder(*fs, *host, sim.mainWindow(), false);
  EXPECT_EQ(mails.root, disk.root());
  EXPECT_EQ(mails.folder, "Acc1\\Inbox.box\\");
  EXPECT_EQ(mails.displayPath, "Acc1-title\\郵便受け");
  EXPECT_EQ(mails.keys, (std::vector<std::string>{"MAIL0001", "MAIL0002", "mail0003"}));
}

TEST_F(HostOperations, CurrentFolderSelectionInHostOrder) {
  sim.setCurrentEntry("Acc1\\Inbox.box\\MAIL0001");
  sim.setSelection({"Acc1\\Inbox.box\\MAIL0002", "Acc1\\Inbox.box\\MAIL0001"});
  const auto mails = mailsOfCurrentFolder(*fs, *host, sim.mainWindow(), true);
  EXPECT_EQ(mails.keys, (std::vector<std::string>{"MAIL0002", "MAIL0001"}));
  // Asking again starts the selection from its first mail.
  EXPECT_EQ(mailsOfCurrentFolder(*fs, *host, sim.mainWindow(), true).keys, mails.keys);
}

TEST_F(HostOperations, CurrentFolderEdgeCases) {
  // No current mail.
  auto mails = mailsOfCurrentFolder(*fs, *host, sim.mainWindow(), false);
  EXPECT_TRUE(mails.folder.empty());
  EXPECT_TRUE(mails.keys.empty());
  // A key listed only in another letter case counts as being in the trash.
  sim.setCurrentEntry("Acc1\\Inbox.box\\MAIL0003");
  mails = mailsOfCurrentFolder(*fs, *host, sim.mainWindow(), false);
  EXPECT_EQ(mails.displayPath, "ごみ箱");
  EXPECT_TRUE(mails.folder.empty());
  EXPECT_TRUE(mails.keys.empty());
  // A folder without ENTRY.LST: no keys, but the folder is known.
  sim.setCurrentEntry("Acc1\\User001.box\\MAIL0009");
  mails = mailsOfCurrentFolder(*fs, *host, sim.mainWindow(), false);
  EXPECT_EQ(mails.folder, "Acc1\\User001.box\\");
  EXPECT_TRUE(mails.keys.empty());
}

TEST_F(HostOperations, MoveAcrossAccountsTakesThreeHops) {
  ASSERT_TRUE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "MAIL0002", "Acc2\\User001.box"));
  EXPECT_EQ(host->moves, (std::vector<std::string>{"Acc1\\Inbox.box\\MAIL0002 -> Acc1\\Outbox.box",
                                                   "Acc1\\Outbox.box\\MAIL0002 -> Acc2\\Inbox.box",
                                                   "Acc2\\Inbox.box\\MAIL0002 -> Acc2\\User001.box"}));
  EXPECT_FALSE(disk.exists("Acc1\\Inbox.box\\MAIL0002.ALM"));
  EXPECT_EQ(disk.read("Acc2\\User001.box\\MAIL0002.ALM"), testing::mailText("MAIL0002"));
  // The entry line travels with its attribute word; every list it passed is clean again.
  EXPECT_EQ(disk.read("Acc2\\User001.box\\ENTRY.LST"), entry("MAIL0002", "BwAAAA"));
  EXPECT_EQ(disk.read("Acc1\\Outbox.box\\ENTRY.LST"), entry("SENT0001"));
  EXPECT_EQ(disk.read("Acc2\\Inbox.box\\ENTRY.LST"), "");
  EXPECT_EQ(disk.read("Acc1\\Inbox.box\\ENTRY.LST"), entry("MAIL0001") + "too short\r\n" + entry("mail0003"));
}

TEST_F(HostOperations, MoveFromTheOutboxSkipsTheFirstHop) {
  ASSERT_TRUE(moveMail(store(), *host, "acc1\\outbox.box\\", "SENT0001", "Acc1\\User001.box\\"));
  EXPECT_EQ(host->moves, (std::vector<std::string>{"acc1\\Outbox.box\\SENT0001 -> Acc1\\Inbox.box",
                                                   "Acc1\\Inbox.box\\SENT0001 -> Acc1\\User001.box"}));
  EXPECT_TRUE(disk.exists("Acc1\\User001.box\\SENT0001.ALM"));
}

TEST_F(HostOperations, MoveIntoAnInboxStopsAfterTheSecondHop) {
  ASSERT_TRUE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "MAIL0001", "Acc2\\INBOX.BOX"));
  EXPECT_EQ(host->moves.size(), 2u);
  EXPECT_TRUE(disk.exists("Acc2\\Inbox.box\\MAIL0001.ALM"));
}

TEST_F(HostOperations, MoveIntoATrashEndsInItsTrashList) {
  ASSERT_TRUE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "MAIL0001", "Acc2\\Trash.box"));
  EXPECT_EQ(host->moves.back(), "Acc2\\Inbox.box\\MAIL0001 -> ");
  // The file stays in the inbox it reached; the trash list names it there.
  EXPECT_TRUE(disk.exists("Acc2\\Inbox.box\\MAIL0001.ALM"));
  EXPECT_EQ(disk.read("Acc2\\Trash.box"), "Acc2\\Inbox.box\\" + entry("MAIL0001"));
  EXPECT_EQ(disk.read("Acc2\\Inbox.box\\ENTRY.LST"), "");
}

TEST_F(HostOperations, MovingAMailToItsOwnFolderStillTravels) {
  ASSERT_TRUE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "MAIL0001", "Acc1\\Inbox.box"));
  EXPECT_EQ(host->moves.size(), 2u);
  EXPECT_TRUE(disk.exists("Acc1\\Inbox.box\\MAIL0001.ALM"));
}

TEST_F(HostOperations, FailedHopLeavesTheMailWhereTheLastGoodHopPutIt) {
  // The destination folder does not exist: the third hop fails.
  EXPECT_FALSE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "MAIL0001", "Acc2\\User404.box"));
  EXPECT_EQ(host->moves.size(), 3u);
  EXPECT_TRUE(disk.exists("Acc2\\Inbox.box\\MAIL0001.ALM"));
  EXPECT_EQ(disk.read("Acc2\\Inbox.box\\ENTRY.LST"), entry("MAIL0001"));
  // A missing mail fails at once and changes nothing.
  const auto before = disk.snapshot();
  EXPECT_FALSE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "GONE0001", "Acc2\\User001.box"));
  EXPECT_EQ(host->moves.size(), 4u);
  EXPECT_EQ(disk.snapshot(), before);
}

TEST_F(HostOperations, PathsWithoutAccountPartAreRefused) {
  EXPECT_FALSE(moveMail(store(), *host, "Inbox.box", "MAIL0001", "Acc2\\User001.box"));
  EXPECT_FALSE(moveMail(store(), *host, "Acc1\\Inbox.box\\", "MAIL0001", "Acc2"));
  EXPECT_TRUE(host->moves.empty());
}

TEST_F(HostOperations, OpenMailPassesTheFlagAsZeroOrMinusOne) {
  EXPECT_TRUE(openMail(*host, sim.mainWindow(), "Acc1\\Inbox.box\\MAIL0001", true));
  EXPECT_EQ(sim.lastOpenFlag(), -1);
  EXPECT_FALSE(openMail(*host, sim.mainWindow(), "Acc1\\Inbox.box\\GONE0001", false));
  EXPECT_EQ(sim.lastOpenFlag(), 0);
}

}  // namespace
}  // namespace gleanix::store
