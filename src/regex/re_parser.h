#pragma once
// TREParser: builds the parse tree of a pattern.
//
//   expression := term { "|" term }            (left-associative alternation)
//   term       := empty | factor { factor }    (empty before "|", ")" or the end)
//   factor     := atom [ "*" | "+" | "?" ]
//   atom       := character | "(" expression ")" | "[" class "]" | "[^" class "]" | "."
//
// The grammar is parsed with an explicit stack instead of recursion, so that
// thousands of nested groups cannot overflow a thread's stack.

#include <string_view>

#include "regex/re_parse_tree.h"

namespace gleanix::regex {

class TREParser {
 public:
  // Parses pattern into tree (which must be new) and makes its leaves
  // disjoint. Raises ERegExpParser on a syntax error.
  static void parse(std::string_view pattern, TREParseTree& tree);
};

}  // namespace gleanix::regex
