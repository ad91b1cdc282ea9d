#include "util/contained_file_system.h"

#include "util/contained_path.h"
#include "util/sjis.h"

namespace gleanix::util {

ContainedFileSystem::ContainedFileSystem(const sys::FileSystem& reads, sys::FileSystem* writes, std::string root)
    : reads_(&reads), writes_(writes), root_(std::move(root)) {}

bool ContainedFileSystem::allowsAsText(const std::string& path) const {
  return startsWithIgnoreCase(path, root_) && isContainedRelativePath(std::string_view(path).substr(root_.size()));
}

bool ContainedFileSystem::allows(const std::string& path) const {
  return allowsAsText(path) && reads_->staysWithin(root_, path);
}

// A pattern's last component may hold wildcards; the directory part is
// judged as a path.
bool ContainedFileSystem::allowsPattern(const std::string& pattern) const {
  if (!startsWithIgnoreCase(pattern, root_)) return false;
  const std::string_view relative = std::string_view(pattern).substr(root_.size());
  if (!isContainedRelativePath(relative)) return false;
  std::size_t lastSeparator = std::string_view::npos;
  for (std::size_t i = 0; i < relative.size(); i += charBytesAt(relative, i)) {
    if (relative[i] == '\\' || relative[i] == '/') lastSeparator = i;
  }
  const std::string directory =
      lastSeparator == std::string_view::npos ? root_ : root_ + std::string(relative.substr(0, lastSeparator + 1));
  return reads_->staysWithin(root_, directory);
}

bool ContainedFileSystem::exists(const std::string& path) const { return allows(path) && reads_->exists(path); }

bool ContainedFileSystem::isFile(const std::string& path) const { return allows(path) && reads_->isFile(path); }

bool ContainedFileSystem::isDirectory(const std::string& path) const {
  return allows(path) && reads_->isDirectory(path);
}

std::optional<std::string> ContainedFileSystem::readFile(const std::string& path) const {
  std::string bytes;
  if (!readFileInto(path, bytes)) return std::nullopt;
  return bytes;
}

// The file system checks where the path leads and reads it in one go.
bool ContainedFileSystem::readFileInto(const std::string& path, std::string& into) const {
  return allowsAsText(path) && reads_->readFileWithin(root_, path, into);
}

std::vector<sys::DirEntry> ContainedFileSystem::list(const std::string& pattern) const {
  if (!allowsPattern(pattern)) return {};
  return reads_->list(pattern);
}

void ContainedFileSystem::forEachEntry(const std::string& directory, const EntryVisitor& visit) const {
  if (allows(directory)) reads_->forEachEntry(directory, visit);
}

std::optional<std::string> ContainedFileSystem::storedName(const std::string& path) const {
  if (!allows(path)) return std::nullopt;
  return reads_->storedName(path);
}

bool ContainedFileSystem::createDirectory(const std::string& path) {
  return writes_ && allows(path) && writes_->createDirectory(path);
}

bool ContainedFileSystem::writeFileAtomic(const std::string& path, std::string_view bytes) {
  return writes_ && allows(path) && writes_->writeFileAtomic(path, bytes);
}

bool ContainedFileSystem::removeFile(const std::string& path) {
  return writes_ && allows(path) && writes_->removeFile(path);
}

bool ContainedFileSystem::moveFile(const std::string& from, const std::string& to) {
  return writes_ && allows(from) && allows(to) && writes_->moveFile(from, to);
}

bool ContainedFileSystem::appendLine(const std::string& path, std::string_view line) {
  return writes_ && allows(path) && writes_->appendLine(path, line);
}

bool ContainedFileSystem::staysWithin(const std::string& root, const std::string& path) const {
  return allows(path) && reads_->staysWithin(root, path);
}

}  // namespace gleanix::util
