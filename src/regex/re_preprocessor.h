#pragma once
// TREPreProcessor: rewrites a pattern before it is compiled. Without the
// fuzzy flag the output is the pattern itself. With it, each run of literal
// characters outside character classes is looked up in the dictionaries:
// where a member of a group matches (the first group, then the first member,
// in order), the output gets the alternation of the whole group instead;
// everything else is copied as written.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "regex/fuzzy_dictionary.h"

namespace gleanix::regex {

class TREPreProcessor {
 public:
  void addDictionary(const FuzzyDictionary* dictionary) { dictionaries_.push_back(dictionary); }
  const std::vector<const FuzzyDictionary*>& dictionaries() const { return dictionaries_; }

  bool fuzzy() const { return fuzzy_; }
  void setFuzzy(bool on) { fuzzy_ = on; }

  // Rewrites pattern into output(). Raises ERegExpParser when the pattern
  // cannot be tokenised (fuzzy flag on only); the output is then empty.
  void process(std::string_view pattern);
  const std::string& output() const { return output_; }
  // Frees the output and its positions once they have been compiled.
  void releaseOutput();

  // The 1-based position in the last pattern of what stands at the 1-based
  // position outputPosition of the output, so that an error found in the
  // rewritten text can be reported where the user wrote it.
  std::size_t patternPosition(std::size_t outputPosition) const;

 private:
  struct Piece {
    std::size_t outputStart;
    std::size_t patternStart;
  };
  void emit(std::string_view text, std::size_t patternStart);

  std::vector<const FuzzyDictionary*> dictionaries_;
  bool fuzzy_ = false;
  std::string output_;
  std::size_t patternSize_ = 0;
  std::vector<Piece> pieces_;  // by outputStart, ascending
};

}  // namespace gleanix::regex
