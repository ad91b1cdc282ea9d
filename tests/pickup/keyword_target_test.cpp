// The text the keyword pickup tests: which parts of a mail go into it.
#include "pickup/keyword_target.h"

#include <gtest/gtest.h>

#include "mailtext/iso2022jp.h"

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

}  // namespace
}  // namespace gleanix::pickup
