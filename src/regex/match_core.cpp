#include "regex/match_core.h"

#include <limits>

namespace gleanix::regex {

namespace {
int clampInt(std::size_t v) {
  constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
  return static_cast<int>(v > kMax ? kMax : v);
}
}  // namespace

int TMatchCORE::match(std::string_view text, int& position, int& length) {
  std::size_t start;
  std::size_t end;
  if (current().find(text, start, end)) {
    position = clampInt(start + 1);
    length = clampInt(end - start);
  } else {
    position = 0;
    length = 0;
  }
  return position;
}

bool TMatchCORE::matchesAnywhere(std::string_view text) { return current().matchesAnywhere(text); }

}  // namespace gleanix::regex
