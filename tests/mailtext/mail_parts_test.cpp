// MailParts views a mail's lines in place where it can; whatever road it
// takes, its header, body and joined texts are those of splitMail over the
// file's lines.
#include "mailtext/mail_parts.h"

#include <gtest/gtest.h>

#include "mailtext/body_decode.h"
#include "sys/file_system.h"

namespace gleanix::mailtext {
namespace {

struct Split {
  std::vector<std::string> header, body;
  std::vector<std::string> warnings;
};

Split bySplitMail(const std::string& bytes) {
  Split s;
  splitMail(sys::splitLines(bytes), s.header, s.body, [&](const std::string& w) { s.warnings.push_back(w); });
  return s;
}

std::vector<std::string> copies(const std::vector<std::string_view>& views) {
  return std::vector<std::string>(views.begin(), views.end());
}

// Checks every view against splitMail; returns whether it was in place.
bool expectLikeSplitMail(const std::string& bytes) {
  const Split expected = bySplitMail(bytes);
  std::vector<std::string> warnings;
  MailParts parts;
  parts.split(bytes, [&](const std::string& w) { warnings.push_back(w); });
  EXPECT_EQ(copies(parts.header()), expected.header);
  EXPECT_EQ(parts.headerText(), joinLines(expected.header));
  EXPECT_EQ(parts.bodyText(), joinLines(expected.body));
  EXPECT_EQ(copies(parts.body()), expected.body);
  EXPECT_EQ(warnings, expected.warnings);
  // The texts added to what a buffer already holds.
  std::string added = "held";
  parts.appendHeaderText(added);
  parts.appendBodyText(added);
  EXPECT_EQ(added, "held" + joinLines(expected.header) + joinLines(expected.body));
  EXPECT_EQ(parts.bodyNeedsDecoding(), needsDecoding(joinLines(expected.body)));
  return parts.viewedInPlace();
}

TEST(MailParts, PlainTextMailsWithCrLfAreViewedInPlace) {
  const std::string cases[] = {
      "Subject: a\r\nFrom: b\r\n\r\nline 1\r\n\r\nline 3\r\n",
      "Subject: a\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\n\x1B$B$\"\x1B(B\r\n",
      "Subject: only a header\r\n",
      "\r\nbody without header\r\n",
      "Subject: a\r\n\r\n",
      "Subject: a\r\n\r\n\r\n\r\n",
      "",
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(bytes);
    EXPECT_TRUE(expectLikeSplitMail(bytes));
  }
}

TEST(MailParts, OtherMailsAreSplitByLines) {
  const std::string cases[] = {
      // Other line ends, or none at the end.
      "Subject: a\n\nbody\n",
      "Subject: a\r\n\r\nbody",
      "Subject: a\r\n\r\nmixed\nends\r\n",
      "Subject: a\r\n\r\nlone\rCR\r\n",
      "Subject: a\r\n\r\n\r",
      "Subject: a\nFrom: b\n",
      "Subject: a\n\n\r\r\n\n\rlast",
      "Subject: a\nContent-Type: Text/Plain\n\n\x95\\\n\x81",
      // Bodies not taken whole.
      "Content-Type: multipart/mixed; boundary=\"XX\"\r\n\r\npre\r\n--XX\r\nContent-Type: text/plain\r\n\r\n"
      "one\r\n--XX\r\nContent-Type: image/png\r\n\r\nAAAA\r\n--XX--\r\n",
      "Content-Type: multipart/mixed\r\n\r\nno boundary\r\n",
      "Content-Type: multipart/mixed; boundary=\"\r\n\r\nillegal\r\n",
      "Content-Type: application/octet-stream\r\n\r\nAAAA\r\n",
      // A JIS body with other line ends, and a multipart one whose JIS is
      // in its second text part.
      "Subject: a\n\n\x1B$B$\"\x1B(B\n",
      "Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\n\r\nplain\r\n--XX\r\n\r\n=1B$B$\"=1B(B\r\n--XX--\r\n",
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(bytes);
    EXPECT_FALSE(expectLikeSplitMail(bytes));
  }
}

TEST(MailParts, ASecondSplitForgetsTheFirst) {
  MailParts parts;
  parts.split("Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\n\r\nold\r\n", {});
  EXPECT_EQ(parts.bodyText(), "old\r\n");
  const std::string next = "Subject: new\r\n\r\nnew body\r\n";
  parts.split(next, {});
  EXPECT_EQ(copies(parts.header()), std::vector<std::string>{"Subject: new"});
  EXPECT_EQ(parts.bodyText(), "new body\r\n");
  EXPECT_EQ(copies(parts.body()), std::vector<std::string>{"new body"});
}

TEST(MailParts, DecodingIsNeededForJisAndQuotedJisOnly) {
  EXPECT_FALSE(needsDecoding("plain text =3D\r\n"));
  EXPECT_TRUE(needsDecoding("\x1B$B$\"\x1B(B"));
  EXPECT_TRUE(needsDecoding("=1B$B$\"=1B(B"));
}

}  // namespace
}  // namespace gleanix::mailtext
