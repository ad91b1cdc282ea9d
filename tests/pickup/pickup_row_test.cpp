// Building the rows of the pickup list from picked mails.
#include "pickup/pickup_row.h"

#include <gtest/gtest.h>

#include "make_store/store_generator.h"
#include "store/attribute_lookup.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "support/memory_store.h"

namespace gleanix::pickup {
namespace {

using testing::composeMail;
using testing::MemoryStore;

constexpr std::int32_t kJapan = -540;

class PickupRowTest : public ::testing::Test {
 protected:
  void SetUp() override { s.account("Acc1", "Home"); }
  std::optional<PickupRow> build(const std::string& folder, const std::string& display, const std::string& key,
                                 std::vector<std::string>* warnings = nullptr) {
    const store::MailStore store(s.fs, s.root());
    RowBuilder builder(store, kJapan, [warnings](const std::string& w) {
      if (warnings) warnings->push_back(w);
    });
    return builder.build(folder, display, key);
  }
  MemoryStore s;
};

TEST_F(PickupRowTest, ColumnsFromTheMailAndItsEntry) {
  s.mail("Acc1\\Inbox.box\\", "00000001", store::kUnreadBit | (1u << 8) | 5,
         composeMail({{"Date", "Mon, 6 Dec 1999 20:00:00 -0500"},
                      {"From", "\"Yamada Taro\" <taro@example.jp>"},
                      {"Subject", "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?= Re: x"}}));
  const auto row = build("Acc1\\Inbox.box\\", "Home\\郵便受け", "00000001");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->mark, 5);
  EXPECT_EQ(row->folder, "Acc1\\Inbox.box\\");
  EXPECT_EQ(row->pathText, "Home\\");
  EXPECT_EQ(row->folderText, "郵便受け");
  EXPECT_EQ(row->key, "00000001");
  EXPECT_EQ(row->hit(), "Acc1\\Inbox.box\\00000001");
  EXPECT_EQ(row->sortableDate, "1999/12/07 10:00:00");
  EXPECT_EQ(row->sender, "Yamada Taro");
  EXPECT_EQ(row->subject, "=?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?= Re: x");
}

TEST_F(PickupRowTest, AMissingMailFileGivesNoRow) {
  s.mail("Acc1\\Inbox.box\\", "00000001", 1, nullptr);
  EXPECT_FALSE(build("Acc1\\Inbox.box\\", "Home\\郵便受け", "00000001"));
}

TEST_F(PickupRowTest, ADateThatCannotBeConvertedLeavesThatRowWithoutADate) {
  s.mail("Acc1\\Inbox.box\\", "00000001", composeMail({{"Date", "Tue 7 Dec 1999 10:00:00 +0900"}, {"From", "a@b"}}));
  s.mail("Acc1\\Inbox.box\\", "00000002", composeMail({{"From", "<only@addr.jp>"}}));
  const auto bad = build("Acc1\\Inbox.box\\", "Home\\郵便受け", "00000001");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->sortableDate, "");
  EXPECT_EQ(bad->sender, "a");
  const auto none = build("Acc1\\Inbox.box\\", "Home\\郵便受け", "00000002");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->sortableDate, "");
  EXPECT_EQ(none->sender, "only");
  EXPECT_EQ(none->subject, "");
}

TEST_F(PickupRowTest, ATrashedMailTakesItsMarkFromTheTrashList) {
  s.trashMail("Acc1", "Acc1\\User001.box\\", "0000000T", 6, composeMail({{"Subject", "gone"}}));
  const auto row = build("Acc1\\User001.box\\", "Home\\ごみ箱", "0000000T");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->mark, 6);
  EXPECT_EQ(row->pathText, "Home\\");
  EXPECT_EQ(row->folderText, "ごみ箱");
}

TEST_F(PickupRowTest, MalformedMultipartMailsAreReportedAndStillListed) {
  s.mail("Acc1\\Inbox.box\\", "00000001",
         composeMail({{"Subject", "parts"}, {"Content-Type", "multipart/mixed"}}, {"x"}));
  std::vector<std::string> warnings;
  const auto row = build("Acc1\\Inbox.box\\", "Home\\郵便受け", "00000001", &warnings);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->subject, "parts");
  EXPECT_EQ(warnings, std::vector<std::string>{"No boundary in Content-Type: multipart/mixed"});
}

// The builder keeps the lists it reads; its attribute words must be those
// the store's own look-up gives, for every mail of the sample store, its
// lower-case entry key and its trashed mails included.
TEST(RowBuilderAttributes, MatchTheStoreLookupOnTheSampleStore) {
  MemoryStore s;
  tools::generateStore({}, [&](const std::string& path, std::string_view bytes) {
    s.fs.addFile(s.abs(path), std::string(bytes));
  });
  const store::MailStore store(s.fs, s.root());
  RowBuilder builder(store, kJapan);
  std::size_t checked = 0, marked = 0;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    for (const store::ListedMail& m : store::listedMails(store, t.folder.path)) {
      const std::string folder(store::hitFolder(m.hit));
      const std::string key(store::hitKey(m.hit));
      for (const std::string& k : {key, key + "X", std::string("ZZZZZZZZ")}) {
        const std::uint32_t expected = store::attributeWord(store, store.absolute(folder), k);
        EXPECT_EQ(builder.attribute(folder, k), expected) << m.hit << " as " << k;
      }
      ++checked;
      if ((builder.attribute(folder, key) & 7u) != 0) ++marked;
    }
  }
  EXPECT_GT(checked, 50u);
  EXPECT_GT(marked, 10u);
}

}  // namespace
}  // namespace gleanix::pickup
