// Accounts, folders and their order, display names and paths, the trash
// index and the time zone, over real directories.
#include <gtest/gtest.h>

#include "backend/platform.h"
#include "store/display_path.h"
#include "store/folders.h"
#include "store/ini.h"
#include "store/mail_store.h"
#include "store/time_zone.h"
#include "store/trash_index.h"
#include "support/temp_store.h"

namespace gleanix::store {
namespace {

using testing::TempStore;

std::vector<std::string> paths(const std::vector<Folder>& folders) {
  std::vector<std::string> out;
  for (const Folder& f : folders) out.push_back(f.path);
  return out;
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.write("Mailbox.ini", "[Mailbox]\r\nTIMEZONE=+0900\r\n");
    disk.write("Acc1\\Account.ini", "[Account]\r\nTITLE=Home\r\nORDER=T001I\r\n");
    disk.write("Acc1\\User001.box\\Entry.ini", "TITLE=Lists\r\n");
    disk.write("Acc1\\User002.box\\Entry.ini", "TITLE=Later\r\n");
    disk.mkdir("Acc1\\User003.box");  // not in ORDER, no Entry.ini
  }
  MailStore store() const { return MailStore(*fs, disk.root()); }

  TempStore disk;
  std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
};

TEST(OrderTokens, CompletesAccountsWithInboxOutboxAndTrash) {
  const std::vector<std::string> fixed = {"I", "O", "T"};
  EXPECT_EQ(orderTokens("IOT", true), fixed);
  EXPECT_EQ(orderTokens("", true), fixed);
  EXPECT_EQ(orderTokens("iot", true), fixed);
  EXPECT_EQ(orderTokens("T001I", true), (std::vector<std::string>{"T", "001", "I", "O"}));
  // Groups are not completed.
  EXPECT_EQ(orderTokens("001002", false), (std::vector<std::string>{"001", "002"}));
}

TEST(OrderTokens, OddValuesStaySafe) {
  // A code is three characters even when it holds I, O or T after its first.
  EXPECT_EQ(orderTokens("0IT", false), (std::vector<std::string>{"0IT"}));
  // A repeated token is taken once; a cut-off code at the end is dropped.
  EXPECT_EQ(orderTokens("I001I0010", false), (std::vector<std::string>{"I", "001"}));
  // Double-byte characters count as one character of a code.
  EXPECT_EQ(orderTokens("表01", false), (std::vector<std::string>{"表01"}));
}

TEST_F(LayoutTest, AccountChildrenFollowOrderThenEnumeration) {
  const auto children = childFolders(store(), "Acc1\\", ctAccount);
  EXPECT_EQ(paths(children), (std::vector<std::string>{"Acc1\\Trash.box", "Acc1\\User001.box\\", "Acc1\\Inbox.box\\",
                                                       "Acc1\\Outbox.box\\", "Acc1\\User002.box\\",
                                                       "Acc1\\User003.box\\"}));
  EXPECT_EQ(children[0].type, ctTrash);
  EXPECT_EQ(children[0].name, "ごみ箱");
  EXPECT_EQ(children[1].name, "Lists");
  EXPECT_EQ(children[2].name, "郵便受け");
  EXPECT_EQ(children[3].name, "送信箱");
  EXPECT_EQ(children[4].name, "Later");
  // Found by enumeration without Entry.ini: listed, with an empty name.
  EXPECT_EQ(children[5].type, ctFolder);
  EXPECT_EQ(children[5].name, "");
}

TEST_F(LayoutTest, OrderedFolderWithoutEntryIniIsSkipped) {
  disk.write("Acc1\\Account.ini", "TITLE=Home\r\nORDER=I003001\r\n");
  const auto children = childFolders(store(), "Acc1\\", ctAccount);
  // 003 is named but lacks Entry.ini; being named, enumeration does not add it either.
  EXPECT_EQ(paths(children), (std::vector<std::string>{"Acc1\\Inbox.box\\", "Acc1\\User001.box\\", "Acc1\\Outbox.box\\",
                                                       "Acc1\\Trash.box", "Acc1\\User002.box\\"}));
}

TEST_F(LayoutTest, FolderGroupsNest) {
  disk.write("Acc1\\User001.box\\Entry.ini", "TITLE=Work\r\ntype=SUBFOLDER\r\nORDER=002\r\n");
  disk.write("Acc1\\User001.box\\User002.box\\Entry.ini", "TITLE=Reports\r\n");
  disk.write("Acc1\\User001.box\\User001.box\\Entry.ini", "TITLE=Meetings\r\n");
  const auto children = childFolders(store(), "Acc1\\", ctAccount);
  EXPECT_EQ(children[1].type, ctGroup);
  const auto inner = childFolders(store(), "Acc1\\User001.box\\", ctGroup);
  // No I, O, T completion inside a group.
  EXPECT_EQ(paths(inner), (std::vector<std::string>{"Acc1\\User001.box\\User002.box\\",
                                                    "Acc1\\User001.box\\User001.box\\"}));
  EXPECT_EQ(displayPath(store(), "Acc1\\User001.box\\User002.box\\"), "Home\\Work\\Reports");

  const auto tree = folderTree(store());
  ASSERT_GE(tree.size(), 4u);
  EXPECT_EQ(tree[0].folder.type, ctAccount);
  EXPECT_EQ(tree[2].folder.path, "Acc1\\User001.box\\");
  EXPECT_EQ(tree[3].folder.path, "Acc1\\User001.box\\User002.box\\");
  EXPECT_EQ(tree[3].depth, 2);
}

TEST_F(LayoutTest, TypeSubfolderMustBeTheWholeLine) {
  disk.write("Acc1\\User001.box\\Entry.ini", "TITLE=Lists\r\nType=Subfolders\r\n Type=Subfolder\r\n");
  EXPECT_EQ(childFolders(store(), "Acc1\\", ctAccount)[1].type, ctFolder);
}

TEST_F(LayoutTest, AccountsNeedAccountIni) {
  disk.write("Acc2\\Account.ini", "TITLE=\"Work Mail\"\r\n");
  disk.mkdir("Acc3.old\\Inbox.box");
  disk.write("Other\\Account.ini", "TITLE=Not an account\r\n");
  const auto all = accounts(store());
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].path, "Acc1\\");
  EXPECT_EQ(all[1].path, "Acc2\\");
  EXPECT_EQ(all[1].title, "Work Mail");
}

TEST_F(LayoutTest, AccountsComeInTheFileSystemsOrder) {
  // As NTFS lists them: names compared upper-cased, byte by byte.
  for (const char* dir : {"AccB", "Acc10", "accA", "Acc2"}) disk.write(std::string(dir) + "\\Account.ini", "");
  std::vector<std::string> order;
  for (const Account& a : accounts(store())) order.push_back(a.path);
  EXPECT_EQ(order, (std::vector<std::string>{"Acc1\\", "Acc10\\", "Acc2\\", "accA\\", "AccB\\"}));
}

TEST(Ini, KeysMatchWithoutCaseAndFirstLineCounts) {
  const std::vector<std::string> lines = {"[Account]", "title=  first  ", "TITLE=second", "TITLEX=no"};
  EXPECT_EQ(titleOf(lines), "first");
  EXPECT_EQ(keyValue(lines, "ORDER="), std::nullopt);
  EXPECT_EQ(titleOf({"Title=\"Quoted Name\""}), "Quoted Name");
  EXPECT_EQ(titleOf({"TITLE=\""}), "");
  // The last character removed with the quote may be double-byte.
  EXPECT_EQ(titleOf({"TITLE=\"仕事表"}), "仕事");
  // Only TITLE and TIMEZONE lose their quotes.
  EXPECT_EQ(keyValue({"ORDER=\"IO\""}, "ORDER="), "\"IO\"");
}

TEST_F(LayoutTest, DisplayPaths) {
  const MailStore s = store();
  EXPECT_EQ(displayPath(s, "Acc1\\Inbox.box\\"), "Home\\郵便受け");
  EXPECT_EQ(displayPath(s, "acc1\\OUTBOX.BOX\\"), "Home\\送信箱");
  EXPECT_EQ(displayPath(s, "Acc1\\User001.box\\"), "Home\\Lists");
  EXPECT_EQ(displayPath(s, "Acc1\\"), "Home");
  // The trash is a file: no further component.
  EXPECT_EQ(displayPath(s, "Acc1\\Trash.box"), "Home");
  // A level that cannot be resolved empties the whole path.
  EXPECT_EQ(displayPath(s, "Acc1\\User001.box\\User005.box\\"), "");
  EXPECT_EQ(displayPath(s, "Acc1\\User003.box\\"), "");
  EXPECT_EQ(displayPath(s, "Acc7\\Inbox.box\\"), "");
  EXPECT_EQ(displayPath(s, "NoBackslash"), "");
  disk.write("Acc2\\Account.ini", "ORDER=IOT\r\n");
  EXPECT_EQ(displayPath(s, "Acc2\\Inbox.box\\"), "");
}

TEST_F(LayoutTest, TrashIndexCoversEveryAccount) {
  disk.write("Acc1\\Trash.box", "Acc1\\Inbox.box\\AAAA0001=AAAAQA0000000100a@b:x\r\nno equals sign\r\n");
  disk.write("Acc2\\Account.ini", "TITLE=Work\r\n");
  disk.write("Acc2\\Trash.box", "Acc2\\User001.box\\BBBB0002=AAAAAA\r\n");
  const TrashIndex index = trashIndex(store());
  EXPECT_EQ(index.keys(), (std::vector<std::string>{"Acc1\\Inbox.box\\AAAA0001", "Acc2\\User001.box\\BBBB0002"}));
  EXPECT_EQ(index.displayPaths(), (std::vector<std::string>{"Home\\ごみ箱", "Work\\ごみ箱"}));
  ASSERT_NE(index.find("acc2\\user001.box\\bbbb0002"), nullptr);
  EXPECT_EQ(*index.find("acc2\\user001.box\\bbbb0002"), "Work\\ごみ箱");
  EXPECT_EQ(index.find("Acc1\\Inbox.box\\AAAA000"), nullptr);
}

TEST_F(LayoutTest, TimeZoneBias) {
  EXPECT_EQ(storeTimeZoneBias(*fs, disk.root(), 99), -540);
  EXPECT_EQ(timeZoneBiasOf("-0330"), 210);
  EXPECT_EQ(timeZoneBiasOf("-0500"), 300);
  EXPECT_EQ(timeZoneBiasOf("+0000"), 0);
  EXPECT_EQ(timeZoneBiasOf("+09x0"), std::nullopt);
  EXPECT_EQ(timeZoneBiasOf("0900"), std::nullopt);
  disk.write("Mailbox.ini", "TIMEZONE=\"-0800\"\r\n");
  EXPECT_EQ(storeTimeZoneBias(*fs, disk.root(), 99), 480);
  disk.write("Mailbox.ini", "TIMEZONE=+0９00\r\n");
  EXPECT_EQ(storeTimeZoneBias(*fs, disk.root(), 99), 99);
  disk.write("Mailbox.ini", "ExternalViewer=x\r\n");
  EXPECT_EQ(storeTimeZoneBias(*fs, disk.root(), -60), -60);
  EXPECT_EQ(storeTimeZoneBias(*fs, disk.root() + "missing\\", 17), 17);
}

TEST(SingleAccountStore, RootIsTheAccount) {
  TempStore disk;
  auto fs = backend::makeFileSystem();
  disk.write("Account.ini", "TITLE=Solo\r\nORDER=I002\r\n");
  disk.write("User002.box\\Entry.ini", "TITLE=Notes\r\n");
  disk.write("Trash.box", "Inbox.box\\CCCC0003=AAAAAA\r\n");
  const MailStore store(*fs, disk.root());
  ASSERT_TRUE(store.singleAccount());
  const auto all = accounts(store);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].path, "");
  EXPECT_EQ(paths(childFolders(store, "", ctAccount)),
            (std::vector<std::string>{"Inbox.box\\", "User002.box\\", "Outbox.box\\", "Trash.box"}));
  EXPECT_EQ(displayPath(store, "Inbox.box\\"), "Solo\\郵便受け");
  EXPECT_EQ(displayPath(store, "User002.box\\"), "Solo\\Notes");
  const TrashIndex index = trashIndex(store);
  ASSERT_NE(index.find("Inbox.box\\CCCC0003"), nullptr);
  EXPECT_EQ(*index.find("Inbox.box\\CCCC0003"), "Solo\\ごみ箱");
}

TEST(MailStorePaths, TrailingBackslashIsDoubleByteAware) {
  EXPECT_EQ(withTrailingBackslash("C:\\Mail"), "C:\\Mail\\");
  EXPECT_EQ(withTrailingBackslash("C:\\Mail\\"), "C:\\Mail\\");
  // "表" ends in byte 0x5C: it is no separator.
  EXPECT_EQ(withTrailingBackslash("C:\\表"), "C:\\表\\");
  EXPECT_EQ(withoutTrailingBackslash("Acc1\\表"), "Acc1\\表");
  EXPECT_EQ(withoutTrailingBackslash("Acc1\\Inbox.box\\"), "Acc1\\Inbox.box");
  EXPECT_EQ(firstComponent("表\\x\\y"), "表\\");
}

}  // namespace
}  // namespace gleanix::store
