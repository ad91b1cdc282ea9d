#include "mailtext/bare_subject.h"

#include <gtest/gtest.h>

#include <string>

namespace gleanix::mailtext {
namespace {

TEST(BareSubject, DropsTagsAndReplyPrefixesInAnyOrder) {
  EXPECT_EQ(bareSubject("[ML:123] RE: [ML:120] RE: HELLO"), "HELLO");
  EXPECT_EQ(bareSubject("RE:RE:  HELLO"), "HELLO");
  EXPECT_EQ(bareSubject("  [A][B]RE:[C] X Y  "), "X Y");
  EXPECT_EQ(bareSubject("HELLO [ML:1]"), "HELLO [ML:1]");
}

TEST(BareSubject, KeepsWhatIsNotAnExactPrefix) {
  EXPECT_EQ(bareSubject("RE: [TAG HELLO"), "[TAG HELLO");
  EXPECT_EQ(bareSubject("RE : HELLO"), "RE : HELLO");
  EXPECT_EQ(bareSubject("RE^2: HELLO"), "RE^2: HELLO");
  EXPECT_EQ(bareSubject("FW: HELLO"), "FW: HELLO");
  EXPECT_EQ(bareSubject("RE[2]: HELLO"), "RE[2]: HELLO");
  EXPECT_EQ(bareSubject("Re: lower case is the caller's job"), "Re: lower case is the caller's job");
}

TEST(BareSubject, EmptyAndDegenerateSubjects) {
  EXPECT_EQ(bareSubject(""), "");
  EXPECT_EQ(bareSubject("   "), "");
  EXPECT_EQ(bareSubject("RE:"), "");
  EXPECT_EQ(bareSubject("[]"), "");
  EXPECT_EQ(bareSubject("["), "[");
  EXPECT_EQ(bareSubject("[\x81"), "[\x81");  // lone lead byte at the end
}

TEST(BareSubject, TrailByteBracketDoesNotCloseATag) {
  // "転" is 0x93 0x5D: its trail byte is "]".
  EXPECT_EQ(bareSubject("[転送:12] 件名"), "件名");
  EXPECT_EQ(bareSubject("RE: [転送:12] RE: 件名"), "件名");
}

TEST(BareSubject, LongRunsOfTagsStayLinear) {
  std::string subject;
  for (int i = 0; i < 200000; ++i) subject += "[T] RE: ";
  subject += "END";
  EXPECT_EQ(bareSubject(subject), "END");
  EXPECT_EQ(bareSubject("[" + std::string(1 << 20, 'a')), "[" + std::string(1 << 20, 'a'));
}

}  // namespace
}  // namespace gleanix::mailtext
