#pragma once
// FileSystem over a POSIX file system, behaving as Windows does for the
// paths the host hands out: "\" separators and file names that match
// without regard to letter case.

#include <sys/types.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
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
  bool appendLine(const std::string& path, std::string_view line) override;
  bool staysWithin(const std::string& root, const std::string& path) const override;

  // The host path mapped to a POSIX path: "\" becomes "/" (never the second
  // byte of a double-byte character). No case resolution.
  static std::string toPosix(const std::string& path);

  // The existing POSIX path that the host path names, each component matched
  // without regard to case; nullopt when some component does not exist.
  // Matching starts below the longest leading part that exists as spelt, so
  // directories above that part (above the mail root) are never listed.
  std::optional<std::string> resolve(const std::string& path) const;

 private:
  // What tells one state of a directory from another.
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    long long mtimeNs = -1;
    long long ctimeNs = -1;
    off_t size = 0;
    nlink_t links = 0;
    bool operator==(const Stamp&) const = default;
  };
  struct Listing {
    Stamp stamp;
    // False while a change could still come within the same timestamp tick
    // and so leave the stamp as it is: such a listing is read again.
    bool settled = false;
    std::vector<sys::DirEntry> entries;  // sorted as NTFS sorts
    std::vector<std::string> keys;       // the names upper-cased, same order
    // The entry named name in any letter case, the exact spelling first.
    const sys::DirEntry* find(const std::string& name) const;
  };
  // Where a path would go: its existing parent directory, the last component
  // as given and, when an entry of that name exists, its stored spelling.
  struct Placement {
    std::string dir;
    std::string name;
    std::optional<std::string> stored;
  };

  std::shared_ptr<const Listing> listing(const std::string& posixDir) const;
  std::optional<Placement> place(const std::string& path) const;
  // The real path (links followed) of an existing directory, remembered
  // while the directory stays the same one.
  std::optional<std::string> realDirectory(const std::string& posixDir) const;
  std::optional<std::string> realRoot(const std::string& root) const;

  struct RealPath {
    dev_t device = 0;
    ino_t inode = 0;
    std::string path;
  };

  mutable std::mutex mutex_;
  mutable std::map<std::string, std::shared_ptr<const Listing>> cache_;
  mutable std::map<std::string, RealPath> realDirs_;
  mutable std::map<std::string, std::string> realRoots_;
};

}  // namespace gleanix::backend
