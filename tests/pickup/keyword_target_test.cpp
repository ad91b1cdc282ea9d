// The text the keyword pickup tests: which parts of a mail go into it.
#include "pickup/keyword_target.h"

#include <gtest/gtest.h>

#include "mailtext/iso2022jp.h"
#include "mailtext/split_mail.h"
#include "sys/file_system.h"

namespace gleanix::pickup {
namespace {

const std::vector<std::string> kHeader = {"From: a@example.jp", "Subject: Hello", "X-Note: one", " two"};
const std::vector<std::string> kBody = {"line 1", "line 2"};

std::string target(const KeywordParts& parts, const std::vector<std::string>& body = kBody) {
  return keywordTarget(kHeader, body, parts, mailtext::convertIso2022JpToSjis);
}

TEST(KeywordTarget, BodyAloneByDefault) {
  EXPECT_EQ(target(KeywordParts{}), "line 1\r\nline 2\r\n");
}

TEST(KeywordTarget, AllHeadersThenBody) {
  KeywordParts parts;
  parts.allHeaders = true;
  parts.headers = true;  // ignored while all headers are searched
  parts.headerList = {"Subject"};
  EXPECT_EQ(target(parts), "From: a@example.jp\r\nSubject: Hello\r\nX-Note: one\r\n two\r\nline 1\r\nline 2\r\n");
}

TEST(KeywordTarget, ListedFieldsAsWrittenWithColonBlankAndValue) {
  KeywordParts parts;
  parts.body = false;
  parts.headers = true;
  parts.headerList = {" subject ", "Subject:", "", "x-note", "Missing"};
  // The fields follow one another without a separator; a missing field
  // still gives its name; the blank line names nothing.
  EXPECT_EQ(target(parts), "subject: HelloSubject: Hellox-note: onetwoMissing: ");
}

TEST(KeywordTarget, NoPartGivesAnEmptyText) {
  KeywordParts parts;
  parts.body = false;
  EXPECT_EQ(target(parts), "");
  parts.headers = false;
  parts.headerList = {"Subject"};
  EXPECT_EQ(target(parts), "");
}

TEST(KeywordTarget, JisBodiesAreConvertedToShiftJis) {
  // "日本" in ISO-2022-JP, and the same wrapped in quoted-printable.
  const std::vector<std::string> jis = {"\x1b$BF|K\\\x1b(B"};
  EXPECT_EQ(target(KeywordParts{}, jis), "日本\r\n");
  const std::vector<std::string> qp = {"=1B$BF|K\\=1B(B"};
  EXPECT_EQ(target(KeywordParts{}, qp), "日本\r\n");
}

// The search reads mails through MailParts, which views lines in place or
// builds the text once; the text must be the one the mail's lines give,
// whatever road the mail takes and whichever parts are searched.
TEST(KeywordTarget, AMailsBytesGiveTheTextOfItsLines) {
  const std::string mails[] = {
      "Subject: a\r\nX-Note: one\r\n two\r\n\r\nline 1\r\n\r\nline 3\r\n",
      "Subject: a\n\nbody with LF\nends",
      "Subject: a\r\n\r\n" + std::string(300000, 'x') + "needle",
      std::string(1000, 'y') + "one line, no header end",
      "Subject: a\r\nContent-Type: text/plain\r\n\r\n\x1B$B$\"\x1B(B\nLF\r\n",
      "Subject: a\r\n\r\nquoted =1B$B$\"=1B(B=\r\nsoft\r\n",
      "Content-Type: multipart/mixed; boundary=\"XX\"\r\nSubject: m\r\n\r\npre\n--XX\r\nContent-Type: text/plain\r\n\r\n"
      "one\r\n--XX\r\nContent-Type: image/png\r\n\r\nAAAA\r\n--XX\r\n\r\n\x1B$B$\"\x1B(B\r\n--XX--\r\n",
  };
  KeywordParts body, all, listed, listedAndBody;
  all.allHeaders = true;
  listed.body = false;
  listed.headers = true;
  listed.headerList = {"Subject", "x-note"};
  listedAndBody = listed;
  listedAndBody.body = true;
  mailtext::MailParts parts;
  std::string buffer;
  for (const std::string& mail : mails) {
    std::vector<std::string> header, lines;
    mailtext::splitMail(sys::splitLines(mail), header, lines, {});
    parts.split(mail, {});
    for (const KeywordParts& p : {body, all, listed, listedAndBody}) {
      SCOPED_TRACE(mail.substr(0, 60));
      EXPECT_EQ(keywordTarget(parts, p, mailtext::convertIso2022JpToSjis, buffer),
                keywordTarget(header, lines, p, mailtext::convertIso2022JpToSjis));
    }
  }
}

}  // namespace
}  // namespace gleanix::pickup
