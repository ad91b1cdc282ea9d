#include "regex/re_scanner.h"

#include "regex/reg_exp_error.h"

namespace gleanix::regex {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

TREToken TREScanner::next() { return inClass_ ? nextInClass() : nextNormal(); }

TREToken TREScanner::nextNormal() {
  TREToken t;
  t.start = pos_;
  if (pos_ >= pattern_.size()) {
    t.kind = TokenKind::End;
    t.end = pos_;
    return t;
  }
  const char c = pattern_[pos_];
  auto single = [&](TokenKind kind) {
    t.kind = kind;
    t.end = ++pos_;
    return t;
  };
  switch (c) {
    case '|': return single(TokenKind::Alternation);
    case '(': return single(TokenKind::GroupOpen);
    case ')': return single(TokenKind::GroupClose);
    case '*': return single(TokenKind::Star);
    case '+': return single(TokenKind::Plus);
    case '?': return single(TokenKind::Question);
    case '.': return single(TokenKind::AnyChar);
    case ']': return single(TokenKind::ClassClose);
    case '[':
      inClass_ = true;
      classEmpty_ = true;
      if (pos_ + 1 < pattern_.size() && pattern_[pos_ + 1] == '^') {
        t.kind = TokenKind::NegatedClassOpen;
        pos_ += 2;
        t.end = pos_;
        return t;
      }
      return single(TokenKind::ClassOpen);
    default:
      t.kind = TokenKind::Literal;
      t.code = readChar();
      t.end = pos_;
      return t;
  }
}

TREToken TREScanner::nextInClass() {
  TREToken t;
  t.start = pos_;
  if (pos_ >= pattern_.size()) {
    throw ERegExpParser(reg_exp_errors::kNeedBracket, pos_ + 1);
  }
  if (pattern_[pos_] == ']') {
    if (classEmpty_) throw ERegExpParser(reg_exp_errors::kBadClass, pos_ + 1);
    inClass_ = false;
    t.kind = TokenKind::ClassClose;
    t.end = ++pos_;
    return t;
  }
  classEmpty_ = false;
  t.kind = TokenKind::Literal;
  t.code = readChar();
  // "-" makes a range unless "]" or the end of the pattern follows it; then
  // it is a character of its own.
  if (pos_ + 1 < pattern_.size() && pattern_[pos_] == '-' && pattern_[pos_ + 1] != ']') {
    ++pos_;
    t.kind = TokenKind::Range;
    t.code2 = readChar();
    if (t.code2 < t.code) throw ERegExpParser(reg_exp_errors::kBadRange, t.start + 1);
  }
  t.end = pos_;
  return t;
}

Code TREScanner::readChar() {
  if (pattern_[pos_] == '\\') return readEscape(pos_);
  return readPlainChar();
}

Code TREScanner::readPlainChar() {
  const std::size_t at = pos_;
  const auto b = static_cast<unsigned char>(pattern_[at]);
  if (util::isLeadByte(b)) {
    if (at + 1 >= pattern_.size()) throw ERegExpParser(reg_exp_errors::kNoTrailByte, at + 1);
    pos_ = at + 2;
    return static_cast<Code>(b << 8 | static_cast<unsigned char>(pattern_[at + 1]));
  }
  pos_ = at + 1;
  return b;
}

Code TREScanner::readEscape(std::size_t backslash) {
  std::size_t i = backslash + 1;
  if (i >= pattern_.size()) throw ERegExpParser(reg_exp_errors::kBadBackslash, backslash + 1);
  const char c = pattern_[i];
  switch (c) {
    case 'b': pos_ = i + 1; return 8;
    case 'n': pos_ = i + 1; return 10;
    case 'r': pos_ = i + 1; return 13;
    case 't': pos_ = i + 1; return 9;
    case 'x': {
      Code value = 0;
      std::size_t j = i + 1;
      while (j < pattern_.size() && j < i + 5 && hexValue(pattern_[j]) >= 0) {
        value = value * 16 + static_cast<Code>(hexValue(pattern_[j]));
        ++j;
      }
      if (j == i + 1) throw ERegExpParser(reg_exp_errors::kBadHex, backslash + 1);
      pos_ = j;
      return value;
    }
    default:
      break;
  }
  if (isOctal(c)) {
    Code value = 0;
    std::size_t j = i;
    while (j < pattern_.size() && j < i + 6 && isOctal(pattern_[j])) {
      value = value * 8 + static_cast<Code>(pattern_[j] - '0');
      ++j;
    }
    if (value > 0xFFFF) throw ERegExpParser(reg_exp_errors::kBadOctal, backslash + 1);
    pos_ = j;
    return value;
  }
  // Any other character stands for itself, a double-byte one included.
  pos_ = i;
  return readPlainChar();
}

std::vector<TREToken> tokenizePattern(std::string_view pattern) {
  std::vector<TREToken> tokens;
  TREScanner scanner(pattern);
  for (;;) {
    tokens.push_back(scanner.next());
    if (tokens.back().kind == TokenKind::End) return tokens;
  }
}

}  // namespace gleanix::regex
