#pragma once
// A hash of text that ignores the case of ASCII letters: texts that
// equalsIgnoreCase calls equal hash alike. For hash sets of names and keys
// that compare so, without upper-cased copies.

#include <cstddef>
#include <string_view>

namespace gleanix::util {

std::size_t foldedHash(std::string_view text);

}  // namespace gleanix::util
