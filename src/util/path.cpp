#include "util/path.h"

#include <vector>

#include "util/sjis.h"

namespace gleanix::util {
namespace {

// Byte offsets of every "\" that starts a character.
std::vector<std::size_t> separators(std::string_view path) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < path.size(); i += charBytesAt(path, i)) {
    if (path[i] == '\\') out.push_back(i);
  }
  return out;
}

std::size_t lastSeparator(std::string_view path) {
  const std::vector<std::size_t> seps = separators(path);
  return seps.empty() ? std::string_view::npos : seps.back();
}

bool endsWithBackslash(std::string_view path) {
  const std::size_t last = lastCharOffset(path);
  return last != std::string_view::npos && path[last] == '\\';
}

}  // namespace

std::string createDirectoryErrorText() { return "ﾃﾞｨﾚｸﾄﾘを作成することができません"; }

std::string extractFilePath(std::string_view path) {
  const std::size_t sep = lastSeparator(path);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string extractFileName(std::string_view path) {
  const std::size_t sep = lastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string withTrailingBackslash(std::string_view path) {
  if (path.empty() || endsWithBackslash(path)) return std::string(path);
  return std::string(path) + "\\";
}

std::string withoutTrailingBackslash(std::string_view path) {
  return std::string(endsWithBackslash(path) ? path.substr(0, path.size() - 1) : path);
}

std::string longPath(const sys::FileSystem& fs, std::string_view path, MissingComponent missing) {
  const std::vector<std::size_t> seps = separators(path);
  if (seps.empty()) return {};
  std::string result(path.substr(0, seps.front() + 1));
  std::size_t start = seps.front() + 1;
  for (std::size_t k = 1; k <= seps.size(); ++k) {
    const bool last = k == seps.size();
    const std::size_t end = last ? path.size() : seps[k];
    const std::string component(path.substr(start, end - start));
    if (component.empty()) {  // "a\\b" or the end of "C:\a\"
      if (!last) result += '\\';
      start = end + 1;
      continue;
    }
    const std::string probe = result + component;
    const bool isDir = fs.isDirectory(probe);
    const auto stored = (last || isDir) ? fs.storedName(probe) : std::nullopt;
    if (!stored) {
      if (missing == MissingComponent::KeepAsGiven) return result + std::string(path.substr(start));
      return result;
    }
    result += *stored;
    if (isDir) result += '\\';
    start = end + 1;
  }
  return result;
}

bool DirectoryExists(const sys::FileSystem& fs, const std::string& path) {
  return !path.empty() && fs.isDirectory(path);
}

void createDirectories(sys::FileSystem& fs, std::string_view path) {
  if (path.empty()) throw EDirectoryError(createDirectoryErrorText(), std::string());
  // The chain of missing directories, innermost first. Walking up in a loop
  // rather than by recursion keeps deep paths harmless.
  std::vector<std::string> missing;
  std::string dir = withoutTrailingBackslash(path);
  while (charLength(dir) > 2 && !DirectoryExists(fs, dir)) {
    missing.push_back(dir);
    const std::string parent = withoutTrailingBackslash(extractFilePath(dir));
    // No parent left ("dir" or "\dir"): the chain starts at the current or root directory.
    if (parent.empty() || parent == dir) break;
    dir = parent;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!fs.createDirectory(*it) && !DirectoryExists(fs, *it)) {
      throw EDirectoryError(createDirectoryErrorText() + ": " + *it, *it);
    }
  }
}

}  // namespace gleanix::util
