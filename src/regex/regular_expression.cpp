#include "regex/regular_expression.h"

#include "regex/reg_exp_error.h"

namespace gleanix::regex {

TRegularExpression::TRegularExpression() = default;

CompiledPattern& TRegularExpression::emptyPattern() {
  static CompiledPattern empty{std::string_view()};
  return empty;
}

void TRegularExpression::setRegExp(std::string_view pattern) {
  errorPosition_ = 0;
  errorMessage_.clear();
  regExp_.assign(pattern);
  const std::string source = literalPattern_ ? escapePattern(pattern) : std::string(pattern);
  try {
    preprocessor_.process(source);
  } catch (const ERegExpParser& e) {
    // Folding could not read the pattern: the error is only remembered, and
    // the (empty) output is compiled.
    errorPosition_ = e.position();
    errorMessage_ = e.what();
  }
  try {
    compiled_ = std::make_unique<CompiledPattern>(preprocessor_.output());
    // A keyword search keeps thousands of expressions: the rewritten text
    // is needed only to report an error.
    preprocessor_.releaseOutput();
  } catch (const ERegExpParser& e) {
    compiled_.reset();
    // Report the error where it stands in the pattern as written, not in
    // the rewritten text.
    const ERegExpParser error(e.text(), preprocessor_.patternPosition(e.bytePosition()));
    errorPosition_ = error.position();
    errorMessage_ = error.what();
    throw error;
  } catch (...) {
    compiled_.reset();
    throw;
  }
}

}  // namespace gleanix::regex
