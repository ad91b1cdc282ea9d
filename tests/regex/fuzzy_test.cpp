// The fuzzy dictionary and the rewrite: contents, order of the groups,
// multi-character members, no folding inside classes, swallowed errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex/awk_str.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/re_preprocessor.h"
#include "regex/reg_exp_error.h"

namespace gleanix::regex {
namespace {

using Strings = std::vector<std::string>;

TEST(RegexCommaText, QuotesDoubledQuotesBlanksAndEmptyItems) {
  EXPECT_EQ(splitCommaText("a,b,c"), (Strings{"a", "b", "c"}));
  EXPECT_EQ(splitCommaText(" a , b "), (Strings{"a", "b"}));
  EXPECT_EQ(splitCommaText("\"a,b\",c"), (Strings{"a,b", "c"}));
  EXPECT_EQ(splitCommaText("\"\"\"\",x"), (Strings{"\"", "x"}));
  EXPECT_EQ(splitCommaText("a,,b"), (Strings{"a", "", "b"}));
  EXPECT_EQ(splitCommaText("a,"), (Strings{"a", ""}));
  EXPECT_EQ(splitCommaText(""), Strings{});
  // Double-byte characters pass whole, whatever their second byte.
  EXPECT_EQ(splitCommaText("表,ソ"), (Strings{"表", "ソ"}));
}

TEST(RegexFuzzyDictionary, HoldsTheGroupsInOrderInCp932) {
  const FuzzyDictionary& dic = fuzzyCharDic();
  ASSERT_EQ(dic.groupCount(), 123u);
  EXPECT_EQ(dic.members(0), (Strings{"#", "＃"}));
  EXPECT_EQ(dic.members(3), (Strings{"\"", "“", "”", "'", "’´", "｀", "^", "＾", "′"}));
  EXPECT_EQ(dic.members(10), (Strings{"\\", "￥", "＼"}));
  EXPECT_EQ(dic.members(11).front(), ",");
  EXPECT_EQ(dic.members(11).size(), 14u);
  const Strings& longVowel = dic.members(7);
  ASSERT_EQ(longVowel.size(), 14u);
  EXPECT_EQ(longVowel.front(), "ー");
  EXPECT_EQ(longVowel[12], "〓");
  EXPECT_EQ(longVowel.back(), "");
  EXPECT_EQ(dic.members(51), (Strings{"が", "ガ", "ｶﾞ", "か゛", "カ゛"}));
  EXPECT_EQ(dic.members(58), (Strings{"ず", "ズ", "ｽﾞ", "す゛", "ス゛", "づ", "ヅ", "ﾂﾞ", "つ゛", "ツ゛"}));
  EXPECT_EQ(dic.members(64).back(), "ｳﾞｧ");
  EXPECT_EQ(dic.members(122), (Strings{"ﾟ", "゜"}));
  // Every member is CP932: "～" is 0x81 0x60, "ｶﾞ" two one-byte characters.
  EXPECT_EQ(dic.members(7)[4], "\x81\x60");
  EXPECT_EQ(dic.members(51)[2], "\xB6\xDE");
  std::size_t members = 0;
  for (std::size_t g = 0; g < dic.groupCount(); ++g) members += dic.members(g).size();
  EXPECT_EQ(members, 622u);
}

TEST(RegexFuzzyDictionary, AlternationsEscapeSpecialMembers) {
  const FuzzyDictionary& dic = fuzzyCharDic();
  EXPECT_EQ(dic.alternation(9), "(\\||｜|∥|!|！|\\?|？)");
  EXPECT_EQ(dic.alternation(10), "(\\\\|￥|＼)");
  EXPECT_EQ(dic.alternation(7), "(ー|ｰ|－|-|～|_|＿|~|￣|=|＝|±|〓|)");
  EXPECT_EQ(dic.alternation(88), "(そ|ソ|ｿ)");  // ソ ends in 0x5C and stays as it is
}

std::string rewrite(const std::string& pattern) {
  TREPreProcessor pre;
  pre.addDictionary(&fuzzyCharDic());
  pre.setFuzzy(true);
  pre.process(pattern);
  return pre.output();
}

TEST(RegexFuzzyRewrite, FirstMatchingGroupWinsAndOtherTokensAreCopied) {
  EXPECT_EQ(rewrite("が"), "(が|ガ|ｶﾞ|か゛|カ゛)");
  // "か゛" as two characters is taken by its voiced group before "か" alone.
  EXPECT_EQ(rewrite("か゛"), "(が|ガ|ｶﾞ|か゛|カ゛)");
  EXPECT_EQ(rewrite("か"), "(か|カ|ｶ|ヵ)");
  EXPECT_EQ(rewrite("0"), "(0|O|o|Ｏ|ｏ|○|●|◎|〇|。|｡)");
  EXPECT_EQ(rewrite("a*|漢"), "(Ａ|ａ|A|a|@|＠|Å)*|漢");
  EXPECT_EQ(rewrite("\\("), "(\\(|（|\\[|［|〔|{|｛|「|『|｢|<|＜|〈|《|【|≪)");
  EXPECT_EQ(rewrite("\\x41"), "(Ａ|ａ|A|a|@|＠|Å)");  // by code, not by spelling
  // Members never reach across a non-literal token.
  EXPECT_EQ(rewrite("か(゛)"), "(か|カ|ｶ|ヵ)((ﾞ|゛))");
  // Nothing is folded inside a class.
  EXPECT_EQ(rewrite("[あa-z]b"), "[あa-z](Ｂ|ｂ|B|b)");
  EXPECT_EQ(rewrite("[^ア]"), "[^ア]");
}

TEST(RegexFuzzyRewrite, ErrorsInTheRewrittenTextAreReportedWhereTheUserWroteThem) {
  TAWKStr m;
  m.setUseFuzzyCharDic(true);
  try {
    m.setRegExp("ab**");
    FAIL() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_EQ(e.text(), reg_exp_errors::kNeedAtom);
    EXPECT_EQ(e.position(), 4);
    EXPECT_EQ(std::string(e.what()), std::string(reg_exp_errors::kNeedAtom) + "(4)");
  }
  EXPECT_EQ(m.errorPosition(), 4);
  try {
    m.setRegExp("(あい");
    FAIL() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_EQ(e.position(), 6);  // just after the pattern
  }
}

struct Found {
  int position;
  int length;
  bool operator==(const Found&) const = default;
};

Found fuzzyFind(const std::string& pattern, const std::string& text, bool literal = false) {
  TAWKStr m;
  m.setUseFuzzyCharDic(true);
  m.setLiteralPattern(literal);
  m.setRegExp(pattern);
  Found f{0, 0};
  m.match(text, f.position, f.length);
  return f;
}

TEST(RegexFuzzyMatch, WidthKanaAndVoicedMarkVariantsMatch) {
  EXPECT_EQ(fuzzyFind("ｶﾞｲﾄﾞ", "ガイド"), (Found{1, 6}));
  EXPECT_EQ(fuzzyFind("ｶﾞｲﾄﾞ", "がいど"), (Found{1, 6}));
  EXPECT_EQ(fuzzyFind("ガイド", "ｶﾞｲﾄﾞ"), (Found{1, 5}));
  EXPECT_EQ(fuzzyFind("ABC", "xａｂｃ"), (Found{2, 6}));
  EXPECT_EQ(fuzzyFind("1", "①"), (Found{1, 2}));
  EXPECT_EQ(fuzzyFind("1", "一"), (Found{1, 2}));
  EXPECT_EQ(fuzzyFind("1", "壱"), (Found{1, 2}));
  EXPECT_EQ(fuzzyFind("が", "か゛"), (Found{1, 4}));
  EXPECT_EQ(fuzzyFind("ヴァ", "ば"), (Found{1, 2}));
  // "0" is taken by the group of look-alikes of O, which lacks the full-width zero.
  EXPECT_EQ(fuzzyFind("0", "０"), (Found{0, 0}));
  EXPECT_EQ(fuzzyFind("0", "Ｏ"), (Found{1, 2}));
  // The long-vowel mark may be left out.
  EXPECT_EQ(fuzzyFind("データ", "デタ"), (Found{1, 4}));
}

TEST(RegexFuzzyMatch, VoicedSuWithTheMarkWrittenApartFindsZu) {
  EXPECT_EQ(fuzzyFind("す゛", "ず"), (Found{1, 2}));
  EXPECT_EQ(fuzzyFind("ず", "す゛"), (Found{1, 4}));
  EXPECT_EQ(fuzzyFind("ス゛", "ず"), (Found{1, 2}));
}

TEST(RegexFuzzyMatch, LiteralFlagFoldsEveryCharacterButKeepsTheDotLiteral) {
  EXPECT_EQ(fuzzyFind("a.b", "axb", true), (Found{0, 0}));
  EXPECT_EQ(fuzzyFind("a.b", "Ａ。ｂ", true), (Found{1, 6}));
  EXPECT_EQ(fuzzyFind("a.b", "a.b", true), (Found{1, 3}));
}

TEST(RegexFuzzyMatch, NoFoldingInsideClasses) {
  EXPECT_EQ(fuzzyFind("[あ]", "あ"), (Found{1, 2}));
  EXPECT_EQ(fuzzyFind("[あ]", "ア"), (Found{0, 0}));
  EXPECT_EQ(fuzzyFind("[^あ]", "ア"), (Found{1, 2}));
}

TEST(RegexFuzzyMatch, TokenisingErrorsAreSwallowedIntoTheErrorPositionAndMessage) {
  for (const auto& [pattern, position] : std::vector<std::pair<std::string, int>>{
           {"ab[cd", 6}, {"[]", 2}, {"x\\", 2}, {"\\xg", 1}, {"[z-a]", 2}, {"\\777777", 1}, {"a\x83", 2}}) {
    SCOPED_TRACE(pattern);
    TAWKStr m;
    m.setUseFuzzyCharDic(true);
    EXPECT_NO_THROW(m.setRegExp(pattern));
    EXPECT_EQ(m.errorPosition(), position);
    EXPECT_TRUE(m.errorMessage().ends_with("(" + std::to_string(position) + ")")) << m.errorMessage();
    int p;
    int l;
    EXPECT_EQ(m.match("zzz", p, l), 1);  // the empty pattern matches everything
    EXPECT_EQ(l, 0);
  }
}

TEST(RegexFuzzyMatch, SwitchingTheDictionarySetsThePatternAgain) {
  TAWKStr m;
  EXPECT_FALSE(m.UseFuzzyCharDic());
  m.setRegExp("ｱ");
  int p;
  int l;
  EXPECT_EQ(m.match("ア", p, l), 0);
  m.setUseFuzzyCharDic(true);
  EXPECT_TRUE(m.UseFuzzyCharDic());
  EXPECT_EQ(m.match("ア", p, l), 1);
  m.setUseFuzzyCharDic(false);
  EXPECT_EQ(m.match("ア", p, l), 0);
  // A pattern with an error raises again when the flag makes it compile.
  try {
    m.setRegExp("a)");
  } catch (const ERegExpParser&) {
  }
  EXPECT_THROW(m.setUseFuzzyCharDic(true), ERegExpParser);
}

}  // namespace
}  // namespace gleanix::regex
