// Patterns that used to be dangerous: deep nesting and very long keywords on
// a thread with the host's 1 MB stack, nested "+", a pattern whose full DFA
// has millions of states, many overlapping ranges.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "regex/awk_str.h"
#include "regex/compiled_pattern.h"
#include "regex/keyword_item.h"
#include "regex/reg_exp_error.h"
#include "small_stack.h"

namespace gleanix::regex {
namespace {

using testing::runOnHostSizedStack;

TEST(RegexRobustness, FiveThousandNestedGroupsOnAHostSizedStack) {
  const int depth = 5000;
  const std::string open(depth, '(');
  const std::string close(depth, ')');
  int groupPos = -1;
  int groupLen = -1;
  int starPos = -1;
  int starLen = -1;
  int fuzzyPos = -1;
  std::string unclosed;
  runOnHostSizedStack([&] {
    TAWKStr m;
    m.setRegExp(open + "ab" + close);
    m.match("xxab", groupPos, groupLen);
    std::string stars;
    for (int i = 0; i < depth; ++i) stars += "(";
    stars += "a";
    for (int i = 0; i < depth; ++i) stars += ")*";
    m.setRegExp(stars + "b");
    m.match("caab", starPos, starLen);
    m.setUseFuzzyCharDic(true);
    m.setRegExp(open + "ｱ" + close);
    int len;
    m.match("xあ", fuzzyPos, len);
    try {
      m.setRegExp(open + "a");
    } catch (const ERegExpParser& e) {
      unclosed = e.what();
    }
  });
  EXPECT_EQ(groupPos, 3);
  EXPECT_EQ(groupLen, 2);
  EXPECT_EQ(starPos, 2);
  EXPECT_EQ(starLen, 3);
  EXPECT_EQ(fuzzyPos, 2);
  EXPECT_EQ(unclosed, std::string(reg_exp_errors::kNeedParen) + "(5002)");
}

// A keyword of the given number of characters, pasted from a mail: kana,
// kanji, ASCII, pattern characters, characters whose second byte is "\".
std::string pastedText(int characters) {
  const std::vector<std::string> chunks = {"メール", "の", "送信", "ガイド", "abc", "(x|y)*", "表示", "ソフト",
                                           "123", "。", "\\", "データ", "ｶﾞｲﾄﾞ", "[]", "です", "Quillon"};
  std::string text;
  int count = 0;
  std::uint32_t seed = 12345;
  while (count < characters) {
    seed = seed * 1103515245u + 12345u;
    const std::string& chunk = chunks[(seed >> 16) % chunks.size()];
    for (std::size_t b = 0; b < chunk.size() && count < characters; ++count) {
      const std::size_t n = util::charBytesAt(chunk, b);
      text.append(chunk, b, n);
      b += n;
    }
  }
  return text;
}

// The text wrapped as a mail would be: a line break after about every 70 bytes.
std::string wrapped(const std::string& text) {
  std::string out;
  std::size_t column = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = util::charBytesAt(text, i);
    out.append(text, i, n);
    i += n;
    if ((column += n) >= 70) {
      out += "\r\n";
      column = 0;
    }
  }
  return out;
}

TEST(RegexRobustness, AHundredThousandCharacterKeywordOnAHostSizedStack) {
  const std::string keyword = pastedText(100000 - 7) + "Quillon";
  ASSERT_EQ(util::charLength(keyword), 100000);
  std::string changed = keyword;
  changed.back() = 'Z';
  bool found = false;
  bool foundChanged = true;
  bool foundAsPattern = false;
  runOnHostSizedStack([&] {
    TKeywordItem item;
    item.setKeywords(keyword);
    item.text = "前置き\r\n" + wrapped(keyword) + "\r\n以上";
    found = item.test();
    item.text = wrapped(changed);
    foundChanged = item.test();
    // As a pattern it has groups and alternations at every turn.
    item.setPlainMode(false);
    item.setKeywords(keyword);
    item.text = "";
    try {
      foundAsPattern = item.test();
    } catch (const ERegExpParser&) {
      foundAsPattern = true;  // "[]" is an error: still parsed without overflowing
    }
  });
  EXPECT_TRUE(found);
  EXPECT_FALSE(foundChanged);
  EXPECT_TRUE(foundAsPattern);
}

TEST(RegexRobustness, NestedPlusDoesNotDoubleTheAutomaton) {
  std::string pattern = "a";
  for (int i = 0; i < 40; ++i) pattern = "(" + pattern + ")+";
  CompiledPattern compiled(pattern + "b");
  EXPECT_LT(compiled.nfa().stateCount(), 200);
  std::size_t start;
  std::size_t end;
  ASSERT_TRUE(compiled.find("xaaab", start, end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 5u);
  EXPECT_FALSE(compiled.find("xb", start, end));
}

// Leftmost, then shortest match of (a|b)*a(a|b){20} worked out directly:
// from a start, the characters must all be a or b, and the match ends as
// soon as the character 20 places back is an a.
bool expectedExploding(const std::string& text, std::size_t& start, std::size_t& end) {
  struct Char {
    char c;
    std::size_t at;
  };
  std::vector<Char> chars;  // blanks dropped
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ' ' && text[i] != '\n' && text[i] != '\r') chars.push_back({text[i], i});
  }
  for (std::size_t p = 0; p < chars.size(); ++p) {
    for (std::size_t e = p; e < chars.size() && (chars[e].c == 'a' || chars[e].c == 'b'); ++e) {
      if (e >= p + 20 && chars[e - 20].c == 'a') {
        start = chars[p].at;
        end = chars[e].at + 1;
        return true;
      }
    }
  }
  return false;
}

TEST(RegexRobustness, APatternWithMillionsOfDfaStatesMatchesCorrectly) {
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < 20; ++i) pattern += "(a|b)";
  CompiledPattern roomy(pattern);
  CompiledPattern cramped(pattern, 4096);  // starts over every few states
  std::mt19937 rng(99);
  int matches = 0;
  for (int round = 0; round < 60; ++round) {
    std::string text;
    const int n = 50 + static_cast<int>(rng() % 3000);
    for (int i = 0; i < n; ++i) {
      const unsigned r = rng() % 100;
      text += r < 2 ? 'c' : r < 4 ? ' ' : r < 5 ? '\n' : r < 50u + static_cast<unsigned>(round % 40) ? 'b' : 'a';
    }
    std::size_t s0 = 0;
    std::size_t e0 = 0;
    const bool expected = expectedExploding(text, s0, e0);
    for (CompiledPattern* p : {&roomy, &cramped}) {
      std::size_t s = 0;
      std::size_t e = 0;
      ASSERT_EQ(p->find(text, s, e), expected);
      ASSERT_EQ(p->matchesAnywhere(text), expected);
      if (expected) {
        ASSERT_EQ(s, s0);
        ASSERT_EQ(e, e0);
        ++matches;
      }
    }
  }
  EXPECT_GT(matches, 20);
  // The small cache really was emptied along the way, and kept its bound.
  EXPECT_GT(cramped.dfa().cache().clears() + cramped.leftmost().cache().clears(), 0u);
  EXPECT_LT(cramped.dfa().cache().bytes(), 4096u + 8192u);
}

TEST(RegexRobustness, ManyOverlappingRangesCompileToDisjointPieces) {
  // 4,000 ranges that all overlap each other: cutting them pair by pair
  // would take billions of steps.
  std::string pattern = "[";
  char buf[32];
  for (unsigned i = 0; i < 4000; ++i) {
    std::snprintf(buf, sizeof buf, "\\x%X-\\x%X", 0x8800 + i, 0x9800 + i * 3);
    pattern += buf;
  }
  pattern += "]";
  CompiledPattern compiled(pattern);
  EXPECT_EQ(compiled.tree().leaves().size(), 4000u);
  EXPECT_LT(compiled.tree().pieces().size(), 8001u);
  std::size_t s;
  std::size_t e;
  EXPECT_TRUE(compiled.find("a\x88\x40", s, e));
  EXPECT_EQ(s, 1u);
  EXPECT_FALSE(compiled.find("a\x87\xFF", s, e));
}

}  // namespace
}  // namespace gleanix::regex
