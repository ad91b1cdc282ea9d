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
#include <utility>
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
  void forEachEntry(const std::string& directory, const EntryVisitor& visit) const override;
  std::optional<std::string> storedName(const std::string& path) const override;
  bool createDirectory(const std::string& path) override;
  bool writeFileAtomic(const std::string& path, std::string_view bytes) override;
  bool removeFile(const std::string& path) override;
  bool moveFile(const std::string& from, const std::string& to) override;
  bool appendLine(const std::string& path, std::string_view line) override;
  bool staysWithin(const std::string& root, const std::string& path) const override;
  bool readFileInto(const std::string& path, std::string& into) const override;
  bool readFileWithin(const std::string& root, const std::string& path, std::string& into) const override;

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
    // When the directory was last read; patched: own changes were put in
    // since (see beginChange).
    long long readNs = 0;
    bool patched = false;
    bool trusted(const Stamp& now, long long clockNs) const;
    std::vector<sys::DirEntry> entries;  // sorted as NTFS sorts
    std::vector<std::string> keys;       // the names upper-cased, same order
    // The entry named name in any letter case, the exact spelling first.
    const sys::DirEntry* find(const std::string& name) const;
    // Takes away the entry of exactly this name / puts one in, in order.
    void erase(const std::string& name);
    void insert(sys::DirEntry entry);
  };
  static std::optional<Stamp> stampOf(const std::string& posixDir);
  // Where a path would go: its existing parent directory, the last component
  // as given and, when an entry of that name exists, its stored spelling.
  struct Placement {
    std::string dir;
    std::string name;
    std::optional<std::string> stored;
  };

  std::shared_ptr<const Listing> listing(const std::string& posixDir) const;
  // The cached listing of the directory in that state, when it can still be
  // trusted; null otherwise.
  std::shared_ptr<const Listing> keptListing(const Stamp& stamp) const;

  // A change this object makes to the entries of a directory keeps the
  // directory's cached listing instead of making the next lookup read the
  // directory again (a copy run changes its folder with every mail). The
  // stamp is read just before and just after the change; a listing that was
  // current and settled just before takes the change and the new stamp.
  // Another process's change within the same tick of the file clock as an
  // own change leaves no trace in the stamp; so a patched listing is read
  // again once it is kPatchedTrustNs old, and such a change is seen then.
  // Two changes of one directory at a time, from two threads, drop the
  // listing instead.
  static constexpr long long kPatchedTrustNs = 1000000000LL;
  // Listings are kept by the directory's device and inode, so that two
  // spellings of one directory (through a link, or "x/./y") share one.
  using DirKey = std::pair<dev_t, ino_t>;
  static DirKey keyOf(const Stamp& s) { return {s.device, s.inode}; }
  struct OwnChange {
    std::string dir;
    std::optional<DirKey> key;         // none: not a directory to follow
    std::shared_ptr<Listing> listing;  // null: nothing to carry over
  };
  OwnChange beginChange(const std::string& posixDir) const;
  // removed and added: the entry names, as stored, that the change took away
  // from the directory and put into it.
  void endChange(OwnChange& change, const std::vector<std::string>& removed,
                 const std::vector<std::string>& added) const;
  std::optional<Placement> place(const std::string& path) const;
  // The real path (links followed) of an existing directory, remembered
  // while the directory stays the same one.
  std::optional<std::string> realDirectory(const std::string& posixDir) const;
  std::optional<std::string> realRoot(const std::string& root) const;

  // An open directory and its real path: a mail in it is opened by its
  // name relative to the open directory, one lookup of one name, instead of
  // a walk along the whole path for the open and for each of the two stats
  // of the containment check. The check is made afresh once it is
  // kCheckedDirTrustNs old, so a folder moved away or swapped for a link is
  // seen within that time.
  struct CheckedDir {
    int fd = -1;
    std::string realPath;
    long long checkedNs = 0;
    CheckedDir() = default;
    CheckedDir(const CheckedDir&) = delete;
    CheckedDir& operator=(const CheckedDir&) = delete;
    ~CheckedDir();
  };
  static constexpr long long kCheckedDirTrustNs = 1000000000LL;
  static constexpr std::size_t kMaxCheckedDirs = 256;
  std::shared_ptr<const CheckedDir> checkedDir(const std::string& posixDir) const;

  // A directory keeps its device and inode when it is moved: the real path
  // is taken afresh once it is kCheckedDirTrustNs old, so that a folder
  // moved out of the store and reached again through a link is seen.
  struct RealPath {
    dev_t device = 0;
    ino_t inode = 0;
    std::string path;
    long long checkedNs = 0;
  };

  mutable std::mutex mutex_;
  mutable std::map<DirKey, std::shared_ptr<Listing>> cache_;
  mutable std::map<DirKey, int> changing_;  // own changes under way, by directory
  mutable std::map<std::string, RealPath> realDirs_;
  mutable std::map<std::string, std::string> realRoots_;
  mutable std::map<std::string, std::shared_ptr<const CheckedDir>> checkedDirs_;
};

}  // namespace gleanix::backend
