// The texts of the pickup list: path columns, count bar, date formats.
#include <gtest/gtest.h>

#include "pickup/count_text.h"
#include "pickup/date_format.h"
#include "pickup/display_path_parts.h"

namespace gleanix::pickup {
namespace {

TEST(DisplayPathParts, SplitsAfterTheLastBackslashOrColon) {
  const auto a = splitDisplayPath("Home\\Lists\\Work");
  EXPECT_EQ(a.directory, "Home\\Lists\\");
  EXPECT_EQ(a.rest, "Work");
  const auto b = splitDisplayPath("Home\\Lists: Work");
  EXPECT_EQ(b.directory, "Home\\Lists:");
  EXPECT_EQ(b.rest, " Work");
  const auto c = splitDisplayPath("Alone");
  EXPECT_EQ(c.directory, "");
  EXPECT_EQ(c.rest, "Alone");
  const auto d = splitDisplayPath("");
  EXPECT_EQ(d.directory, "");
  EXPECT_EQ(d.rest, "");
}

TEST(DisplayPathParts, NeverSplitsADoubleByteCharacter) {
  // "表" and "ソ" end in 0x5C; "ー" (0x81 0x5B) does not matter, "：" is full width.
  const auto a = splitDisplayPath("自宅\\予定表");
  EXPECT_EQ(a.directory, "自宅\\");
  EXPECT_EQ(a.rest, "予定表");
  const auto b = splitDisplayPath("ソフト：表示");
  EXPECT_EQ(b.directory, "");
  EXPECT_EQ(b.rest, "ソフト：表示");
}

TEST(CountText, RowsAndTheFirstSelectedRow) {
  EXPECT_EQ(countText(3, std::nullopt), " 3件");
  EXPECT_EQ(countText(3, 0), " 3件中の 1番目");
  EXPECT_EQ(countText(12, 2), " 12件中の 3番目");
  EXPECT_EQ(countText(0, std::nullopt), " 0件");
}

TEST(DateFormat, TheFirstProbeThatFitsTheColumnLessTwelvePixels) {
  // 7 pixels per character: the probes measure 112, 98, 77 and 56.
  auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
  EXPECT_EQ(chooseDateFormat(124, width), DateFormat::YearMinute);
  EXPECT_EQ(chooseDateFormat(123, width), DateFormat::ShortYearMinute);
  EXPECT_EQ(chooseDateFormat(110, width), DateFormat::ShortYearMinute);
  EXPECT_EQ(chooseDateFormat(89, width), DateFormat::MonthMinute);
  EXPECT_EQ(chooseDateFormat(88, width), DateFormat::ShortYearDay);
  EXPECT_EQ(chooseDateFormat(68, width), DateFormat::ShortYearDay);
  EXPECT_EQ(chooseDateFormat(67, width), DateFormat::MonthDay);
  EXPECT_EQ(chooseDateFormat(0, width), DateFormat::MonthDay);
}

TEST(DateFormat, WritesTheSortableDateInEachFormat) {
  const std::string d = "2000/01/09 07:05:41";
  EXPECT_EQ(formatDate(d, DateFormat::YearMinute), "2000/01/09 07:05");
  EXPECT_EQ(formatDate(d, DateFormat::ShortYearMinute), "00/01/09 07:05");
  EXPECT_EQ(formatDate(d, DateFormat::MonthMinute), "01/09 07:05");
  EXPECT_EQ(formatDate(d, DateFormat::ShortYearDay), "00/01/09");
  EXPECT_EQ(formatDate(d, DateFormat::MonthDay), "01/09");
  EXPECT_STREQ(dateFormatPattern(DateFormat::MonthMinute), "mm/dd hh:nn");
}

TEST(DateFormat, NoDateOrNoRealDateGivesAnEmptyCell) {
  EXPECT_EQ(formatDate("", DateFormat::YearMinute), "");
  EXPECT_EQ(formatDate("1999/02/29 10:00:00", DateFormat::YearMinute), "");
  EXPECT_EQ(formatDate("2000/02/29 10:00:00", DateFormat::MonthDay), "02/29");
  EXPECT_EQ(formatDate("1999/12/07 24:00:00", DateFormat::YearMinute), "");
  EXPECT_EQ(formatDate("1999/12/07", DateFormat::YearMinute), "");
}

}  // namespace
}  // namespace gleanix::pickup
