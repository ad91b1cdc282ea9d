// Entry and trash list lines, attribute words, attribute lookup and the
// folder walk the searches build on.
#include <gtest/gtest.h>

#include "backend/platform.h"
#include "store/attribute.h"
#include "store/attribute_lookup.h"
#include "store/list_file.h"
#include "support/temp_store.h"

namespace gleanix::store {
namespace {

using testing::TempStore;

TEST(Attribute, DecodesTheHostsWords) {
  EXPECT_EQ(decodeAttribute("AAAAQA"), kUnreadBit);
  EXPECT_EQ(decodeAttribute("BwAAAA"), 7u);
  EXPECT_EQ(decodeAttribute("AwAAQA"), kUnreadBit | 3u);
  const std::uint32_t w = *decodeAttribute("AwAAQA");
  EXPECT_EQ(markNumber(w), 3);
  EXPECT_TRUE(isUnread(w));
  EXPECT_TRUE(hasReadState(w));
  EXPECT_FALSE(hasReadState(*decodeAttribute("AAAAwA")));
  // Only the first six characters count.
  EXPECT_EQ(decodeAttribute("BwAAAAxyz"), 7u);
}

TEST(Attribute, BytesOutsideTheAlphabetCountAsMinusOne) {
  // Every digit -1: b0 = -4, b1 = -16, b2 = -65, b3 = -4, each kept to 8 bits.
  EXPECT_EQ(decodeAttribute("======"), 0xFCBFF0FCu);
  EXPECT_EQ(decodeAttribute("\x81\x40\x81\x40\xff\x01"), decodeAttribute("......"));
  EXPECT_EQ(decodeAttribute("AAAA*A"), 0xFC000000u);
}

TEST(Attribute, ShortFieldHasNoWord) {
  EXPECT_EQ(decodeAttribute(""), std::nullopt);
  EXPECT_EQ(decodeAttribute("AAAAQ"), std::nullopt);
}

TEST(Attribute, EncodeIsTheInverse) {
  EXPECT_EQ(encodeAttribute(kUnreadBit), "AAAAQA");
  EXPECT_EQ(encodeAttribute(7), "BwAAAA");
  for (std::uint32_t w : {0u, 1u, 0x80000000u, 0xFFFFFFFFu, 0x12345678u, 0xC0010107u}) {
    EXPECT_EQ(decodeAttribute(encodeAttribute(w)), w) << w;
  }
}

TEST(EntryLine, ValidLinesHaveTwentyFiveCharactersAndEqualsInColumnNine) {
  const auto e = parseEntryLine("ABCD1234=AAAAQA0000001234a@b:subject");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->key, "ABCD1234");
  EXPECT_EQ(e->attribute, "AAAAQA");
  EXPECT_EQ(e->hostData, "0000001234");
  EXPECT_EQ(e->hostText, "a@b:subject");
  EXPECT_TRUE(parseEntryLine("ABCD1234=AAAAQA0000001234"));
  EXPECT_FALSE(parseEntryLine("ABCD1234=AAAAQA000000123"));
  EXPECT_FALSE(parseEntryLine("ABCD12345=AAAAQA0000001234x"));
  EXPECT_FALSE(parseEntryLine("ABC=D1234AAAAQA0000001234x"));
  EXPECT_FALSE(parseEntryLine(""));
}

TEST(ListLine, SplitsAtTheFirstEquals) {
  const auto l = splitListLine("Acc1\\Inbox.box\\ABCD1234=BwAAAA00=x");
  ASSERT_TRUE(l);
  EXPECT_EQ(l->id, "Acc1\\Inbox.box\\ABCD1234");
  EXPECT_EQ(l->attribute, "BwAAAA");
  EXPECT_EQ(splitListLine("KEY=AB")->attribute, "AB");
  EXPECT_FALSE(splitListLine("no separator"));
  // "=" is never the second byte of a double-byte character.
  EXPECT_EQ(splitListLine("表=AAAAAA")->id, "表");
  // A lead byte takes the byte after it, even an "=" (no character of the
  // code page, but the bytes decide).
  EXPECT_EQ(splitListLine("ab\x81=AAAAAA=BBBBBB")->attribute, "BBBBBB");
  EXPECT_FALSE(splitListLine("ab\x81="));
  EXPECT_EQ(splitListLine("=")->id, "");
}

TEST(ListLine, BackwardWalkGivesTheLinesThatNameAMailLastFirst) {
  // Every kind of line end, empty lines, lines without "=" or with an
  // identifier that leads elsewhere, and a last line without a line end.
  const std::string bytes =
      "K0000001=AAAAAA\r\n"
      "\r\n"
      "no equals sign\n"
      "K0000002=BwAAAA\r"
      "..\\outside=AAAAAA\n\r"
      "=AAAAAA\r\n"
      "Acc1\\Inbox.box\\表=AA\n"
      "folder\\=AAAAAA\r\n"
      "long-key.with dots=AAAAAA\r\n"
      "K0000003=";
  std::vector<std::pair<std::string, std::string>> walked;
  forEachListedLineBackward(bytes, [&](const ListLine& l) { walked.emplace_back(l.id, l.attribute); });
  EXPECT_EQ(walked, (std::vector<std::pair<std::string, std::string>>{{"K0000003", ""},
                                                                      {"long-key.with dots", "AAAAAA"},
                                                                      {"Acc1\\Inbox.box\\表", "AA"},
                                                                      {"K0000002", "BwAAAA"},
                                                                      {"K0000001", "AAAAAA"}}));
  walked.clear();
  forEachListedLineBackward("", [&](const ListLine& l) { walked.emplace_back(l.id, l.attribute); });
  forEachListedLineBackward("\r\n\n", [&](const ListLine& l) { walked.emplace_back(l.id, l.attribute); });
  EXPECT_TRUE(walked.empty());
  // Keys of letters and digits, and ids that are no name at all.
  EXPECT_TRUE(isListedMailId("ABCD0001"));
  EXPECT_TRUE(isListedMailId("abcdefghijk0123"));
  EXPECT_TRUE(isListedMailId("Acc1\\Inbox.box\\表"));  // its 0x5C is no trailing separator
  EXPECT_FALSE(isListedMailId("Acc1\\Inbox.box\\"));
  EXPECT_FALSE(isListedMailId(""));
  EXPECT_FALSE(isListedMailId("C:x"));
  EXPECT_FALSE(isListedMailId(std::string("AB\0CD", 5)));
}

TEST(TrashPath, RecognisesAccountTrash) {
  EXPECT_TRUE(isTrashPath("Acc1\\Trash.box"));
  EXPECT_TRUE(isTrashPath("acc1\\TRASH.BOX"));
  EXPECT_TRUE(isTrashPath("Trash.box"));
  EXPECT_FALSE(isTrashPath("Acc1\\Trash.box\\"));
  EXPECT_FALSE(isTrashPath("Acc1\\MyTrash.box"));
  EXPECT_FALSE(isTrashPath("Acc1\\Inbox.box\\"));
  // "表" ends in byte 0x5C: "表TRASH.BOX" is a name, not a trash after a separator.
  EXPECT_FALSE(isTrashPath("Acc1\\表TRASH.BOX"));
}

class StoreFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.write("Mailbox.ini", "TIMEZONE=+0900\r\n");
    disk.write("Acc1\\Account.ini", "TITLE=Home\r\n");
    disk.write("Acc1\\Inbox.box\\ENTRY.LST",
               "abcd0001=BwAAAA0000000100a@b:lower-case key\r\n"
               "ABCD0002=AwAAQA0000000100a@b:second\r\n"
               "short\r\n"
               "ABCD0003=AAAA\r\n"
               "ABCD0001=AAAAAA0000000100a@b:a later duplicate\r\n");
    disk.write("Acc1\\Inbox.box\\ABCD0001.ALM", "x");
    disk.write("Acc1\\Inbox.box\\abcd0002.alm", "x");
    disk.write("Acc1\\Trash.box",
               "Acc1\\Inbox.box\\ABCD0009=AAAAQA0000000100a@b:trashed\r\n"
               "Acc1\\User001.box\\ABCD0009=BwAAAA0000000100a@b:other folder\r\n");
    disk.write("Acc1\\Inbox.box\\ABCD0009.ALM", "x");
  }
  TempStore disk;
  std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
};

TEST_F(StoreFiles, AttributeLookupGoesFromEntryListToTrash) {
  const MailStore store(*fs, disk.root());
  const std::string inbox = disk.root() + "Acc1\\Inbox.box\\";
  // The first line whose key matches, letter case ignored.
  EXPECT_EQ(attributeWord(store, inbox, "ABCD0001"), 7u);
  EXPECT_EQ(attributeWord(store, inbox, "abcd0002"), kUnreadBit | 3u);
  // Found, but the field is cut short: no marks, read.
  EXPECT_EQ(attributeWord(store, inbox, "ABCD0003"), 0u);
  // Only in the trash list, under the path of the folder it was in.
  EXPECT_EQ(attributeWord(store, inbox, "abcd0009"), kUnreadBit);
  EXPECT_EQ(attributeWord(store, disk.root() + "Acc1\\User001.box\\", "ABCD0009"), 7u);
  EXPECT_EQ(attributeWord(store, inbox, "ABCD0404"), 0u);
  // A folder outside the store, or without a list at all.
  EXPECT_EQ(attributeWord(store, disk.root() + "Acc1\\User404.box\\", "ABCD0001"), 0u);
  EXPECT_EQ(attributeWord(store, "\\elsewhere\\", "ABCD0001"), 0u);
}

TEST_F(StoreFiles, ListedMailsOfAFolderAndOfATrash) {
  const MailStore store(*fs, disk.root());
  const auto inbox = listedMails(store, "Acc1\\Inbox.box\\");
  ASSERT_EQ(inbox.size(), 4u);  // "short" has no "="
  EXPECT_EQ(inbox[0].hit, "Acc1\\Inbox.box\\abcd0001");
  EXPECT_EQ(inbox[0].attribute, 7u);
  EXPECT_EQ(inbox[2].hit, "Acc1\\Inbox.box\\ABCD0003");
  EXPECT_EQ(inbox[2].attribute, std::nullopt);

  const auto trash = listedMails(store, "Acc1\\Trash.box");
  ASSERT_EQ(trash.size(), 2u);
  EXPECT_EQ(trash[0].hit, "Acc1\\Inbox.box\\ABCD0009");
  EXPECT_EQ(listFilePath(store, "Acc1\\Trash.box"), disk.root() + "Acc1\\Trash.box");
  EXPECT_TRUE(listedMails(store, "Acc1\\User404.box\\").empty());

  MailFileIndex files(store);
  EXPECT_TRUE(files.exists(inbox[0].hit));
  EXPECT_TRUE(files.exists(inbox[1].hit));  // stored as abcd0002.alm
  EXPECT_FALSE(files.exists(inbox[2].hit));
  EXPECT_TRUE(files.exists(trash[0].hit));
  EXPECT_FALSE(files.exists(trash[1].hit));
  EXPECT_FALSE(files.exists("x"));
  EXPECT_EQ(hitFolder("Acc1\\Inbox.box\\ABCD0009"), "Acc1\\Inbox.box\\");
  EXPECT_EQ(hitKey("Acc1\\Inbox.box\\ABCD0009"), "ABCD0009");
}

TEST_F(StoreFiles, IndexNamesTheFolderUpToTheLastSeparator) {
  // Keys of other lengths than 8, a key in a sub-folder and double-byte
  // keys whose second byte is a lower-case letter ("Ｂ" is 0x82 0x61).
  disk.write("Acc1\\Inbox.box\\LONGKEY0001.ALM", "x");
  disk.write("Acc1\\Inbox.box\\K1.ALM", "x");
  disk.write("Acc1\\Inbox.box\\Sub\\ABCD0007.ALM", "x");
  disk.write("Acc1\\Inbox.box\\Dir.ALM\\x", "x");
  // Through the file system, so that the name lands as these bytes.
  ASSERT_TRUE(fs->writeFileAtomic(disk.root() + "Acc1\\Inbox.box\\\x82\x61" "0001.ALM", "x"));
  const MailStore store(*fs, disk.root());
  MailFileIndex files(store);
  for (const char* present : {"Acc1\\Inbox.box\\LONGKEY0001", "Acc1\\Inbox.box\\longkey0001",
                              "Acc1\\Inbox.box\\K1", "acc1\\inbox.box\\k1", "Acc1\\Inbox.box\\Sub\\abcd0007",
                              "Acc1\\Inbox.box\\\x82\x61" "0001", "Acc1\\Inbox.box\\ABCD0001"}) {
    EXPECT_TRUE(files.exists(present)) << present;
    EXPECT_EQ(files.exists(present), fs->isFile(disk.root() + present + ".ALM")) << present;
  }
  for (const char* absent : {"Acc1\\Inbox.box\\LONGKEY000", "Acc1\\Inbox.box\\ONGKEY0001",
                             "Acc1\\Inbox.box\\\x82\x41" "0001", "Acc1\\Inbox.box\\Dir",
                             "Acc1\\Inbox.box\\Sub", "Acc1\\Inbox.box\\"}) {
    EXPECT_FALSE(files.exists(absent)) << absent;
  }
  EXPECT_TRUE(files.exists("Acc1\\Inbox.box\\", "LONGKEY0001"));
  EXPECT_TRUE(files.exists("Acc1\\Inbox.box\\", "Sub\\ABCD0007"));
  EXPECT_TRUE(files.exists("Acc1\\Inbox.box\\", "Sub/ABCD0007"));
  EXPECT_FALSE(files.exists("Acc1\\Inbox.box\\", "Sub/ABCD0008"));
}

}  // namespace
}  // namespace gleanix::store
