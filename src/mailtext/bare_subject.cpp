#include "mailtext/bare_subject.h"

#include "util/sjis.h"

namespace gleanix::mailtext {

std::string bareSubject(std::string_view upperSubject) {
  // Every step leaves s on a character boundary: trimming removes only
  // bytes up to 0x20, which are never part of a double-byte character.
  std::string_view s = util::trim(upperSubject);
  for (;;) {
    if (!s.empty() && s.front() == '[') {
      const std::size_t close = util::findByte(s, ']');
      if (close != std::string_view::npos) {
        s = util::trim(s.substr(close + 1));
        continue;
      }
    }
    if (s.substr(0, 3) == "RE:") {
      s = util::trim(s.substr(3));
      continue;
    }
    return std::string(s);
  }
}

}  // namespace gleanix::mailtext
