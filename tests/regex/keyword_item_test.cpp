// TKeywordItem: lines OR, terms AND, plain and pattern mode, lazy building.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex/keyword_item.h"
#include "regex/reg_exp_error.h"

namespace gleanix::regex {
namespace {

using Strings = std::vector<std::string>;

bool holds(TKeywordItem& item, const std::string& text) {
  item.text = text;
  return item.test();
}

TEST(RegexKeywordItem, SplitsLinesAndTerms) {
  TKeywordItem item;
  item.setKeywords("  alpha  beta \r\n\r\n gamma\r\n  \r\ndelta\tepsilon　zeta  ");
  EXPECT_EQ(item.terms(), (Strings{"alpha", "beta", "gamma", "delta\tepsilon　zeta"}));
  EXPECT_EQ(item.lineEnds().Items(), (std::vector<std::int32_t>{1, 2, 3}));
  item.setKeywords("a\nb\rc");
  EXPECT_EQ(item.lineEnds().Count(), 3);
  item.setKeywords(" \r\n ");
  EXPECT_TRUE(item.terms().empty());
  EXPECT_EQ(item.lineEnds().Count(), 0);
}

TEST(RegexKeywordItem, TermsOfALineMustAllOccurAndAnyLineWillDo) {
  TKeywordItem item;
  item.setKeywords("alpha beta");
  EXPECT_TRUE(holds(item, "beta then alpha"));
  EXPECT_FALSE(holds(item, "only alpha"));
  item.setKeywords("alpha\r\nbeta");
  EXPECT_TRUE(holds(item, "only alpha"));
  EXPECT_TRUE(holds(item, "only beta"));
  EXPECT_FALSE(holds(item, "neither"));
  item.setKeywords("a b c\r\nd");
  EXPECT_TRUE(holds(item, "d"));
  EXPECT_FALSE(holds(item, "b c"));
  EXPECT_TRUE(holds(item, "c b a"));
}

TEST(RegexKeywordItem, ATermRepeatedOnOtherLinesKeepsEachLinesMeaning) {
  // A repeated term is compiled once; every place it stands still counts.
  TKeywordItem item;
  item.setKeywords("gamma alpha\r\nbeta alpha gamma\r\nalpha alpha delta\r\nbeta");
  EXPECT_EQ(item.terms().size(), 9u);
  EXPECT_TRUE(holds(item, "gamma alpha"));
  EXPECT_TRUE(holds(item, "delta alpha"));
  EXPECT_TRUE(holds(item, "beta"));
  EXPECT_FALSE(holds(item, "alpha"));
  EXPECT_FALSE(holds(item, "delta gamma"));
  // Thousands of one-letter terms, nearly all repeats: the line of them
  // holds only where every letter occurs.
  std::string many;
  for (int i = 0; i < 5000; ++i) many += std::string(1, static_cast<char>('a' + i % 5)) + " ";
  item.setKeywords(many + "z");
  EXPECT_TRUE(holds(item, "e d c b a z"));
  EXPECT_FALSE(holds(item, "e d c b a"));
  EXPECT_FALSE(holds(item, "e d b a z"));
}

TEST(RegexKeywordItem, TermsFoldAndIgnoreBlanksInTheText) {
  TKeywordItem item;
  item.setKeywords("ｶﾞｲﾄﾞ");
  EXPECT_TRUE(holds(item, "この ガイド です"));
  item.setKeywords("abc");
  EXPECT_TRUE(holds(item, "a b\r\nc"));
  EXPECT_TRUE(holds(item, "ＡＢＣ"));
  item.setKeywords("a　b");  // a full-width space does not split and never matches
  EXPECT_FALSE(holds(item, "a　b"));
  EXPECT_FALSE(holds(item, "ab"));
}

TEST(RegexKeywordItem, EmptyKeywordsNeverHold) {
  TKeywordItem item;
  EXPECT_FALSE(holds(item, "anything"));
  item.setKeywords("");
  EXPECT_FALSE(holds(item, ""));
  EXPECT_FALSE(holds(item, "anything"));
}

TEST(RegexKeywordItem, PlainModeMatchesSpecialCharactersAsThemselves) {
  TKeywordItem item;
  item.setKeywords("a.c (x|y)* [z] \\");
  EXPECT_FALSE(holds(item, "abc x z \\"));
  EXPECT_TRUE(holds(item, "a.c and (x|y)* and [z] and \\"));
  // A term cut in the middle of a double-byte character still compiles.
  item.setKeywords(std::string("ア") + '\x83');
  EXPECT_FALSE(holds(item, "アイ"));
  EXPECT_TRUE(holds(item, std::string("ア") + '\x83'));
}

TEST(RegexKeywordItem, PatternModeAndItsErrors) {
  TKeywordItem item;
  item.setPlainMode(false);
  item.setKeywords("a.c x+y");
  EXPECT_TRUE(holds(item, "abc xxy"));
  EXPECT_FALSE(holds(item, "abc xz"));
  // A parser error surfaces when the matchers are built, at every test.
  item.setKeywords("ok a**");
  item.text = "ok";
  EXPECT_THROW(item.test(), ERegExpParser);
  EXPECT_THROW(item.test(), ERegExpParser);
  // A tokenising error is swallowed: that term then matches every text.
  item.setKeywords("ok [abc");
  EXPECT_TRUE(holds(item, "ok"));
  EXPECT_FALSE(holds(item, "no"));
  // Back to plain mode: the same keywords are plain text again.
  item.setPlainMode(true);
  EXPECT_FALSE(holds(item, "ok"));
  EXPECT_TRUE(holds(item, "ok [abc"));
}

TEST(RegexKeywordItem, FoldingCanBeSwitchedOff) {
  TKeywordItem item;
  item.setKeywords("ABC");
  EXPECT_TRUE(holds(item, "ａｂｃ"));
  item.setFuzzy(false);
  EXPECT_FALSE(holds(item, "ａｂｃ"));
  EXPECT_TRUE(holds(item, "xABC"));
}

}  // namespace
}  // namespace gleanix::regex
