#include "entry/header_stamp.h"

#include <gtest/gtest.h>

#include "core/host_version.h"

namespace gleanix::entry {
namespace {

const std::string kStamp = "Gleanix Ver.0.03 Rev.10";

TEST(HeaderStamp, AddsTheFieldBeforeTheLastField) {
  const auto out = stampHeader("From: a@b\r\nSubject: hi\r\n\tthere\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "From: a@b\r\nX-Mailer-Plugin: " + kStamp + "\r\nSubject: hi\r\n\tthere\r\n");
}

TEST(HeaderStamp, AddsTheFieldBeforeATrailingEmptyLine) {
  const auto out = stampHeader("From: a@b\r\nTo: c@d\r\n\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "From: a@b\r\nTo: c@d\r\nX-Mailer-Plugin: " + kStamp + "\r\n\r\n");
}

TEST(HeaderStamp, ExtendsAnotherPluginsField) {
  const auto out = stampHeader("From: a\r\nX-Mailer-Plugin: Other 1.0\r\nTo: b\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "From: a\r\nX-Mailer-Plugin: Other 1.0,\r\n\t" + kStamp + "\r\nTo: b\r\n");
}

TEST(HeaderStamp, ExtendsAfterTheLastContinuationLine) {
  const auto out = stampHeader("X-Mailer-Plugin: One 1,\r\n\tTwo 2\r\nTo: b\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "X-Mailer-Plugin: One 1,\r\n\tTwo 2,\r\n\t" + kStamp + "\r\nTo: b\r\n");
}

TEST(HeaderStamp, LowerCaseFieldNameIsRecognisedAndKept) {
  const auto out = stampHeader("x-mailer-plugin : Other 1.0\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "x-mailer-plugin : Other 1.0,\r\n\t" + kStamp + "\r\n");
}

TEST(HeaderStamp, RewritesAnOlderVersionKeepingItsComma) {
  auto out = stampHeader("X-Mailer-Plugin: Gleanix Ver.0.02 Rev.01,\r\n\tOther 1\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "X-Mailer-Plugin: " + kStamp + ",\r\n\tOther 1\r\n");
  out = stampHeader("X-Mailer-Plugin: Gleanix Ver.0.02 Rev.01\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "X-Mailer-Plugin: " + kStamp + "\r\n");
}

TEST(HeaderStamp, RewritesAnOlderVersionOnAContinuationLine) {
  const auto out = stampHeader("X-Mailer-Plugin: Other 1,\r\n Gleanix Ver.0.01,\r\n\tThird 3\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "X-Mailer-Plugin: Other 1,\r\n\t" + kStamp + ",\r\n\tThird 3\r\n");
}

TEST(HeaderStamp, KeepsOtherPluginsSharingGleanixsLine) {
  const auto out = stampHeader("X-Mailer-Plugin: Gleanix Ver.0.01, Other 2\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "X-Mailer-Plugin: " + kStamp + ", Other 2\r\n");
}

TEST(HeaderStamp, PostingTwiceChangesNothingTheSecondTime) {
  for (const char* header : {"From: a\r\n", "X-Mailer-Plugin: Other\r\n", "X-Mailer-Plugin: Gleanix Ver.0.01\r\n"}) {
    const auto once = stampHeader(header);
    ASSERT_TRUE(once) << header;
    EXPECT_FALSE(stampHeader(*once)) << *once;
  }
}

TEST(HeaderStamp, TheCurrentStampSharingALineChangesNothing) {
  EXPECT_FALSE(stampHeader("X-Mailer-Plugin: " + kStamp + ", Other 2\r\n"));
  EXPECT_FALSE(stampHeader("X-Mailer-Plugin: Other 1,\r\n\t" + kStamp + ", Third 3\r\n"));
}

TEST(HeaderStamp, DoesNotDoubleATrailingComma) {
  const auto out = stampHeader("X-Mailer-Plugin: Other 1,\r\n");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "X-Mailer-Plugin: Other 1,\r\n\t" + kStamp + "\r\n");
}

TEST(HostVersion, ComparesByteByByte) {
  EXPECT_FALSE(core::hostVersionAccepted("1.09"));
  EXPECT_FALSE(core::hostVersionAccepted("1.0"));
  EXPECT_FALSE(core::hostVersionAccepted(""));
  EXPECT_TRUE(core::hostVersionAccepted("1.10"));
  EXPECT_TRUE(core::hostVersionAccepted("1.2"));
  EXPECT_TRUE(core::hostVersionAccepted("10.0"));
  EXPECT_TRUE(core::hostVersionAccepted("2.0"));
}

}  // namespace
}  // namespace gleanix::entry
