#pragma once
// TRegularExpression: owns a pattern and its compiled automata. Slot 0
// holds the automaton of the empty pattern, compiled at creation; slot 1
// that of the current pattern. A successful set selects slot 1; a failed one
// selects slot 0, so a caller that goes on matching after an error matches
// the empty pattern.

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
  CompiledPattern& current() { return *slots_[slot_]; }
  TREPreProcessor& preprocessor() { return preprocessor_; }
  const TREPreProcessor& preprocessor() const { return preprocessor_; }

 private:
  std::string regExp_;
  bool literalPattern_ = false;
  std::uint16_t errorPosition_ = 0;
  std::string errorMessage_;
  TREPreProcessor preprocessor_;
  std::unique_ptr<CompiledPattern> slots_[2];
  int slot_ = 0;
};

}  // namespace gleanix::regex
