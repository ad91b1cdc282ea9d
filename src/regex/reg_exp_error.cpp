#include "regex/reg_exp_error.h"

#include <limits>

namespace gleanix::regex {

namespace {
std::string messageOf(std::string_view text, std::size_t position) {
  std::string message(text);
  message += '(';
  message += std::to_string(position);
  message += ')';
  return message;
}
}  // namespace

ERegExpParser::ERegExpParser(std::string_view text, std::size_t position)
    : std::runtime_error(messageOf(text, position)), text_(text), position_(position) {}

std::uint16_t ERegExpParser::position() const {
  constexpr std::size_t kMax = std::numeric_limits<std::uint16_t>::max();
  return static_cast<std::uint16_t>(position_ > kMax ? kMax : position_);
}

}  // namespace gleanix::regex
