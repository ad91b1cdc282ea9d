// TAWKStr / TMatchCORE: where the first match lies, blanks, the empty text
// and the empty pattern, the slots after an error, the literal flag.
#include <gtest/gtest.h>

#include <string>

#include "regex/awk_str.h"
#include "regex/reg_exp_error.h"

namespace gleanix::regex {
namespace {

struct Found {
  int position;
  int length;
  bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Found& f) {
  return os << "(" << f.position << ", " << f.length << ")";
}

Found find(TAWKStr& m, const std::string& text) {
  int position = -1;
  int length = -1;
  const int result = m.match(text, position, length);
  EXPECT_EQ(result, position);
  EXPECT_EQ(m.matchesAnywhere(text), position > 0);
  return {position, length};
}

Found find(const std::string& pattern, const std::string& text, bool fuzzy = false) {
  TAWKStr m;
  m.setUseFuzzyCharDic(fuzzy);
  m.setRegExp(pattern);
  return find(m, text);
}

const Found kNone{0, 0};

TEST(RegexMatch, BlanksAndLineBreaksInsideAMatchAreSkippedAndCounted) {
  EXPECT_EQ(find("abc", "xa b\r\nc"), (Found{2, 6}));
  EXPECT_EQ(find("abc", "a\tb　c"), (Found{1, 6}));  // tab and the full-width space
  // Trailing blanks after the match are not part of it.
  EXPECT_EQ(find("ab", "a b  "), (Found{1, 3}));
  // A match never starts on a blank.
  EXPECT_EQ(find("a*b", "  b"), (Found{3, 1}));
}

TEST(RegexMatch, LeftmostStartThenShortestMatch) {
  EXPECT_EQ(find("ab*", "abbb"), (Found{1, 1}));
  EXPECT_EQ(find("abcd|c", "abcd"), (Found{1, 4}));  // an earlier start wins over an earlier end
  EXPECT_EQ(find("b+", "aabbb"), (Found{3, 1}));
  EXPECT_EQ(find("(a|ab)(c|bcd)", "abcd"), (Found{1, 3}));
  EXPECT_EQ(find("x[^z]*y", "x1y2y"), (Found{1, 3}));
}

TEST(RegexMatch, APatternWithABlankNeverMatches) {
  EXPECT_EQ(find("a b", "a b"), kNone);
  EXPECT_EQ(find("a b", "ab"), kNone);
  EXPECT_EQ(find("a\\nb", "a\nb"), kNone);
}

TEST(RegexMatch, EmptyTextAndEmptyPattern) {
  EXPECT_EQ(find("", "anything"), (Found{1, 0}));
  EXPECT_EQ(find("", ""), (Found{1, 0}));
  EXPECT_EQ(find("a*", "bbb"), (Found{1, 0}));
  EXPECT_EQ(find("a", ""), kNone);
  EXPECT_EQ(find("a|", "bbb"), (Found{1, 0}));  // the empty alternative
  EXPECT_EQ(find("()", "b"), (Found{1, 0}));
  // Only blanks: nothing that needs a character can match.
  EXPECT_EQ(find("a?b", " \r\n\t　"), kNone);
  EXPECT_EQ(find(".", " \r\n\t　"), kNone);
}

TEST(RegexMatch, ClassesRangesAndDot) {
  EXPECT_EQ(find("[a-]", "x-"), (Found{2, 1}));
  EXPECT_EQ(find("[a-]", "xa"), (Found{2, 1}));
  EXPECT_EQ(find("[a-]", "xb"), kNone);
  EXPECT_EQ(find("[^a]", "ab"), (Found{2, 1}));
  EXPECT_EQ(find("[^a]", "a"), kNone);
  // NUL is neither a blank nor in "." or a negated class.
  EXPECT_EQ(find("[^a]", std::string(1, '\0')), kNone);
  EXPECT_EQ(find(".", std::string(1, '\0')), kNone);
  EXPECT_EQ(find("\\x0", std::string("a") + '\0'), (Found{2, 1}));
  // A negated class and "." sit on both sides of a line break without matching it.
  EXPECT_EQ(find("a.b", "a\r\nxb"), (Found{1, 5}));
  EXPECT_EQ(find("a[^x]b", "a\nb"), kNone);
  EXPECT_EQ(find("[あ-う]+", "xいう"), (Found{2, 2}));
}

TEST(RegexMatch, EscapesStandForTheirCharacters) {
  EXPECT_EQ(find("\\x41", "zA"), (Found{2, 1}));
  EXPECT_EQ(find("\\101", "zA"), (Found{2, 1}));
  EXPECT_EQ(find("\\q", "pq"), (Found{2, 1}));
  EXPECT_EQ(find("\\x82a0", "xあ"), (Found{2, 2}));
  EXPECT_EQ(find("a\\.b", "axb a.b"), (Found{5, 3}));
}

TEST(RegexMatch, DoubleByteCharactersAreNeverSplit) {
  // ソ = 0x83 0x5C, 表 = 0x95 0x5C, ポ = 0x83 0x7C, ｱ is one byte.
  EXPECT_EQ(find("\\\\", "表ソ"), kNone);
  EXPECT_EQ(find("\\\\", "表\\"), (Found{3, 1}));
  EXPECT_EQ(find("\\|", "ポ"), kNone);
  EXPECT_EQ(find("ポ", "abc"), kNone);  // not "\x83" or nothing
  EXPECT_EQ(find("ソ+", "+ソソ"), (Found{2, 2}));
  EXPECT_EQ(find("表", "ｱ表"), (Found{2, 2}));
  EXPECT_EQ(find("\\x5C", "\x95\x5C"), kNone);
  // A lead byte without its second byte ends the text as a one-byte character.
  EXPECT_EQ(find("\\x81", "a\x81"), (Found{2, 1}));
  EXPECT_EQ(find("\\x81", "\x81\x40"), kNone);
}

TEST(RegexMatch, AFailedSetSelectsTheEmptyPatternAndRaises) {
  TAWKStr m;
  m.setRegExp("abc");
  EXPECT_EQ(find(m, "xabc"), (Found{2, 3}));
  try {
    m.setRegExp("ab(");
    FAIL() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_EQ(e.position(), 4);
    EXPECT_EQ(e.text(), reg_exp_errors::kNeedParen);
  }
  EXPECT_EQ(m.errorPosition(), 4);
  EXPECT_EQ(m.errorMessage(), std::string(reg_exp_errors::kNeedParen) + "(4)");
  EXPECT_EQ(m.RegExp(), "ab(");
  EXPECT_EQ(find(m, "xabc"), (Found{1, 0}));
  m.setRegExp("c");
  EXPECT_EQ(m.errorPosition(), 0);
  EXPECT_EQ(m.errorMessage(), "");
  EXPECT_EQ(find(m, "xabc"), (Found{4, 1}));
}

TEST(RegexMatch, LiteralFlagMatchesThePatternAsPlainText) {
  TAWKStr m;
  m.setLiteralPattern(true);
  m.setRegExp("a.c(d|e)*[x]\\");
  EXPECT_EQ(find(m, "abcd"), kNone);
  EXPECT_EQ(find(m, "-a.c(d|e)*[x]\\-"), (Found{2, 13}));
  m.setRegExp("表ソ");  // trail bytes are not escaped
  EXPECT_EQ(find(m, "表ソ"), (Found{1, 4}));
  // A lead byte at the end still compiles and stands for that byte.
  m.setRegExp("a\x83");
  EXPECT_EQ(find(m, "xa\x83"), (Found{2, 2}));
  EXPECT_EQ(find(m, "xア"), kNone);
  // The flag takes effect at the next set.
  m.setLiteralPattern(false);
  EXPECT_EQ(find(m, "xa\x83"), (Found{2, 2}));
  m.setRegExp("a.c");
  EXPECT_EQ(find(m, "abc"), (Found{1, 3}));
}

TEST(RegexMatch, PositionsAreBytesOfTheWholeText) {
  std::string text(100000, 'x');
  text += "ア\r\nイ";
  TAWKStr m;
  m.setRegExp("アイ");
  EXPECT_EQ(find(m, text), (Found{100001, 6}));
}

}  // namespace
}  // namespace gleanix::regex
