#pragma once
// TKeywordItem: the condition of a keyword search. Each line of the keyword
// text is a list of terms separated by ASCII spaces; a line holds when all
// its terms occur in the text, the condition when any line holds. Each
// distinct term has its own TAWKStr with fuzzy folding on, built at the
// first test after the keywords or the mode changed.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/awk_str.h"
#include "util/int_list.h"

namespace gleanix::regex {

class TKeywordItem {
 public:
  TKeywordItem() = default;

  // Plain mode (the default) matches each term as plain text; off, each
  // term is a regular expression.
  bool plainMode() const { return plainMode_; }
  void setPlainMode(bool on);

  // Fuzzy folding of the terms; on by default, as the keyword search wants.
  bool fuzzy() const { return fuzzy_; }
  void setFuzzy(bool on);

  void setKeywords(std::string_view keywords);
  const std::vector<std::string>& terms() const { return terms_; }
  // For each line, the index of its last term in terms().
  const util::TIntegerList& lineEnds() const { return lineEnds_; }

  // The text to test.
  std::string text;

  // Whether the condition holds for text. In regular-expression mode a term
  // with a syntax error raises ERegExpParser here, at every test, until the
  // keywords change.
  bool test();
  // The same for a text held elsewhere (text is not looked at).
  bool test(std::string_view subject);

 private:
  void compile();

  bool plainMode_ = true;
  bool fuzzy_ = true;
  std::vector<std::string> terms_;
  util::TIntegerList lineEnds_;
  std::vector<std::unique_ptr<TAWKStr>> matchers_;  // one per distinct term
  std::vector<std::size_t> matcherOf_;               // by term: its matcher
  bool compiled_ = false;
};

}  // namespace gleanix::regex
