#pragma once
// Windows file-name wildcards: "*" any run of characters, "?" one character,
// letters compared without regard to case. As on Windows, a mask ending in
// ".*" also matches a name that has no dot at all ("Acc*.*" matches "Acc1").

#include <string_view>

namespace gleanix::util {

bool matchesWildcard(std::string_view mask, std::string_view name);

}  // namespace gleanix::util
