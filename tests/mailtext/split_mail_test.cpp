#include "mailtext/split_mail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mailtext/header_field.h"
#include "mailtext/sender_name.h"

namespace gleanix::mailtext {
namespace {

using Lines = std::vector<std::string>;

struct Split {
  Lines header;
  Lines body;
  std::vector<std::string> warnings;
};

Split split(const Lines& mail) {
  Split s;
  splitMail(mail, s.header, s.body, [&s](const std::string& text) { s.warnings.push_back(text); });
  return s;
}

// --- header field ---

TEST(HeaderField, FoldedSubjectIsJoinedWithoutSeparators) {
  const Lines header{"From: a@b", "Subject: a", " b", "\tc", "To: x@y"};
  EXPECT_EQ(headerField("SUBJECT:", header), "abc");
  // Blanks inside a continuation line are kept; only its first character goes.
  EXPECT_EQ(headerField("SUBJECT:", Lines{"Subject:  x ", "   y  "}), "x  y  ");
}

TEST(HeaderField, NameMatchesAsCaseInsensitivePrefixOnly) {
  const Lines header{"X-Date: wrong", "date: Tue, 7 Dec 1999 10:00:00 +0900", "Date: second"};
  EXPECT_EQ(headerField("DATE:", header), "Tue, 7 Dec 1999 10:00:00 +0900");
  EXPECT_EQ(headerField("DATE:", Lines{"X-Date: only"}), "");
  // A prefix match: "SUBJECT:" also finds a line without a blank after the colon.
  EXPECT_EQ(headerField("SUBJECT:", Lines{"SUBJECT:hello"}), "hello");
}

TEST(HeaderField, MissingFieldAndOddLinesGiveEmptyOrDefinedValues) {
  EXPECT_EQ(headerField("FROM:", Lines{}), "");
  EXPECT_EQ(headerField("FROM:", Lines{"no colon at all", "From"}), "");
  EXPECT_EQ(headerField("FROM:", Lines{"From:"}), "");
  // A continuation line right at the start belongs to nothing.
  EXPECT_EQ(headerField("FROM:", Lines{" stray", "From: a"}), "a");
  // A double-byte character whose trail byte is a letter never matches a name.
  EXPECT_EQ(headerField("A:", Lines{"\x83" "A: x", "a: y"}), "y");
}

// --- split mail ---

TEST(SplitMail, HeaderEndsAtFirstEmptyLine) {
  const Split s = split({"Subject: x", "", "body 1", "", "body 2"});
  EXPECT_EQ(s.header, (Lines{"Subject: x"}));
  EXPECT_EQ(s.body, (Lines{"body 1", "", "body 2"}));
  EXPECT_TRUE(s.warnings.empty());
}

TEST(SplitMail, MailWithoutEmptyLineHasNoBody) {
  const Split s = split({"Subject: x", "From: y", "no separator"});
  EXPECT_EQ(s.header.size(), 3u);
  EXPECT_TRUE(s.body.empty());
}

TEST(SplitMail, OutputListsAreClearedFirst) {
  Lines header{"old"};
  Lines body{"old"};
  splitMail({"A: 1", "", "b"}, header, body, nullptr);
  EXPECT_EQ(header, (Lines{"A: 1"}));
  EXPECT_EQ(body, (Lines{"b"}));
}

TEST(SplitMail, TextAnywhereInContentTypeKeepsWholeBody) {
  const Lines mail{"Content-Type: multipart/related;", "\ttype=\"text/html\"; boundary=\"b1\"", "",
                   "--b1", "Content-Type: image/png", "", "iVBORw0", "--b1--"};
  const Split s = split(mail);
  EXPECT_EQ(s.body, (Lines{"--b1", "Content-Type: image/png", "", "iVBORw0", "--b1--"}));
}

TEST(SplitMail, NonTextNonMultipartHasNoBody) {
  EXPECT_TRUE(split({"Content-Type: application/octet-stream", "", "AAAA"}).body.empty());
  EXPECT_EQ(split({"Subject: none", "", "plain"}).body, (Lines{"plain"}));
}

TEST(SplitMail, MultipartKeepsTextPartsWithBoundaryBetween) {
  const Lines mail{
      "Subject: parts",
      "Content-Type: multipart/mixed;",
      " Boundary=\"=_Part_1\"",
      "",
      "This is a multi-part message.",
      "--=_Part_1",
      "Content-Type: text/plain; charset=iso-2022-jp",
      "Content-Transfer-Encoding: 7bit",
      "",
      "first text",
      "--=_Part_1",
      "Content-Type: image/jpeg;",
      "\tname=\"text.jpg\"",
      "Content-Transfer-Encoding: base64",
      "",
      "/9j/4AAQSkZJRgABAQEASABIAAD",
      "--=_Part_1",
      "content-type: TEXT/PLAIN",
      "",
      "second text",
      "",
      "--=_Part_1--",
  };
  const Split s = split(mail);
  EXPECT_EQ(s.body, (Lines{"This is a multi-part message.", "=_Part_1", "first text", "=_Part_1",
                           "=_Part_1", "second text", "", "=_Part_1"}));
  EXPECT_TRUE(s.warnings.empty());
}

TEST(SplitMail, PartWithoutContentTypeCountsAsText) {
  const Split s = split({"Content-Type: multipart/alternative; boundary=\"zz\"", "", "--zz", "X-Other: 1", "",
                         "part text", "--zz--"});
  EXPECT_EQ(s.body, (Lines{"part text", "zz"}));
}

TEST(SplitMail, BoundaryKeepsItsOriginalCase) {
  const Split s = split({"Content-Type: Multipart/Mixed; boundary=\"AbC\"", "", "--abc", "preamble?", "--AbC",
                         "Content-Type: text/plain", "", "t", "--AbC--"});
  EXPECT_EQ(s.body, (Lines{"--abc", "preamble?", "AbC", "t", "AbC"}));
}

TEST(SplitMail, MultipartWithoutBoundaryWarnsAndHasNoBody) {
  const Split s = split({"Content-Type: multipart/mixed; charset=x", "", "--b", "text"});
  ASSERT_EQ(s.warnings.size(), 1u);
  EXPECT_EQ(s.warnings[0], "No boundary in Content-Type: multipart/mixed; charset=x");
  EXPECT_TRUE(s.body.empty());
  EXPECT_EQ(s.header.size(), 1u);
}

TEST(SplitMail, UnquotedBoundaryIsAToken) {
  const Split s = split({"Content-Type: multipart/mixed; boundary=abc; name=\"q\"", "", "--abc",
                         "Content-Type: image/gif", "", "R0lGOD", "--abc", "", "text", "--abc--"});
  EXPECT_EQ(s.body, (Lines{"text", "abc"}));
  EXPECT_TRUE(s.warnings.empty());
  EXPECT_EQ(multipartBoundary("multipart/mixed; boundary = xyz").text, "xyz");
  EXPECT_EQ(multipartBoundary("multipart/mixed; boundary=xyz ;a=b").text, "xyz");
}

TEST(SplitMail, MalformedBoundaryWarnsAndKeepsEveryLine) {
  for (const std::string type : {"multipart/mixed; boundary=\"abc", "multipart/mixed; boundary=\"\"",
                                 "multipart/mixed; boundary=", "multipart/mixed; boundary"}) {
    SCOPED_TRACE(type);
    const Split s = split({"Content-Type: " + type, "", "--abc", "Content-Type: image/gif", "", "x"});
    ASSERT_EQ(s.warnings.size(), 1u);
    EXPECT_EQ(s.warnings[0], "Illegal boundary in Content-Type: " + type);
    EXPECT_EQ(s.body, (Lines{"--abc", "Content-Type: image/gif", "", "x"}));
  }
}

TEST(SplitMail, ManyParametersAndLongLinesStayDefined) {
  std::string type = "multipart/mixed";
  for (int i = 0; i < 10000; ++i) type += "; p" + std::to_string(i) + "=\"v\"";
  type += "; boundary=\"end\"";
  const std::string longLine(1 << 20, 'a');
  const Split s = split({"Content-Type: " + type, "", longLine, "--end", "", "x", "--end--"});
  EXPECT_EQ(s.body, (Lines{longLine, "end", "x", "end"}));
}

TEST(SplitMail, HeaderLinesWithoutColonAreJustHeaderLines) {
  // "Content-Type" without its colon is no Content-Type: the body is plain.
  const Split s = split({"no colon here", "Content-Type multipart/mixed", "", "--b", "x"});
  EXPECT_EQ(s.header.size(), 2u);
  EXPECT_EQ(s.body, (Lines{"--b", "x"}));
  EXPECT_TRUE(s.warnings.empty());
}

TEST(SplitMail, GarbageMailNeverBreaks) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) & 0xFF);
  const Split s = split({garbage, "", garbage, "\x81"});
  EXPECT_EQ(s.header, (Lines{garbage}));
  EXPECT_EQ(s.body, (Lines{garbage, "\x81"}));  // no Content-Type: the whole rest
}

// --- sender name ---

TEST(SenderName, AllForms) {
  EXPECT_EQ(senderName("Taro Yamada <taro@example.jp>"), "Taro Yamada");
  EXPECT_EQ(senderName("<taro@example.jp>"), "taro");
  EXPECT_EQ(senderName("taro@example.jp (Taro Yamada)"), "Taro Yamada");
  EXPECT_EQ(senderName("taro@example.jp"), "taro");
  EXPECT_EQ(senderName("\"Yamada, Taro\" <taro@example.jp>"), "Yamada, Taro");
  EXPECT_EQ(senderName("  山田太郎  <taro@example.jp> "), "山田太郎");
  EXPECT_EQ(senderName("nobody"), "nobody");
  EXPECT_EQ(senderName("   "), "");
  EXPECT_EQ(senderName(""), "");
}

TEST(SenderName, OddValuesGiveDefinedResults) {
  EXPECT_EQ(senderName("<>"), "");
  EXPECT_EQ(senderName("\""), "");
  EXPECT_EQ(senderName(">"), ">");
  EXPECT_EQ(senderName("()"), "");
  EXPECT_EQ(senderName("x\x81"), "x\x81");  // lone lead byte at the end
}

TEST(SenderName, TrailBytesAreNotDelimiters) {
  // Of the delimiters only "@" (0x40) can be a trail byte: the full-width
  // space is 0x81 0x40.
  const std::string atTrail = "\x81\x40";
  EXPECT_EQ(senderName("a" + atTrail + "b"), "a" + atTrail + "b");
  EXPECT_EQ(senderName("a" + atTrail + "b@host"), "a" + atTrail + "b");
  // A closing byte after a lead byte is that character's second byte; after
  // two it is a character of its own, after three a second byte again.
  EXPECT_EQ(senderName("<\x81>"), "<\x81>");
  EXPECT_EQ(senderName("<\x81\x81>"), "\x81\x81");
  EXPECT_EQ(senderName("<\x81\x81\x81>"), "<\x81\x81\x81>");
  EXPECT_EQ(senderName("x<a>\x81\x81\x81\x81)"), "x<a>\x81\x81\x81\x81)");  // no "(": as it is
  EXPECT_EQ(senderName("a (\x81\x81\x81)"), "a (\x81\x81\x81)");
  EXPECT_EQ(senderName("a (\x81\x81)"), "\x81\x81");
  EXPECT_EQ(senderName("\"\x81\""), "\"\x81\"");
}

}  // namespace
}  // namespace gleanix::mailtext
