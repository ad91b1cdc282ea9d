#pragma once
// The two columns a display path is shown in by the pickup list: "パス"
// (the directory part) and "フォルダ" (the rest).

#include <string>
#include <string_view>

namespace gleanix::pickup {

struct DisplayPathParts {
  std::string directory;  // up to and including the last "\" or ":"
  std::string rest;       // everything after it
};

// Splits after the last "\" or ":" that is a character of its own (the
// trail byte of a double-byte character is never taken for one). Without
// either, the directory part is empty and the rest is the whole path.
DisplayPathParts splitDisplayPath(std::string_view displayPath);

}  // namespace gleanix::pickup
