#include "regex/re_parser.h"

#include <algorithm>
#include <vector>

#include "regex/re_scanner.h"
#include "regex/reg_exp_error.h"

namespace gleanix::regex {

namespace {

// One open group (or the whole pattern): the alternation built so far and
// the term being built.
struct Frame {
  int alternation = -1;
  int term = -1;
};

class Parser {
 public:
  Parser(std::string_view pattern, TREParseTree& tree) : scanner_(pattern), tree_(tree) {}

  void run() {
    std::vector<Frame> frames(1);
    token_ = scanner_.next();
    for (;;) {
      Frame& frame = frames.back();
      switch (token_.kind) {
        case TokenKind::Alternation:
          frame.alternation = closeTerm(frame);
          frame.term = -1;
          token_ = scanner_.next();
          break;
        case TokenKind::GroupClose:
        case TokenKind::End: {
          const int expression = closeTerm(frame);
          if (frames.size() == 1) {
            if (token_.kind != TokenKind::End) throw error(reg_exp_errors::kBadEnd);
            tree_.setRoot(expression);
            return;
          }
          if (token_.kind == TokenKind::End) throw error(reg_exp_errors::kNeedParen);
          frames.pop_back();
          token_ = scanner_.next();
          addFactor(frames.back(), expression);
          break;
        }
        case TokenKind::GroupOpen:
          frames.emplace_back();
          token_ = scanner_.next();
          break;
        case TokenKind::Literal: {
          const int atom = tree_.leaf(token_.code, token_.code);
          token_ = scanner_.next();
          addFactor(frame, atom);
          break;
        }
        case TokenKind::AnyChar: {
          const int atom = ranges(std::vector<CodeRange>(std::begin(kAnyCharRanges), std::end(kAnyCharRanges)));
          token_ = scanner_.next();
          addFactor(frame, atom);
          break;
        }
        case TokenKind::ClassOpen:
        case TokenKind::NegatedClassOpen: {
          const int atom = characterClass(token_.kind == TokenKind::NegatedClassOpen);
          token_ = scanner_.next();
          addFactor(frame, atom);
          break;
        }
        default:
          throw error(reg_exp_errors::kNeedAtom);
      }
    }
  }

 private:
  ERegExpParser error(const char* text) const { return ERegExpParser(text, token_.start + 1); }

  // The frame's alternation with its current term (empty when none) added.
  int closeTerm(const Frame& frame) {
    const int term = frame.term >= 0 ? frame.term : tree_.empty();
    return frame.alternation >= 0 ? tree_.node(kAlternation, frame.alternation, term) : term;
  }

  // Applies one postfix operator, if any, to atom and appends it to the term.
  void addFactor(Frame& frame, int atom) {
    int factor = atom;
    switch (token_.kind) {
      case TokenKind::Star:
        factor = tree_.node(kClosure, atom, -1);
        token_ = scanner_.next();
        break;
      case TokenKind::Plus:
        factor = tree_.node(kConcatenation, atom, tree_.node(kClosure, atom, -1));
        token_ = scanner_.next();
        break;
      case TokenKind::Question:
        factor = tree_.node(kAlternation, atom, tree_.empty());
        token_ = scanner_.next();
        break;
      default:
        break;
    }
    frame.term = frame.term >= 0 ? tree_.node(kConcatenation, frame.term, factor) : factor;
  }

  // Reads the items up to "]" (the scanner is in class mode). The scanner
  // itself reports an unclosed or empty class and a reversed range.
  int characterClass(bool negated) {
    std::vector<CodeRange> items;
    for (token_ = scanner_.next(); token_.kind != TokenKind::ClassClose; token_ = scanner_.next()) {
      if (token_.kind == TokenKind::Range) {
        items.push_back({token_.code, token_.code2});
      } else {
        items.push_back({token_.code, token_.code});
      }
    }
    return ranges(negated ? complement(items) : items);
  }

  // The alternation of the leaves of the given ranges, in order.
  int ranges(const std::vector<CodeRange>& items) {
    if (items.empty()) return tree_.noCharacter();
    int result = -1;
    for (const CodeRange& r : items) {
      const int l = tree_.leaf(r.low, r.high);
      result = result >= 0 ? tree_.node(kAlternation, result, l) : l;
    }
    return result;
  }

  // The parts of the any-character ranges that no item touches; so a
  // negated class never matches NUL, line feed or carriage return either.
  static std::vector<CodeRange> complement(std::vector<CodeRange> items) {
    std::sort(items.begin(), items.end(), [](const CodeRange& a, const CodeRange& b) { return a.low < b.low; });
    std::vector<CodeRange> result;
    for (CodeRange any : kAnyCharRanges) {
      Code from = any.low;
      for (const CodeRange& item : items) {
        if (item.high < from) continue;
        if (item.low > any.high) break;
        if (item.low > from) result.push_back({from, item.low - 1});
        from = item.high + 1;
        if (from > any.high) break;
      }
      if (from <= any.high) result.push_back({from, any.high});
    }
    return result;
  }

  TREScanner scanner_;
  TREParseTree& tree_;
  TREToken token_;
};

}  // namespace

void TREParser::parse(std::string_view pattern, TREParseTree& tree) {
  Parser(pattern, tree).run();
  tree.makeLeavesDisjoint();
}

}  // namespace gleanix::regex
