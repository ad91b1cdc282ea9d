#include "pickup/key_set.h"

#include "util/sjis.h"

namespace gleanix::pickup {
namespace {

unsigned char folded(char c) {
  return static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
}

}  // namespace

std::size_t FoldedHash::operator()(std::string_view key) const {
  // FNV-1a over the bytes as upperAscii would leave them: the trail byte of
  // a double-byte character is hashed as it is, never folded.
  std::size_t h = static_cast<std::size_t>(14695981039346656037ull);
  for (std::size_t i = 0; i < key.size();) {
    const std::size_t n = util::charBytesAt(key, i);
    if (n == 2) {
      h = (h ^ static_cast<unsigned char>(key[i])) * static_cast<std::size_t>(1099511628211ull);
      h = (h ^ static_cast<unsigned char>(key[i + 1])) * static_cast<std::size_t>(1099511628211ull);
    } else {
      h = (h ^ folded(key[i])) * static_cast<std::size_t>(1099511628211ull);
    }
    i += n;
  }
  return h;
}

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const { return util::equalsIgnoreCase(a, b); }

}  // namespace gleanix::pickup
