#include "util/contained_path.h"

#include "util/sjis.h"

namespace gleanix::util {
namespace {

bool isSeparatorAt(std::string_view text, std::size_t i) { return text[i] == '\\' || text[i] == '/'; }

// "", ".", "..", "...", ". ." and the like: Windows strips trailing dots and
// blanks from a component, so all of them end up as "." or "..".
bool isDotsOnly(std::string_view component) {
  for (const char c : component) {
    if (c != '.' && c != ' ') return false;
  }
  return true;
}

}  // namespace

bool isContainedRelativePath(std::string_view relative) {
  if (relative.empty()) return true;
  // Control bytes and ":" are below 0x40, so they are never the second byte
  // of a double-byte character and can be tested byte by byte.
  for (const char c : relative) {
    if (static_cast<unsigned char>(c) < 0x20 || c == ':') return false;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i <= relative.size();) {
    const bool end = i == relative.size();
    if (end || isSeparatorAt(relative, i)) {
      const std::string_view component = relative.substr(start, i - start);
      const bool trailingFolderSeparator = end && start == relative.size() && start > 0 && relative[start - 1] == '\\';
      if (!trailingFolderSeparator && isDotsOnly(component)) return false;
      if (end) break;
      start = i + 1;
      ++i;
      continue;
    }
    i += charBytesAt(relative, i);
  }
  return true;
}

bool isPlainName(std::string_view name) {
  if (name.empty() || !isContainedRelativePath(name)) return false;
  for (std::size_t i = 0; i < name.size(); i += charBytesAt(name, i)) {
    if (isSeparatorAt(name, i)) return false;
  }
  return true;
}

}  // namespace gleanix::util
