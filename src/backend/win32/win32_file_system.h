#pragma once
// FileSystem over the Win32 ANSI API: paths are handed to Windows as they
// come (CP932, "\" separators); Windows itself matches names without regard
// to case.

#include <mutex>
#include <string>
#include <unordered_map>

#include "sys/file_system.h"

namespace gleanix::backend {

class Win32FileSystem : public sys::FileSystem {
 public:
  bool exists(const std::string& path) const override;
  bool isFile(const std::string& path) const override;
  bool isDirectory(const std::string& path) const override;
  std::optional<std::string> readFile(const std::string& path) const override;
  bool readFileInto(const std::string& path, std::string& into) const override;
  std::vector<sys::DirEntry> list(const std::string& pattern) const override;
  void forEachEntry(const std::string& directory, const EntryVisitor& visit) const override;
  std::optional<std::string> storedName(const std::string& path) const override;
  bool createDirectory(const std::string& path) override;
  bool writeFileAtomic(const std::string& path, std::string_view bytes) override;
  bool removeFile(const std::string& path) override;
  bool moveFile(const std::string& from, const std::string& to) override;
  bool appendLine(const std::string& path, std::string_view line) override;
  // Refuses DOS device names ("CON", "NUL.ALM", "COM1") below the root,
  // and reparse points (symbolic links, junctions) whose target lies
  // outside it.
  bool staysWithin(const std::string& root, const std::string& path) const override;
  // The mail's folder is checked as staysWithin checks it once a second at
  // most (a folder swapped for a link is seen within that second); the
  // mail's own name every time.
  bool readFileWithin(const std::string& root, const std::string& path, std::string& into) const override;

 private:
  bool folderStaysWithin(const std::string& root, const std::string& folder) const;

  mutable std::mutex mutex_;
  // "root|folder" -> when it was found to stay within the root (GetTickCount64)
  mutable std::unordered_map<std::string, unsigned long long> checkedFolders_;
};

}  // namespace gleanix::backend
