// The production matcher against the straightforward reference on random
// patterns and texts: same match position and length, same "matches
// anywhere" answer, with folding on and off, plain and pattern mode, and
// with a state cache so small that it starts over at almost every step.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regex/awk_str.h"
#include "regex/compiled_pattern.h"
#include "regex/reference_matcher.h"

namespace gleanix::regex {
namespace {

// Characters a pattern is built from: letters that fold, double-byte
// characters whose second byte is "\" (表, ソ) or "|" (ポ, －), kana that
// fold with voiced marks written apart, escapes.
const std::vector<std::string> kPatternChars = {
    "a", "b", "c", "A", "x", "1", "0", "表", "ソ", "ポ", "－", "が", "ｶﾞ", "か゛", "ア", "ｱ", "あ", "一",
    "①", "ー", "す゛", "\\x41", "\\101", "\\.", "\\|", "\\\\", "\\(", "^", "{", "-", "@"};
const std::vector<std::string> kClasses = {"[ab]", "[^a]", "[a-c]", "[表ソ]", "[^表]", "[あ-ん]", "[-a]",
                                           "[^ab1]", "[ア-ン]", "[\\x41-\\x43]", "[ポ-]", "."};
// Pieces of text: the same characters, the characters they fold to, blanks
// and line breaks, and bytes that a pattern might wrongly see inside a
// double-byte character.
const std::vector<std::string> kTextPieces = {
    "a", "b", "c", "A", "x", "1", "0", "Ａ", "ａ", "@", "表", "ソ", "ポ", "－", "\\", "|", "が", "ガ", "ｶﾞ",
    "か", "゛", "ア", "ｱ", "あ", "一", "①", "ー", "ず", "す", " ", "\t", "\r\n", "\n", "　", "-", "ん",
    std::string(1, '\0'), "Ｏ", "o", "。"};

class PatternGenerator {
 public:
  explicit PatternGenerator(unsigned seed) : rng_(seed) {}

  std::string expression(int depth) {
    std::string s = term(depth);
    while (chance(25)) {
      s += '|';
      if (!chance(15)) s += term(depth);
    }
    return s;
  }

  std::string text() {
    std::string s;
    // Some texts are long enough for the filter that tests 16 bytes at a time.
    const int n = chance(20) ? 40 + pick(60) : pick(16);
    for (int i = 0; i < n; ++i) s += kTextPieces[static_cast<std::size_t>(pick(static_cast<int>(kTextPieces.size())))];
    if (chance(5)) s += '\x83';  // a lead byte without its second byte
    return s;
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return pick(100) < percent; }

  std::string term(int depth) {
    std::string s;
    const int n = 1 + pick(3);
    for (int i = 0; i < n; ++i) {
      s += atom(depth);
      const int op = pick(10);
      if (op == 0) s += "*";
      if (op == 1) s += "+";
      if (op == 2) s += "?";
    }
    return s;
  }

  std::string atom(int depth) {
    const int k = pick(10);
    if (k < 2 && depth > 0) {
      std::string group(1, '(');
      group += expression(depth - 1);
      group += ')';
      return group;
    }
    if (k < 4) return kClasses[static_cast<std::size_t>(pick(static_cast<int>(kClasses.size())))];
    return kPatternChars[static_cast<std::size_t>(pick(static_cast<int>(kPatternChars.size())))];
  }

  std::mt19937 rng_;
};

struct Outcome {
  bool compiled = true;
  std::string error;
};

TEST(RegexDifferential, ProductionMatchesTheReferenceOnRandomPatterns) {
  PatternGenerator gen(20240601);
  int compared = 0;
  int matched = 0;
  for (int round = 0; round < 1500; ++round) {
    const std::string pattern = gen.expression(2);
    std::vector<std::string> texts;
    for (int t = 0; t < 12; ++t) texts.push_back(gen.text());
    for (int flags = 0; flags < 4; ++flags) {
      const bool fuzzy = (flags & 1) != 0;
      const bool literal = (flags & 2) != 0;
      SCOPED_TRACE("pattern \"" + pattern + "\" fuzzy " + std::to_string(fuzzy) + " literal " + std::to_string(literal));

      TAWKStr production;
      production.setUseFuzzyCharDic(fuzzy);
      production.setLiteralPattern(literal);
      bool productionFailed = false;
      try {
        production.setRegExp(pattern);
      } catch (const ERegExpParser&) {
        productionFailed = true;
      }
      bool referenceFailed = false;
      std::unique_ptr<reference::ReferenceMatcher> ref;
      try {
        ref = std::make_unique<reference::ReferenceMatcher>(pattern, fuzzy, literal, 20000);
      } catch (const ERegExpParser&) {
        referenceFailed = true;
      }
      ASSERT_EQ(productionFailed, referenceFailed);
      if (referenceFailed || !ref->complete()) continue;

      // The same rewritten pattern with a tiny state cache.
      TREPreProcessor pre;
      pre.addDictionary(&fuzzyCharDic());
      pre.setFuzzy(fuzzy);
      try {
        pre.process(literal ? escapePattern(pattern) : pattern);
      } catch (const ERegExpParser&) {
      }
      CompiledPattern tiny(pre.output(), 1);

      for (const std::string& text : texts) {
        SCOPED_TRACE("text \"" + text + "\"");
        int refPos = 0;
        int refLen = 0;
        ref->match(text, refPos, refLen);
        int pos = -1;
        int len = -1;
        const int result = production.match(text, pos, len);
        ASSERT_EQ(result, pos);
        ASSERT_EQ(pos, refPos);
        ASSERT_EQ(len, refLen);
        ASSERT_EQ(production.matchesAnywhere(text), refPos > 0);
        std::size_t start = 0;
        std::size_t end = 0;
        const bool found = tiny.find(text, start, end);
        ASSERT_EQ(found, refPos > 0);
        if (found) {
          ASSERT_EQ(static_cast<int>(start) + 1, refPos);
          ASSERT_EQ(static_cast<int>(end - start), refLen);
        }
        ASSERT_EQ(tiny.matchesAnywhere(text), refPos > 0);
        ++compared;
        if (refPos > 0) ++matched;
      }
    }
  }
  // The generator must give both outcomes in fair numbers to mean anything.
  EXPECT_GT(compared, 40000);
  EXPECT_GT(matched, compared / 10);
  EXPECT_LT(matched, compared * 9 / 10);
}

}  // namespace
}  // namespace gleanix::regex
