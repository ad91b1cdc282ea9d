#include "regex/regular_expression.h"

#include "regex/reg_exp_error.h"

namespace gleanix::regex {

TRegularExpression::TRegularExpression() { slots_[0] = std::make_unique<CompiledPattern>(std::string_view()); }

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
    slots_[1] = std::make_unique<CompiledPattern>(preprocessor_.output());
    slot_ = 1;
  } catch (const ERegExpParser& e) {
    slots_[1].reset();
    slot_ = 0;
    // Report the error where it stands in the pattern as written, not in
    // the rewritten text.
    const ERegExpParser error(e.text(), preprocessor_.patternPosition(e.bytePosition()));
    errorPosition_ = error.position();
    errorMessage_ = error.what();
    throw error;
  } catch (...) {
    slots_[1].reset();
    slot_ = 0;
    throw;
  }
}

}  // namespace gleanix::regex
