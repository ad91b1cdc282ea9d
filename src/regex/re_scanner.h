#pragma once
// TREScanner: cuts a pattern into tokens. Outside a character class the ten
// characters ( | ) + * ? . [ ] \ are special; inside a class only "]" ends it
// and "a-b" forms a range. Escapes (\b \n \r \t, \x with 1 to 4 hex digits,
// \ with up to 6 octal digits, \ before anything else) work in both modes.
// The scanner enters class mode after "[" or "[^" and leaves it after "]".

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/re_char.h"

namespace gleanix::regex {

enum class TokenKind : int {
  Literal = 0,
  Range = 1,
  Alternation = 2,
  GroupOpen = 3,
  GroupClose = 4,
  Star = 5,
  Plus = 6,
  Question = 7,
  ClassOpen = 8,
  NegatedClassOpen = 9,
  ClassClose = 10,
  AnyChar = 11,
  End = 12,
};

struct TREToken {
  TokenKind kind = TokenKind::End;
  Code code = 0;   // literal, or the low end of a range
  Code code2 = 0;  // the high end of a range
  std::size_t start = 0;  // byte offsets into the pattern, [start, end)
  std::size_t end = 0;
};

class TREScanner {
 public:
  explicit TREScanner(std::string_view pattern) : pattern_(pattern) {}

  // The next token; raises ERegExpParser on a malformed character, escape,
  // range or class. After the End token it keeps returning End.
  TREToken next();

  bool inClass() const { return inClass_; }

 private:
  TREToken nextNormal();
  TREToken nextInClass();
  // Reads one character at pos_ (escapes allowed) and advances past it.
  Code readChar();
  Code readPlainChar();  // no escape
  Code readEscape(std::size_t backslash);

  std::string_view pattern_;
  std::size_t pos_ = 0;
  bool inClass_ = false;
  bool classEmpty_ = false;
};

// Every token of the pattern, the End token included.
std::vector<TREToken> tokenizePattern(std::string_view pattern);

}  // namespace gleanix::regex
