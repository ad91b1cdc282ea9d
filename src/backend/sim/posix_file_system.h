#pragma once
// FileSystem over a POSIX file system, behaving as Windows does for the
// paths the host hands out: "\" separators and file names that match
// without regard to letter case.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sys/file_system.h"

namespace gleanix::backend {

class PosixFileSystem : public sys::FileSystem {
 public:
  bool exists(const std::string& path) const override;
  bool isFile(const std::string& path) const override;
  bool isDirectory(const std::string& path) const override;
  std::optional<std::string> readFile(const std::string& path) const override;
  std::vector<sys::DirEntry> list(const std::string& pattern) const override;
  std::optional<std::string> storedName(const std::string& path) const override;
  bool createDirectory(const std::string& path) override;
  bool writeFileAtomic(const std::string& path, std::string_view bytes) override;
  bool removeFile(const std::string& path) override;
  bool moveFile(const std::string& from, const std::string& to) override;

  // The host path mapped to a POSIX path: "\" becomes "/" (never the second
  // byte of a double-byte character). No case resolution.
  static std::string toPosix(const std::string& path);

  // The existing POSIX path that the host path names, each component matched
  // without regard to case; nullopt when some component does not exist.
  std::optional<std::string> resolve(const std::string& path) const;

 private:
  struct Listing {
    long long mtimeNs = -1;
    std::vector<sys::DirEntry> entries;  // sorted as NTFS sorts
  };
  std::shared_ptr<const Listing> listing(const std::string& posixDir) const;
  // Existing parent directory resolved, plus the last component as given.
  std::optional<std::pair<std::string, std::string>> resolveParent(const std::string& path) const;

  mutable std::mutex mutex_;
  mutable std::map<std::string, std::shared_ptr<const Listing>> cache_;
};

}  // namespace gleanix::backend
