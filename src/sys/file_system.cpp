#include "sys/file_system.h"

namespace gleanix::sys {

void splitLineViews(std::string_view bytes, std::vector<std::string_view>& lines) {
  lines.clear();
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(bytes.substr(start, i - start));
      i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
}

std::vector<std::string> splitLines(std::string_view bytes) {
  std::vector<std::string_view> views;
  splitLineViews(bytes, views);
  return std::vector<std::string>(views.begin(), views.end());
}

std::optional<std::vector<std::string>> FileSystem::readLines(const std::string& path) const {
  auto bytes = readFile(path);
  if (!bytes) return std::nullopt;
  return splitLines(*bytes);
}

void FileSystem::forEachEntry(const std::string& directory, const EntryVisitor& visit) const {
  for (const DirEntry& e : list(directory + "*")) visit(e.name, e.isDirectory, e.isLink);
}

bool FileSystem::appendLine(const std::string& path, std::string_view line) {
  std::string bytes = readFile(path).value_or(std::string());
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
  bytes.append(line).append("\r\n");
  return writeFileAtomic(path, bytes);
}

bool FileSystem::staysWithin(const std::string&, const std::string&) const { return true; }

bool FileSystem::readFileInto(const std::string& path, std::string& into) const {
  auto bytes = readFile(path);
  if (!bytes) return false;
  into = std::move(*bytes);
  return true;
}

bool FileSystem::readFileWithin(const std::string& root, const std::string& path, std::string& into) const {
  return staysWithin(root, path) && readFileInto(path, into);
}

}  // namespace gleanix::sys
