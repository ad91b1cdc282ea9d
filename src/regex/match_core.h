#pragma once
// TMatchCORE: the search. A match is the leftmost one and, at that start,
// the shortest; blanks (tab, line feed, carriage return, space, full-width
// space) in the text are skipped inside a match and never begin one.

#include <string_view>

#include "regex/regular_expression.h"

namespace gleanix::regex {

enum TMatchCORE_LineSeparator { mcls_CRLF, mcls_LF };

class TMatchCORE : public TRegularExpression {
 public:
  // Kept for the callers that set it; matching does not depend on it.
  TMatchCORE_LineSeparator LineSeparator = mcls_CRLF;

  // The 1-based byte position of the first match and its length in bytes
  // (skipped blanks inside it included); both 0 when there is none. Returns
  // the position.
  int match(std::string_view text, int& position, int& length);

  // Whether match would find anything; faster, for callers that need no
  // position.
  bool matchesAnywhere(std::string_view text);
};

}  // namespace gleanix::regex
