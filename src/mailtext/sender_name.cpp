#include "mailtext/sender_name.h"

#include "util/sjis.h"

namespace gleanix::mailtext {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Whether the last character is the single-byte character c (a trail byte
// equal to c does not count). Found from the end: the byte before the run
// of possible lead bytes in front of the last byte always ends a character,
// so the run pairs up from its start, and the last byte is a character of
// its own exactly when the run is even.
bool endsWithChar(std::string_view s, char c) {
  if (s.empty() || s.back() != c) return false;
  std::size_t leads = 0;
  for (std::size_t i = s.size() - 1; i > 0 && util::isLeadByte(static_cast<unsigned char>(s[i - 1])); --i) ++leads;
  return leads % 2 == 0;
}

}  // namespace

std::string senderName(std::string_view value) {
  std::string_view s = util::trim(value);
  if (s.empty()) return {};

  if (endsWithChar(s, '>')) {
    const std::size_t open = util::findByte(s, '<');
    if (open == 0) {
      s = s.substr(1, s.size() - 2);
    } else if (open != npos) {
      s = util::trim(s.substr(0, open));
    }
  }

  if (endsWithChar(s, ')')) {
    const std::size_t open = util::findByte(s, '(');
    if (open != npos) s = util::trim(s.substr(open + 1, s.size() - 1 - (open + 1)));
  }

  if (!s.empty() && s.front() == '"' && endsWithChar(s, '"')) {
    return s.size() >= 2 ? std::string(s.substr(1, s.size() - 2)) : std::string();
  }

  const std::size_t at = util::findByte(s, '@');
  if (at != npos) s = s.substr(0, at);
  return std::string(s);
}

}  // namespace gleanix::mailtext
