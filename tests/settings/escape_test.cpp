#include "settings/escape.h"

#include <gtest/gtest.h>

#include <random>

namespace gleanix::settings {
namespace {

TEST(Escape, MultiLineTextAndPercentStayOnOneLine) {
  EXPECT_EQ(escapeValue("a\r\nb"), "a%0D%0Ab");
  EXPECT_EQ(escapeValue("100%"), "100%%");
  EXPECT_EQ(escapeValue("\t\x1f\x01 ~"), "%09%1F%01 ~");
  EXPECT_EQ(unescapeValue("a%0D%0Ab"), "a\r\nb");
  EXPECT_EQ(unescapeValue("100%%"), "100%");
}

TEST(Escape, DoubleByteCharactersAreKeptWhole) {
  // "表" ends in 0x5C and "ソ" in 0x5C too; neither may be touched.
  EXPECT_EQ(escapeValue("表ソ%"), "表ソ%%");
  EXPECT_EQ(unescapeValue("表ソ%%"), "表ソ%");
}

TEST(Escape, BrokenLeadByteNeverHidesALineBreakOrPercent) {
  // A lead byte followed by CR is no character: the CR must be escaped or
  // it would split the line in the file.
  EXPECT_EQ(escapeValue("x\x81\r\n"), "x\x81%0D%0A");
  EXPECT_EQ(unescapeValue("x\x81%0D%0A"), "x\x81\r\n");
  EXPECT_EQ(escapeValue("\x81%"), "\x81%%");
  EXPECT_EQ(unescapeValue("\x81%%"), "\x81%");
  EXPECT_EQ(escapeValue("end\x9f"), "end\x9f");
}

TEST(Escape, UnescapeAcceptsLowerCaseHexAndNul) {
  EXPECT_EQ(unescapeValue("%4a%0d"), "J\r");
  EXPECT_EQ(unescapeValue("%00"), std::string(1, '\0'));
}

TEST(Escape, BadEscapesAreReported) {
  for (const char* bad : {"%", "a%", "%4", "%G1", "%1G", "%%%", "%\x82\xa0", "x% 1"}) {
    EXPECT_FALSE(unescapeValue(bad).has_value()) << bad;
  }
}

TEST(Escape, RoundTripsEveryByteSequence) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(unescapeValue(escapeValue(all)), all);
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> byte(0, 255), len(0, 12);
  // Mostly lead bytes, "%" and control bytes: the awkward neighbours.
  const std::string tricky = "\x81\x9f\xe0\xfc%\r\n\x01\x40\x7f\x80 A0";
  std::uniform_int_distribution<std::size_t> pick(0, tricky.size() - 1);
  for (int round = 0; round < 5000; ++round) {
    std::string s;
    const int n = len(rng);
    for (int i = 0; i < n; ++i) s.push_back(round % 2 ? tricky[pick(rng)] : static_cast<char>(byte(rng)));
    const std::string escaped = escapeValue(s);
    ASSERT_EQ(unescapeValue(escaped), s);
    ASSERT_EQ(escaped.find_first_of("\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace gleanix::settings
