#include "mailtext/mail_date.h"

#include <gtest/gtest.h>

#include <string>

namespace gleanix::mailtext {
namespace {

constexpr std::int32_t kTokyo = -540;

TEST(MailDate, ZonesConvertToLocalTime) {
  EXPECT_EQ(mailDate("Tue, 7 Dec 1999 10:00:00 +0900", kTokyo), "1999/12/07 10:00:00");
  EXPECT_EQ(mailDate("Mon, 6 Dec 1999 20:00:00 -0500", kTokyo), "1999/12/07 10:00:00");
  EXPECT_EQ(mailDate("7 Dec 99 01:00:00 GMT", kTokyo), "1999/12/07 10:00:00");
  EXPECT_EQ(mailDate("Tue, 7 Dec 1999 10:00:00 +0900 (JST)", 0), "1999/12/07 01:00:00");
  EXPECT_EQ(mailDate("Tue, 7 Dec 1999 10:00:00 +0530", 300), "1999/12/06 23:30:00");
}

TEST(MailDate, TwoDigitYearsAreInThe1900s) {
  EXPECT_EQ(mailDate("1 Jan 00 00:00:00 +0900", kTokyo), "1900/01/01 00:00:00");
  EXPECT_EQ(mailDate("Fri, 31 Dec 04 12:34:56 +0900", kTokyo), "1904/12/31 12:34:56");
}

TEST(MailDate, MonthNamesInAnyCaseAndUnknownMeansDecember) {
  EXPECT_EQ(mailDate("Sat, 5 feb 2000 08:09:10 +0900", kTokyo), "2000/02/05 08:09:10");
  EXPECT_EQ(mailDate("Sat, 5 NoV 2000 08:09:10 +0900", kTokyo), "2000/11/05 08:09:10");
  EXPECT_EQ(mailDate("Sat, 5 Xyz 2000 08:09:10 +0900", kTokyo), "2000/12/05 08:09:10");
}

TEST(MailDate, OffsetsCrossDayMonthAndYearBoundaries) {
  EXPECT_EQ(mailDate("Fri, 31 Dec 1999 23:30:00 +0000", kTokyo), "2000/01/01 08:30:00");
  EXPECT_EQ(mailDate("Tue, 29 Feb 2000 20:00:00 +0000", kTokyo), "2000/03/01 05:00:00");
  EXPECT_EQ(mailDate("Wed, 1 Mar 2000 01:00:00 +0900", 0), "2000/02/29 16:00:00");
  EXPECT_EQ(mailDate("Sat, 1 Jan 2000 00:00:00 +0000", 60), "1999/12/31 23:00:00");
}

TEST(MailDate, FirstMinusAnywhereIsTheZoneSign) {
  // The "-" in the comment wins over the "+0900" before it.
  EXPECT_EQ(mailDate("Tue, 7 Dec 1999 10:00:00 +0900 (x-0100)", kTokyo), "1999/12/07 20:00:00");
}

TEST(MailDate, OneDigitHourIsAccepted) {
  EXPECT_EQ(mailDate("Tue, 7 Dec 1999 7:05:00 +0900", kTokyo), "1999/12/07 07:05:00");
}

TEST(MailDate, UnreadableDatesRaiseConversionError) {
  for (const char* value : {
           "Tue 7 Dec 1999 10:00:00 +0900",   // no comma: the day is "TUE"
           "Tue, 7 Dec 1999",                 // no colon
           "Tue, 7 Dec 1999 10:00 +0900",     // no seconds
           "Tue, 32 Dec 1999 10:00:00 +0900", // no such day
           "Tue, 29 Feb 1900 10:00:00 +0900", // not a leap year
           "Tue, 7 Dec 1999 24:00:00 +0900",
           "Tue, 7 Dec 1999 10:60:00 +0900",
           "Tue, 7 Dec 1999 10:00:60 +0900",
           "Tue, 7 Dec 0000 10:00:00 +0000",
           "Tue, 7 Dec 1999 10:00:00 -09",    // cut zone
           "Tue, 7 Dec 1999 10:00:00 +09x0",
           "Tue, 7-Dec-1999 10:00:00 +0900",  // the "-" is no zone and the day is no number
           "10:00:00",
           ":",
           "",
           "\x81:\x81:\x81",
       }) {
    SCOPED_TRACE(value);
    EXPECT_THROW(mailDate(value, kTokyo), DateConversionError);
    EXPECT_EQ(localMailDate(value, kTokyo), std::nullopt);
  }
}

TEST(MailDate, TheFormWithoutExceptionGivesTheSameDates) {
  for (const char* value : {"Tue, 7 Dec 1999 10:00:00 +0900", "7 Dec 99 01:00:00 GMT", "Sat, 5 feb 2000 08:09:10",
                            "Tue, 7 Dec 1999 7:05:00 +0900", "Fri, 31 Dec 1999 23:30:00 +0000"}) {
    EXPECT_EQ(localMailDate(value, kTokyo), mailDate(value, kTokyo)) << value;
  }
  EXPECT_EQ(localMailDate("Mon, 1 Jan 0001 00:30:00 +0100", 0), std::nullopt);
  // Of two month names the one earlier in the year wins, wherever it stands.
  EXPECT_EQ(localMailDate("Mon, 1 Nov Jan 2000 10:00:00 +0900", kTokyo), "2000/01/01 10:00:00");
  EXPECT_EQ(localMailDate("Mon, 1 nov/sep 2000 10:00:00 +0900", kTokyo), "2000/09/01 10:00:00");
}

TEST(MailDate, ResultOutsideYearRangeFails) {
  EXPECT_THROW(mailDate("Mon, 1 Jan 0001 00:30:00 +0100", 0), DateConversionError);
  EXPECT_EQ(mailDate("Mon, 1 Jan 0001 00:30:00 +0000", 0), "0001/01/01 00:30:00");
  EXPECT_THROW(mailDate("Fri, 31 Dec 9999 23:30:00 -0100", 0), DateConversionError);
}

TEST(MailDate, HugeValueFailsQuicklyWithShortMessage) {
  const std::string value(1 << 22, '7');
  try {
    mailDate(value, 0);
    FAIL() << "expected a conversion error";
  } catch (const DateConversionError& e) {
    EXPECT_LT(std::string(e.what()).size(), 200u);
  }
}

}  // namespace
}  // namespace gleanix::mailtext
