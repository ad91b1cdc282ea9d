#include "util/wildcard.h"

#include "util/sjis.h"

namespace gleanix::util {
namespace {

bool sameChar(std::string_view a, std::size_t ai, std::size_t an, std::string_view b, std::size_t bi,
              std::size_t bn) {
  return an == bn && equalsIgnoreCase(a.substr(ai, an), b.substr(bi, bn));
}

// Iterative glob with one backtrack point: linear in practice, never recursive.
bool glob(std::string_view mask, std::string_view name) {
  std::size_t m = 0, n = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    const std::size_t nn = charBytesAt(name, n);
    if (m < mask.size()) {
      const std::size_t mm = charBytesAt(mask, m);
      if (mask[m] == '*') {
        starMask = ++m;
        starName = n;
        continue;
      }
      if (mask[m] == '?' || sameChar(mask, m, mm, name, n, nn)) {
        m += mm;
        n += nn;
        continue;
      }
    }
    if (starMask == std::string_view::npos) return false;
    m = starMask;
    starName += charBytesAt(name, starName);
    n = starName;
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool matchesWildcard(std::string_view mask, std::string_view name) {
  if (glob(mask, name)) return true;
  if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
    return glob(mask.substr(0, mask.size() - 2), name);
  }
  return false;
}

}  // namespace gleanix::util
