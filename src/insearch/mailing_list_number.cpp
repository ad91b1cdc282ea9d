#include "insearch/mailing_list_number.h"

#include <algorithm>

#include "util/sjis.h"

namespace gleanix::insearch {
namespace {

// The first character start at or after byte from. A byte below 0x40 can
// never be a trail byte, so the walk starts at the last such byte before
// from instead of at the beginning of the text.
std::size_t charStartFrom(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i > 0 && static_cast<unsigned char>(text[i - 1]) >= 0x40) --i;
  while (i < from) i += util::charBytesAt(text, i);
  return i;
}

}  // namespace

std::optional<std::string> mailingListNumberAt(std::string_view text, std::size_t caret) {
  caret = std::min(caret, text.size());
  const std::size_t beforeStart = charStartFrom(text, caret > kNumberReach ? caret - kNumberReach : 0);
  std::size_t open = std::string_view::npos;
  for (std::size_t i = beforeStart; i < caret; i += util::charBytesAt(text, i)) {
    if (text[i] == '[') open = i;
  }
  if (open == std::string_view::npos) return std::nullopt;

  const std::string_view after = text.substr(caret, kNumberReach);
  const std::size_t close = util::findByte(after, ']');
  if (close == std::string_view::npos) return std::nullopt;

  const std::string_view candidate = text.substr(open + 1, caret + close - open - 1);
  if (candidate.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  if (util::findByte(candidate, ':') == std::string_view::npos) return std::nullopt;
  return "[" + std::string(candidate) + "]";
}

std::string mailingListSearchKey(std::string_view number) {
  const std::size_t colon = util::findByte(number, ':');
  if (colon == std::string_view::npos) return std::string(number);
  return std::string(number.substr(0, colon + 1)) + std::string(number.substr(colon));
}

}  // namespace gleanix::insearch
