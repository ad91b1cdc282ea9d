// Sorting the pickup list: the keys of each column and a stable byte-wise
// order in both directions.
#include "pickup/row_sort.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace gleanix::pickup {
namespace {

PickupRow row(std::string key, std::string date, std::string sender, std::string subject,
              std::string path = "Home\\", std::string folder = "Inbox") {
  PickupRow r;
  r.key = std::move(key);
  r.sortableDate = std::move(date);
  r.sender = std::move(sender);
  r.subject = std::move(subject);
  r.pathText = std::move(path);
  r.folderText = std::move(folder);
  return r;
}

std::vector<std::string> keysOf(const std::vector<PickupRow>& rows) {
  std::vector<std::string> out;
  for (const PickupRow& r : rows) out.push_back(r.key);
  return out;
}

using Keys = std::vector<std::string>;

TEST(SortKey, EachColumnsKey) {
  const PickupRow r = row("K", "1999/12/07 10:00:00", "Taro ｶﾅ", "Re: [ml:12] Hello", "Home\\", "Lists");
  EXPECT_EQ(sortKey(r, SortColumn::Path, true), "Home\\ Lists");
  EXPECT_EQ(sortKey(r, SortColumn::Folder, true), "Lists Home\\");
  EXPECT_EQ(sortKey(r, SortColumn::Date, true), "1999/12/07 10:00:00");
  EXPECT_EQ(sortKey(r, SortColumn::Sender, true), "TARO ｶﾅ 1999/12/07 10:00:00");
  EXPECT_EQ(sortKey(r, SortColumn::Subject, true), "HELLO RE: [ML:12] HELLO 1999/12/07 10:00:00");
  EXPECT_EQ(sortKey(r, SortColumn::Subject, false), "RE: [ML:12] HELLO 1999/12/07 10:00:00");
}

TEST(SortKey, UpperCasingLeavesDoubleByteCharactersAlone) {
  // "ヂ" is 0x83 0x61: its trail byte must not become 0x41 ("チ" is 0x83 0x60).
  const PickupRow r = row("K", "", "ヂa", "");
  EXPECT_EQ(sortKey(r, SortColumn::Sender, true), "ヂA ");
}

TEST(SortRows, IgnoreReBringsRepliesNextToTheirThread) {
  std::vector<PickupRow> rows = {row("1", "", "", "Re: [ml:12] Hello"), row("2", "", "", "Middle"),
                                 row("3", "", "", "[ml:13] hello"), row("4", "", "", "[ml:12] Zebra")};
  // Both keys start with "HELLO "; then "RE: [ML:12]" sorts before "[ML:13]".
  sortRows(rows, SortColumn::Subject, false, true);
  EXPECT_EQ(keysOf(rows), (Keys{"1", "3", "2", "4"}));
  // As they are, "MIDDLE" < "RE: ..." < "[ML:12] ZEBRA" < "[ML:13] HELLO".
  sortRows(rows, SortColumn::Subject, false, false);
  EXPECT_EQ(keysOf(rows), (Keys{"2", "1", "4", "3"}));
}

TEST(SortRows, DatesAscendingThenDescendingWithUndatedFirst) {
  std::vector<PickupRow> rows = {row("b", "2000/01/02 00:00:00", "", ""), row("none", "", "", ""),
                                 row("a", "1999/12/31 23:59:59", "", "")};
  sortRows(rows, SortColumn::Date, false, true);
  EXPECT_EQ(keysOf(rows), (Keys{"none", "a", "b"}));
  sortRows(rows, SortColumn::Date, true, true);
  EXPECT_EQ(keysOf(rows), (Keys{"b", "a", "none"}));
}

TEST(SortRows, EqualKeysKeepTheirOrderInBothDirections) {
  const std::string d = "1999/12/07 10:00:00";
  std::vector<PickupRow> rows = {row("1", d, "same", "x"), row("2", d, "other", "x"), row("3", d, "Same", "y"),
                                 row("4", d, "SAME", "z")};
  sortRows(rows, SortColumn::Sender, false, true);
  EXPECT_EQ(keysOf(rows), (Keys{"2", "1", "3", "4"}));
  sortRows(rows, SortColumn::Sender, true, true);
  EXPECT_EQ(keysOf(rows), (Keys{"1", "3", "4", "2"}));
  // Every row moves with all its fields.
  EXPECT_EQ(rows[3].sender, "other");
  EXPECT_EQ(rows[0].subject, "x");
}

TEST(SortRows, BytesNotLocale) {
  std::vector<PickupRow> rows = {row("a", "", "", "", "a"), row("B", "", "", "", "B"), row("kana", "", "", "", "ｱ"),
                                 row("kanji", "", "", "", "亜")};
  sortRows(rows, SortColumn::Path, false, true);
  // "B" (0x42) < "a" (0x61) < "亜" (0x88 0x9F) < "ｱ" (0xB1).
  EXPECT_EQ(keysOf(rows), (Keys{"B", "a", "kanji", "kana"}));
}

TEST(SortRows, ManyRowsStayStable) {
  std::vector<PickupRow> rows;
  for (int i = 0; i < 5000; ++i) rows.push_back(row(std::to_string(i), "", std::to_string(i % 7), ""));
  sortRows(rows, SortColumn::Sender, true, true);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const int a = std::stoi(rows[i - 1].key), b = std::stoi(rows[i].key);
    ASSERT_GE(a % 7, b % 7);
    if (a % 7 == b % 7) {
      ASSERT_LT(a, b);
    }
  }
}

// Rows come folder by folder: runs of one folder, a folder met again
// later, runs of one row. Every column in both directions must give what a
// stable sort of the rows by their keys gives.
TEST(SortRows, RunsOfEqualKeysSortAsTheRowsWouldOneByOne) {
  const char* folders[] = {"Inbox", "Work", "Inbox", "Lists", "Work", "Archive"};
  std::vector<PickupRow> rows;
  int n = 0;
  for (const char* folder : folders) {
    const int length = folder[0] == 'L' ? 1 : 40;
    for (int i = 0; i < length; ++i, ++n) {
      rows.push_back(row(std::to_string(n), "2026/01/0" + std::to_string(n % 9 + 1), n % 3 ? "b" : "a",
                         n % 4 ? "Re: x" : "x", n % 5 ? "Home\\" : "Work\\", folder));
    }
  }
  for (const SortColumn column : {SortColumn::Path, SortColumn::Folder, SortColumn::Date, SortColumn::Sender,
                                  SortColumn::Subject}) {
    for (const bool descending : {false, true}) {
      std::vector<PickupRow> expected = rows;
      std::stable_sort(expected.begin(), expected.end(), [&](const PickupRow& a, const PickupRow& b) {
        const std::string ka = sortKey(a, column, true), kb = sortKey(b, column, true);
        return descending ? kb < ka : ka < kb;
      });
      std::vector<PickupRow> sorted = rows;
      sortRows(sorted, column, descending, true);
      EXPECT_EQ(keysOf(sorted), keysOf(expected)) << static_cast<int>(column) << " " << descending;
    }
  }
}

TEST(SortState, TheSameColumnFlipsAnotherStartsAscending) {
  SortState s;
  EXPECT_EQ(s.column, -1);
  s.choose(2);
  EXPECT_EQ(s.column, 2);
  EXPECT_FALSE(s.descending);
  s.choose(2);
  EXPECT_TRUE(s.descending);
  s.choose(3);
  EXPECT_EQ(s.column, 3);
  EXPECT_FALSE(s.descending);
}

}  // namespace
}  // namespace gleanix::pickup
