// Scanner and parser: error texts and positions, escapes, classes, and the
// disjoint pieces of the leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "regex/re_parser.h"
#include "regex/re_scanner.h"
#include "regex/reg_exp_error.h"

namespace gleanix::regex {
namespace {

namespace errors = reg_exp_errors;

struct ErrorCase {
  std::string pattern;
  const char* text;
  int position;
};

// Parses pattern and returns the error it raises ("" and 0 when none).
std::pair<std::string, int> parseError(const std::string& pattern) {
  try {
    TREParseTree tree;
    TREParser::parse(pattern, tree);
  } catch (const ERegExpParser& e) {
    return {e.text(), e.position()};
  }
  return {"", 0};
}

TEST(RegexErrors, EveryErrorHasItsTextAndPosition) {
  const std::vector<ErrorCase> cases = {
      {"\x82", errors::kNoTrailByte, 1},
      {"ab\x82", errors::kNoTrailByte, 3},
      {"[a\x82", errors::kNoTrailByte, 3},
      {"\\", errors::kBadBackslash, 1},
      {"ab\\", errors::kBadBackslash, 3},
      {"\\x", errors::kBadHex, 1},
      {"a\\xg", errors::kBadHex, 2},
      {"[\\x]", errors::kBadHex, 2},
      {"\\777777", errors::kBadOctal, 1},
      {"a\\200000", errors::kBadOctal, 2},
      {"[abc", errors::kNeedBracket, 5},
      {"[", errors::kNeedBracket, 2},
      {"[^", errors::kNeedBracket, 3},
      {"[a-", errors::kNeedBracket, 4},
      {"[z-a]", errors::kBadRange, 2},
      {"x[ab-a]", errors::kBadRange, 4},
      {"[]", errors::kBadClass, 2},
      {"[^]", errors::kBadClass, 3},
      {"(a", errors::kNeedParen, 3},
      {"((a)", errors::kNeedParen, 5},
      {"(", errors::kNeedParen, 2},
      {"*a", errors::kNeedAtom, 1},
      {"a**", errors::kNeedAtom, 3},
      {"a+?", errors::kNeedAtom, 3},
      {"a|*", errors::kNeedAtom, 3},
      {"(*)", errors::kNeedAtom, 2},
      {"]", errors::kNeedAtom, 1},
      {")", errors::kBadEnd, 1},
      {"a)b", errors::kBadEnd, 2},
      {"(a))", errors::kBadEnd, 4},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.pattern);
    const auto [text, position] = parseError(c.pattern);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(position, c.position);
  }
}

TEST(RegexErrors, MessageIsTextThenPositionInParentheses) {
  try {
    TREParseTree tree;
    TREParser::parse("ab)", tree);
    FAIL() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_EQ(std::string(e.what()), std::string("正規表現の末尾が変です") + "(3)");
  }
  // The texts are CP932 bytes; the backslash error begins with "\" in quotes.
  const std::string backslash = errors::kBadBackslash;
  EXPECT_EQ(backslash.substr(0, 4), "\"\\\" ");
  EXPECT_EQ(static_cast<unsigned char>(backslash[4]), 0x82);  // の = 0x82 0xCC
  EXPECT_EQ(static_cast<unsigned char>(backslash[5]), 0xCC);
}

TEST(RegexErrors, PositionIsKeptInSixteenBitsWithoutWrapping) {
  const ERegExpParser small(errors::kBadEnd, 300);
  EXPECT_EQ(small.position(), 300);
  const ERegExpParser large(errors::kBadEnd, 70000);
  EXPECT_EQ(large.position(), 65535);
  EXPECT_EQ(large.bytePosition(), 70000u);
  EXPECT_EQ(std::string(large.what()), std::string(errors::kBadEnd) + "(70000)");
}

TEST(RegexErrors, ValidCornerPatternsParse) {
  for (const std::string p : {"", "a|", "|a", "()", "(|)", "[a-]", "[-a]", "[]a]x", "^$", "{}", "\\177777", "\\q",
                              "a-b", "[[]", "[(|)*+?.]", "[^^]"}) {
    SCOPED_TRACE(p);
    const auto [text, position] = parseError(p);
    if (p == "[]a]x") {
      EXPECT_EQ(text, errors::kBadClass);  // "]" right after "[" closes an empty class
    } else {
      EXPECT_EQ(text, "");
    }
  }
}

std::vector<TREToken> tokens(const std::string& pattern) { return tokenizePattern(pattern); }

TEST(RegexScanner, EscapesGiveTheirCodes) {
  const std::vector<std::pair<std::string, Code>> cases = {
      {"\\x41", 0x41},  {"\\X", 'X'},        {"\\101", 0x41}, {"\\0", 0},        {"\\b", 8},
      {"\\n", 10},      {"\\r", 13},         {"\\t", 9},      {"\\q", 'q'},      {"\\xfcfc", 0xFCFC},
      {"\\xAb", 0xAB},  {"\\177777", 0xFFFF}, {"\\\\", '\\'},  {"\\あ", 0x82A0},  {"\\.", '.'},
  };
  for (const auto& [pattern, code] : cases) {
    SCOPED_TRACE(pattern);
    const auto t = tokens(pattern);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].kind, TokenKind::Literal);
    EXPECT_EQ(t[0].code, code);
    EXPECT_EQ(t[0].end, pattern.size());
  }
  // At most four hex and six octal digits belong to the escape.
  auto hex = tokens("\\x41425");
  ASSERT_EQ(hex.size(), 3u);
  EXPECT_EQ(hex[0].code, 0x4142u);
  EXPECT_EQ(hex[1].code, Code{'5'});
  auto octal = tokens("\\1011017");
  ASSERT_EQ(octal.size(), 3u);
  EXPECT_EQ(octal[0].code, 0101101u);
  EXPECT_EQ(octal[1].code, Code{'7'});
}

TEST(RegexScanner, TrailBytesBackslashAndBarBelongToTheirCharacter) {
  // 表 = 0x95 0x5C, ソ = 0x83 0x5C, ポ = 0x83 0x7C: one literal each.
  for (const std::string p : {"表", "ソ", "ポ"}) {
    const auto t = tokens(p + "*");
    ASSERT_EQ(t.size(), 3u) << p;
    EXPECT_EQ(t[0].kind, TokenKind::Literal);
    EXPECT_EQ(t[0].code, Code{static_cast<unsigned char>(p[0])} << 8 | static_cast<unsigned char>(p[1]));
    EXPECT_EQ(t[1].kind, TokenKind::Star);
  }
  const auto inClass = tokens("[ポ-表]");
  ASSERT_EQ(inClass.size(), 4u);
  EXPECT_EQ(inClass[1].kind, TokenKind::Range);
  EXPECT_EQ(inClass[1].code, 0x837Cu);
  EXPECT_EQ(inClass[1].code2, 0x955Cu);
}

TEST(RegexScanner, ClassModeReadsSpecialsAsCharacters) {
  const auto t = tokens("[(|*]a*");
  std::vector<TokenKind> kinds;
  for (const auto& tok : t) kinds.push_back(tok.kind);
  EXPECT_EQ(kinds, (std::vector<TokenKind>{TokenKind::ClassOpen, TokenKind::Literal, TokenKind::Literal,
                                           TokenKind::Literal, TokenKind::ClassClose, TokenKind::Literal,
                                           TokenKind::Star, TokenKind::End}));
  const auto negated = tokens("[^^a-]");
  ASSERT_EQ(negated.size(), 6u);
  EXPECT_EQ(negated[0].kind, TokenKind::NegatedClassOpen);
  EXPECT_EQ(negated[1].code, Code{'^'});
  EXPECT_EQ(negated[2].code, Code{'a'});
  EXPECT_EQ(negated[3].code, Code{'-'});
  // Token positions cover the pattern without gaps.
  std::size_t at = 0;
  for (const auto& tok : tokens("a[b-c]\\x41(表|.)+")) {
    EXPECT_EQ(tok.start, at);
    at = tok.end;
  }
}

// The ranges of the leaves of a class pattern, in tree order.
std::vector<std::pair<Code, Code>> leafRanges(const std::string& pattern) {
  TREParseTree tree;
  TREParser::parse(pattern, tree);
  std::vector<std::pair<Code, Code>> out;
  for (const TRELeaf& l : tree.leaves()) out.emplace_back(l.low, l.high);
  return out;
}

TEST(RegexParser, NegatedClassesAndDotNeverCoverNulLineFeedOrReturn) {
  using R = std::vector<std::pair<Code, Code>>;
  EXPECT_EQ(leafRanges("[^a]"), (R{{1, 9}, {11, 12}, {14, 0x60}, {0x62, 0xFCFC}}));
  EXPECT_EQ(leafRanges("."), (R{{1, 9}, {11, 12}, {14, 0xFCFC}}));
  EXPECT_EQ(leafRanges("[^\\n\\x1-\\x8]"), (R{{9, 9}, {11, 12}, {14, 0xFCFC}}));
  EXPECT_EQ(leafRanges("[^b-ya-c]"), (R{{1, 9}, {11, 12}, {14, 0x60}, {0x7A, 0xFCFC}}));
}

TEST(RegexParser, ANegatedClassOfEverythingMatchesNothing) {
  TREParseTree tree;
  TREParser::parse("[^\\x0-\\xffff]", tree);
  EXPECT_TRUE(tree.leaves().empty());
  const TRENode& root = tree.nodes()[static_cast<std::size_t>(tree.root())];
  EXPECT_EQ(root.kind, kLeafNode);
  EXPECT_EQ(root.left, kNoLeaf);
}

TEST(RegexParser, OperatorsBuildTheDescribedNodes) {
  TREParseTree tree;
  TREParser::parse("a+", tree);
  const auto& nodes = tree.nodes();
  const TRENode& plus = nodes[static_cast<std::size_t>(tree.root())];
  ASSERT_EQ(plus.kind, kConcatenation);
  const TRENode& closure = nodes[static_cast<std::size_t>(plus.right)];
  EXPECT_EQ(closure.kind, kClosure);
  EXPECT_EQ(closure.left, plus.left);  // the same atom

  TREParseTree q;
  TREParser::parse("a?", q);
  const TRENode& opt = q.nodes()[static_cast<std::size_t>(q.root())];
  ASSERT_EQ(opt.kind, kAlternation);
  EXPECT_EQ(q.nodes()[static_cast<std::size_t>(opt.right)].kind, kEmptyNode);

  // Left-associative: (a|b)|c and (ab)c.
  TREParseTree alt;
  TREParser::parse("a|b|c", alt);
  const TRENode& top = alt.nodes()[static_cast<std::size_t>(alt.root())];
  EXPECT_EQ(alt.nodes()[static_cast<std::size_t>(top.left)].kind, kAlternation);
  EXPECT_EQ(alt.nodes()[static_cast<std::size_t>(top.right)].kind, kLeafNode);

  // The same range is one leaf.
  TREParseTree interned;
  TREParser::parse("a[a]a(a)", interned);
  EXPECT_EQ(interned.leaves().size(), 1u);
}

// Cutting overlapping pairs until none overlap, as written: the yardstick for
// the sweep that the tree uses.
using Range = std::pair<Code, Code>;

// Some pair of overlapping ranges (the one starting first first), if any.
bool findOverlap(const std::set<Range>& pieces, Range& a, Range& b) {
  // Sorted by start: if the next range does not overlap, no later one does.
  for (auto i = pieces.begin(); i != pieces.end(); ++i) {
    const auto j = std::next(i);
    if (j != pieces.end() && j->first <= i->second) {
      a = *i;
      b = *j;
      return true;
    }
  }
  return false;
}

std::set<Range> pairwisePieces(const std::vector<Range>& leaves) {
  std::set<Range> pieces(leaves.begin(), leaves.end());
  Range a;
  Range b;
  while (findOverlap(pieces, a, b)) {
    const Code lo = b.first;
    const Code mid = std::min(a.second, b.second);
    const Code hi = std::max(a.second, b.second);
    pieces.erase(a);
    pieces.erase(b);
    if (a.first < lo) pieces.emplace(a.first, lo - 1);
    pieces.emplace(lo, mid);
    if (mid < hi) pieces.emplace(mid + 1, hi);
  }
  return pieces;
}

TEST(RegexParser, DisjointPiecesEqualThePairwiseCutting) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string pattern = "[";
    std::vector<std::pair<Code, Code>> leaves;
    const int n = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) {
      const Code a = 0x21 + rng() % 40;
      const Code b = a + rng() % 12;
      char buf[32];
      std::snprintf(buf, sizeof buf, "\\x%X-\\x%X", a, b);
      pattern += buf;
      leaves.emplace_back(a, b);
    }
    pattern += "]";
    TREParseTree tree;
    TREParser::parse(pattern, tree);
    std::sort(leaves.begin(), leaves.end());
    leaves.erase(std::unique(leaves.begin(), leaves.end()), leaves.end());
    const auto expected = pairwisePieces(leaves);
    std::set<std::pair<Code, Code>> actual;
    for (const TREPiece& p : tree.pieces()) actual.emplace(p.low, p.high);
    ASSERT_EQ(actual, expected) << pattern;
    // Each leaf is exactly the run of pieces it names.
    for (const TRELeaf& l : tree.leaves()) {
      ASSERT_EQ(tree.pieces()[static_cast<std::size_t>(l.firstPiece)].low, l.low);
      ASSERT_EQ(tree.pieces()[static_cast<std::size_t>(l.lastPiece)].high, l.high);
      for (int p = l.firstPiece; p < l.lastPiece; ++p) {
        ASSERT_EQ(tree.pieces()[static_cast<std::size_t>(p)].high + 1, tree.pieces()[static_cast<std::size_t>(p) + 1].low);
      }
    }
  }
}

}  // namespace
}  // namespace gleanix::regex
