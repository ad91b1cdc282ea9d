#pragma once
// Hash and equality of texts compared as the host's lists compare keys:
// ASCII letters without regard to case, the bytes of double-byte
// characters exactly (equal exactly when their util::upperAscii forms are).
// Transparent, so that a map keyed by std::string is looked up with a
// string_view, and nothing is upper-cased or copied for a look-up.

#include <cstddef>
#include <string_view>

namespace gleanix::util {

// Texts that equalsIgnoreCase calls equal hash alike.
std::size_t foldedHash(std::string_view text);

struct FoldedHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view key) const;
};

struct FoldedEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace gleanix::util
