#pragma once
// TRegularExpression: owns a pattern and its compiled automata. Before a
// pattern is set, and after a set that failed, the automaton of the empty
// pattern stands in, so a caller that goes on matching after an error
// matches the empty pattern.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "regex/compiled_pattern.h"
#include "regex/re_preprocessor.h"

namespace gleanix::regex {

class TRegularExpression {
 public:
  TRegularExpression();
  virtual ~TRegularExpression() = default;
  TRegularExpression(const TRegularExpression&) = delete;
  TRegularExpression& operator=(const TRegularExpression&) = delete;

  const std::string& RegExp() const { return regExp_; }
  // Compiles pattern and selects it; raises ERegExpParser on a syntax error
  // (after selecting the empty pattern).
  void setRegExp(std::string_view pattern);

  // When set, the next setRegExp matches its pattern as plain text.
  bool literalPattern() const { return literalPattern_; }
  void setLiteralPattern(bool on) { literalPattern_ = on; }

  // The position of the last syntax error met while setting the pattern
  // (also one swallowed by the fuzzy rewrite); 0 when none.
  std::uint16_t errorPosition() const { return errorPosition_; }
  // The message of that error, text and position ("右ブラケット "]" が必要です(4)"),
  // so that a caller can show an error the fuzzy rewrite swallowed; empty
  // when none.
  const std::string& errorMessage() const { return errorMessage_; }

 protected:
  CompiledPattern& current() { return compiled_ ? *compiled_ : emptyPattern(); }
  TREPreProcessor& preprocessor() { return preprocessor_; }
  const TREPreProcessor& preprocessor() const { return preprocessor_; }

 private:
  std::string regExp_;
  bool literalPattern_ = false;
  std::uint16_t errorPosition_ = 0;
  std::string errorMessage_;
  TREPreProcessor preprocessor_;
  // The pattern as compiled; null until one compiles, and after a pattern
  // that does not: then the empty pattern stands in. That one is shared by
  // every expression (it matches at once and never builds states), so that
  // thousands of keyword terms do not each carry a copy.
  std::unique_ptr<CompiledPattern> compiled_;
  static CompiledPattern& emptyPattern();
};

}  // namespace gleanix::regex
