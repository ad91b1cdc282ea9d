#include "backend/sim/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <utility>

#include "util/sjis.h"
#include "util/wildcard.h"

namespace gleanix::backend {
namespace {

bool statPath(const std::string& p, struct stat& st) { return ::stat(p.c_str(), &st) == 0; }

long long nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

// The clock the kernel stamps files with: a change made after this reading
// carries a time at or after it.
long long fileClockNs() {
  timespec t{};
#ifdef CLOCK_REALTIME_COARSE
  ::clock_gettime(CLOCK_REALTIME_COARSE, &t);
#else
  ::clock_gettime(CLOCK_REALTIME, &t);
#endif
  return nanoseconds(t);
}

// Some file systems keep whole seconds only (FAT even two): a stamp without
// a fraction may hide later changes for that long.
long long stampGrainNs(long long mtimeNs) {
#ifdef CLOCK_REALTIME_COARSE
  return mtimeNs % 1000000000LL == 0 ? 2000000000LL : 0;
#else
  (void)mtimeNs;
  return 2000000000LL;
#endif
}

std::vector<std::string> splitComponents(const std::string& posix) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= posix.size()) {
    const std::size_t slash = posix.find('/', start);
    const std::size_t end = slash == std::string::npos ? posix.size() : slash;
    if (end > start) parts.push_back(posix.substr(start, end - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return parts;
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

std::string withoutTrailingSlash(std::string p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

// "a//b" as "a/b": one spelling per directory, so that the listing cache
// knows a directory under one name whichever way a root was joined.
std::string singleSlashes(std::string p) {
  p.erase(std::unique(p.begin(), p.end(), [](char a, char b) { return a == '/' && b == '/'; }), p.end());
  return p;
}

// "/" is never the second byte of a double-byte character (those start at
// 0x40), so a POSIX path splits at its last "/" safely.
std::pair<std::string, std::string> splitLast(const std::string& posix) {
  const std::size_t slash = posix.rfind('/');
  if (slash == std::string::npos) return {".", posix};
  return {slash == 0 ? "/" : posix.substr(0, slash), posix.substr(slash + 1)};
}

bool sameInode(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return statPath(a, sa) && statPath(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A new file of a name no other writer uses, in dir. Each write gets its
// own, so that two threads saving the same file never share one.
int createTemporary(const std::string& dir, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "~GX%lX-%X.tmp", static_cast<unsigned long>(::getpid()), ++counter);
    temp = joinPath(dir, name);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void syncDirectory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // makes the rename itself durable; the data is already synced
  ::close(fd);
}

// Like Windows' MoveFile: fails when the target exists.
bool renameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;  // else the file system lacks the flag
#endif
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

std::string PosixFileSystem::toPosix(const std::string& path) {
  std::string out(path);
  for (std::size_t i = 0; i < out.size(); i += util::charBytesAt(out, i)) {
    if (out[i] == '\\') out[i] = '/';
  }
  return out;
}

const sys::DirEntry* PosixFileSystem::Listing::find(const std::string& name) const {
  const std::string key = util::upperAscii(name);
  const sys::DirEntry* first = nullptr;
  for (auto it = std::lower_bound(keys.begin(), keys.end(), key); it != keys.end() && *it == key; ++it) {
    const sys::DirEntry& e = entries[static_cast<std::size_t>(it - keys.begin())];
    if (e.name == name) return &e;
    if (!first) first = &e;
  }
  return first;
}

namespace {

// The entry a listing gives a name in dir, links included.
std::optional<sys::DirEntry> entryAt(const std::string& dir, const std::string& name) {
  struct stat ls {};
  if (::lstat(joinPath(dir, name).c_str(), &ls) != 0) return std::nullopt;
  sys::DirEntry e{name, S_ISDIR(ls.st_mode), S_ISLNK(ls.st_mode)};
  if (e.isLink) {
    struct stat es {};
    e.isDirectory = statPath(joinPath(dir, name), es) && S_ISDIR(es.st_mode);
  }
  return e;
}

}  // namespace

std::optional<PosixFileSystem::Stamp> PosixFileSystem::stampOf(const std::string& posixDir) {
  struct stat st {};
  if (!statPath(posixDir, st) || !S_ISDIR(st.st_mode)) return std::nullopt;
  return Stamp{st.st_dev, st.st_ino, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim), st.st_size, st.st_nlink};
}

bool PosixFileSystem::Listing::trusted(const Stamp& now, long long clockNs) const {
  return settled && stamp == now && (!patched || clockNs - readNs < kPatchedTrustNs);
}

PosixFileSystem::OwnChange PosixFileSystem::beginChange(const std::string& posixDir) const {
  OwnChange change{posixDir, std::nullopt, nullptr};
  const auto now = stampOf(posixDir);
  if (!now) return change;
  change.key = keyOf(*now);
  const long long clockNs = fileClockNs();
  std::lock_guard<std::mutex> lock(mutex_);
  const bool alone = ++changing_[*change.key] == 1;
  auto it = cache_.find(*change.key);
  if (alone && it != cache_.end() && it->second->trusted(*now, clockNs)) change.listing = it->second;
  return change;
}

void PosixFileSystem::endChange(OwnChange& change, const std::vector<std::string>& removed,
                                const std::vector<std::string>& added) const {
  if (!change.key) return;
  std::vector<sys::DirEntry> entries;
  bool known = true;  // every added entry could be looked at
  if (change.listing) {
    for (const std::string& name : added) {
      if (auto e = entryAt(change.dir, name)) {
        entries.push_back(std::move(*e));
      } else {
        known = false;
      }
    }
  }
  const auto after = stampOf(change.dir);
  std::lock_guard<std::mutex> lock(mutex_);
  auto counter = changing_.find(*change.key);
  const bool alone = counter != changing_.end() && counter->second == 1;
  if (counter != changing_.end() && --counter->second == 0) changing_.erase(counter);
  auto it = cache_.find(*change.key);
  if (it == cache_.end()) return;
  if (!alone) {
    cache_.erase(it);  // the other change cannot carry this one's listing over
    return;
  }
  if (!change.listing || it->second != change.listing) return;  // the lookups decide, as ever
  if (!known || !after || keyOf(*after) != *change.key) {
    cache_.erase(it);
    return;
  }
  // Readers hold listings only while they look; one that does now keeps
  // its copy unchanged.
  std::shared_ptr<Listing> patched =
      change.listing.use_count() > 2 ? std::make_shared<Listing>(*change.listing) : change.listing;
  change.listing.reset();
  for (const std::string& name : removed) patched->erase(name);
  for (sys::DirEntry& e : entries) patched->insert(std::move(e));
  patched->stamp = *after;
  patched->patched = true;
  it->second = std::move(patched);
}

void PosixFileSystem::Listing::erase(const std::string& name) {
  const std::string key = util::upperAscii(name);
  for (auto it = std::lower_bound(keys.begin(), keys.end(), key); it != keys.end() && *it == key; ++it) {
    const auto index = it - keys.begin();
    if (entries[static_cast<std::size_t>(index)].name != name) continue;
    keys.erase(it);
    entries.erase(entries.begin() + index);
    return;
  }
}

void PosixFileSystem::Listing::insert(sys::DirEntry entry) {
  std::string key = util::upperAscii(entry.name);
  auto it = std::lower_bound(keys.begin(), keys.end(), key);
  for (; it != keys.end() && *it == key; ++it) {
    const sys::DirEntry& e = entries[static_cast<std::size_t>(it - keys.begin())];
    if (e.name == entry.name) return;  // already there (a file replaced)
    if (e.name > entry.name) break;
  }
  const auto index = it - keys.begin();
  keys.insert(it, std::move(key));
  entries.insert(entries.begin() + index, std::move(entry));
}

namespace {

// Reads a directory's entries, "." and ".." left out, and calls take(name,
// isDirectory, isLink) with each in the order the disk gives them. A link
// counts as a directory when it leads to one. False when the directory
// cannot be opened.
template <typename Take>
bool readEntries(const std::string& posixDir, Take&& take) {
  DIR* dir = ::opendir(posixDir.c_str());
  if (!dir) return false;
  while (dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    bool isDir = e->d_type == DT_DIR;
    bool isLink = e->d_type == DT_LNK;
    if (e->d_type == DT_UNKNOWN) {
      struct stat ls {};
      isLink = ::lstat(joinPath(posixDir, e->d_name).c_str(), &ls) == 0 && S_ISLNK(ls.st_mode);
    }
    if (e->d_type == DT_UNKNOWN || isLink) {
      struct stat es {};
      isDir = statPath(joinPath(posixDir, e->d_name), es) && S_ISDIR(es.st_mode);
    }
    take(name, isDir, isLink);
  }
  ::closedir(dir);
  return true;
}

}  // namespace

std::shared_ptr<const PosixFileSystem::Listing> PosixFileSystem::keptListing(const Stamp& stamp) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = cache_.find(keyOf(stamp));
  if (it != cache_.end() && it->second->trusted(stamp, fileClockNs())) return it->second;
  return nullptr;
}

std::shared_ptr<const PosixFileSystem::Listing> PosixFileSystem::listing(const std::string& posixDir) const {
  const auto current = stampOf(posixDir);
  if (!current) return nullptr;
  const Stamp stamp = *current;
  if (auto kept = keptListing(stamp)) return kept;
  // A change made while or after reading gets a time stamp at or after
  // readNs; only a stamp older than that proves the listing current for as
  // long as the stamp stays the same.
  const long long readNs = fileClockNs();
  auto fresh = std::make_shared<Listing>();
  fresh->stamp = stamp;
  fresh->settled = std::max(stamp.mtimeNs, stamp.ctimeNs) + stampGrainNs(stamp.mtimeNs) < readNs;
  fresh->readNs = readNs;

  std::vector<std::pair<std::string, sys::DirEntry>> keyed;
  const bool read = readEntries(posixDir, [&keyed](std::string_view name, bool isDir, bool isLink) {
    keyed.push_back({util::upperAscii(name), sys::DirEntry{std::string(name), isDir, isLink}});
  });
  if (!read) fresh->settled = false;  // perhaps a passing failure: try again next time
  // Mail folders hold thousands of files: sort small records whose first 8
  // key bytes, packed into an integer, decide most comparisons, and move
  // each name only once.
  struct Order {
    std::uint64_t prefix;
    std::uint32_t index;
  };
  std::vector<Order> order;
  order.reserve(keyed.size());
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    const std::string& key = keyed[i].first;
    std::uint64_t prefix = 0;
    for (std::size_t b = 0; b < 8; ++b) prefix = (prefix << 8) | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
    order.push_back({prefix, static_cast<std::uint32_t>(i)});
  }
  std::sort(order.begin(), order.end(), [&keyed](const Order& a, const Order& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const auto& x = keyed[a.index];
    const auto& y = keyed[b.index];
    return x.first != y.first ? x.first < y.first : x.second.name < y.second.name;
  });
  fresh->keys.reserve(keyed.size());
  fresh->entries.reserve(keyed.size());
  for (const Order& o : order) {
    fresh->keys.push_back(std::move(keyed[o.index].first));
    fresh->entries.push_back(std::move(keyed[o.index].second));
  }
  std::lock_guard<std::mutex> lock(mutex_);
  cache_[keyOf(stamp)] = fresh;
  return fresh;
}

std::optional<std::string> PosixFileSystem::resolve(const std::string& path) const {
  if (path.empty()) return std::nullopt;
  const std::string posix = singleSlashes(toPosix(path));
  struct stat st {};
  if (statPath(posix, st)) return withoutTrailingSlash(posix);  // exact spelling exists
  // The longest leading part that exists as spelt; only the components
  // after it are matched without regard to case.
  const std::vector<std::string> parts = splitComponents(posix);
  std::string current = posix[0] == '/' ? "/" : ".";
  std::size_t matched = 0;
  for (std::size_t n = parts.size(); n-- > 0;) {
    std::string prefix = posix[0] == '/' ? "/" : "";
    for (std::size_t k = 0; k < n; ++k) prefix = joinPath(prefix, parts[k]);
    if (prefix.empty()) prefix = ".";
    if (statPath(prefix, st) && S_ISDIR(st.st_mode)) {
      current = prefix;
      matched = n;
      break;
    }
  }
  for (std::size_t k = matched; k < parts.size(); ++k) {
    const std::string& part = parts[k];
    if (part == "." || part == "..") {
      current = joinPath(current, part);
      continue;
    }
    auto entries = listing(current);
    if (!entries) return std::nullopt;
    const sys::DirEntry* found = entries->find(part);
    if (!found) return std::nullopt;
    current = joinPath(current, found->name);
  }
  return current;
}

std::optional<PosixFileSystem::Placement> PosixFileSystem::place(const std::string& path) const {
  auto [parent, name] = splitLast(withoutTrailingSlash(toPosix(path)));
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  auto dir = resolve(parent);
  if (!dir) return std::nullopt;
  // The exact spelling is what a listing would find first: no need to read
  // a folder of thousands of mails for it.
  struct stat st {};
  if (::lstat(joinPath(*dir, name).c_str(), &st) == 0) return Placement{*dir, name, name};
  auto entries = listing(*dir);
  if (!entries) return std::nullopt;
  Placement placement{*dir, name, std::nullopt};
  if (const sys::DirEntry* found = entries->find(name)) placement.stored = found->name;
  return placement;
}

bool PosixFileSystem::exists(const std::string& path) const { return resolve(path).has_value(); }

bool PosixFileSystem::isFile(const std::string& path) const {
  auto p = resolve(path);
  struct stat st {};
  return p && statPath(*p, st) && S_ISREG(st.st_mode);
}

bool PosixFileSystem::isDirectory(const std::string& path) const {
  auto p = resolve(path);
  struct stat st {};
  return p && statPath(*p, st) && S_ISDIR(st.st_mode);
}

namespace {

// The first read takes a whole mail of ordinary size; a mail read whole by
// it, up to an end the next read confirms, needs no fstat: only a regular
// file ends so (a FIFO or device that gives so few bytes and ends is
// harmless). Anything longer or empty is first checked to be a regular file.
constexpr std::size_t kFirstRead = 32 * 1024;

ssize_t readSome(int fd, char* to, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, to, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

// The rest of a regular file, to its end: the size it has now, and then
// whatever it grows by while it is read.
bool readRest(int fd, std::string& into) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto size = static_cast<std::size_t>(st.st_size);
  std::size_t room = size > into.size() ? size - into.size() : 0;  // at least kFirstRead is asked for
  for (;;) {
    const std::size_t got = into.size();
    into.resize(got + std::max(room, kFirstRead));
    const ssize_t n = readSome(fd, into.data() + got, into.size() - got);
    into.resize(got + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n <= 0) return n == 0;
    room = 0;
  }
}

// The bytes of an opened file, when it is a regular one, read to its end.
// Closes the file.
bool readOpened(int fd, std::string& into) {
  bool ok = false;
  try {
    char first[kFirstRead];
    const ssize_t n = readSome(fd, first, sizeof first);
    into.assign(first, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n > 0 && static_cast<std::size_t>(n) < sizeof first) {
      const ssize_t more = readSome(fd, first, sizeof first);
      ok = more == 0;
      if (more > 0) {
        into.append(first, static_cast<std::size_t>(more));
        ok = readRest(fd, into);
      }
    } else if (n >= 0) {
      ok = readRest(fd, into);
    }
  } catch (const std::bad_alloc&) {
    ok = false;  // too big to hold: unreadable
  }
  ::close(fd);
  return ok;
}

// O_NONBLOCK: opening a FIFO must not wait for a writer; regular files
// ignore the flag.
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

long long monotonicNs() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return nanoseconds(t);
}

// Whether a real path lies in or below a real root.
bool isInside(const std::string& realRoot, const std::string& real) {
  return real == realRoot || (real.size() > realRoot.size() && real.compare(0, realRoot.size(), realRoot) == 0 &&
                              (realRoot.back() == '/' || real[realRoot.size()] == '/'));
}

}  // namespace

std::optional<std::string> PosixFileSystem::readFile(const std::string& path) const {
  std::string bytes;
  if (!readFileInto(path, bytes)) return std::nullopt;
  return bytes;
}

// The spelling as given is opened first: resolving it beforehand would look
// the whole path up twice for every mail read, and only a name in another
// letter case needs the directory listings.
bool PosixFileSystem::readFileInto(const std::string& path, std::string& into) const {
  if (path.empty()) return false;
  int fd = ::open(toPosix(path).c_str(), kReadFlags);
  if (fd < 0 && errno == ENOENT) {
    if (auto p = resolve(path)) fd = ::open(p->c_str(), kReadFlags);
  }
  return fd >= 0 && readOpened(fd, into);
}

PosixFileSystem::CheckedDir::~CheckedDir() {
  if (fd >= 0) ::close(fd);
}

// The directory opened and its real path taken; the real path of the
// spelling must lead to the very directory opened, or a swap in between
// could pass off another one.
std::shared_ptr<const PosixFileSystem::CheckedDir> PosixFileSystem::checkedDir(const std::string& posixDir) const {
  const long long now = monotonicNs();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = checkedDirs_.find(posixDir);
    if (it != checkedDirs_.end() && now - it->second->checkedNs < kCheckedDirTrustNs) return it->second;
  }
  auto dir = std::make_shared<CheckedDir>();
  dir->fd = ::open(posixDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat opened {}, named {};
  if (dir->fd < 0 || ::fstat(dir->fd, &opened) != 0) return nullptr;
  char* real = ::realpath(posixDir.c_str(), nullptr);
  if (!real) return nullptr;
  dir->realPath = real;
  std::free(real);
  if (!statPath(dir->realPath, named) || named.st_dev != opened.st_dev || named.st_ino != opened.st_ino) return nullptr;
  dir->checkedNs = now;
  std::lock_guard<std::mutex> lock(mutex_);
  if (checkedDirs_.size() >= kMaxCheckedDirs) checkedDirs_.clear();  // readers keep theirs open
  checkedDirs_[posixDir] = dir;
  return dir;
}

// A mail named as stored, in a directory already checked, costs an open by
// its name, the reads and a close. A name in another letter case,
// a link (O_NOFOLLOW refuses it) or a directory that cannot be opened takes
// the full check.
bool PosixFileSystem::readFileWithin(const std::string& root, const std::string& path, std::string& into) const {
  const auto realRoot = this->realRoot(root);
  if (!realRoot) return false;
  const auto [dir, name] = splitLast(toPosix(path));
  if (!name.empty() && name != "." && name != "..") {
    const auto checked = checkedDir(dir);
    if (checked && isInside(*realRoot, checked->realPath)) {
      const int fd = ::openat(checked->fd, name.c_str(), kReadFlags | O_NOFOLLOW);
      if (fd >= 0) return readOpened(fd, into);
      if (errno != ENOENT && errno != ELOOP) return false;
    }
  }
  return staysWithin(root, path) && readFileInto(path, into);
}

std::vector<sys::DirEntry> PosixFileSystem::list(const std::string& pattern) const {
  const std::string posix = toPosix(pattern);
  const std::size_t slash = posix.rfind('/');
  const std::string dirPart = slash == std::string::npos ? "." : posix.substr(0, slash + 1);
  const std::string mask = slash == std::string::npos ? posix : posix.substr(slash + 1);
  auto dir = resolve(dirPart);
  if (!dir) return {};
  auto entries = listing(*dir);
  if (!entries) return {};
  std::vector<sys::DirEntry> out;
  for (const auto& e : entries->entries) {
    if (util::matchesWildcard(mask, e.name)) out.push_back(e);
  }
  return out;
}

// Walks a listing kept from before while it is current; else reads the
// directory without keeping, sorting or upper-casing anything: a search
// that only asks which mail files exist lists each folder once.
void PosixFileSystem::forEachEntry(const std::string& directory, const EntryVisitor& visit) const {
  const auto dir = resolve(directory);
  if (!dir) return;
  if (const auto stamp = stampOf(*dir)) {
    if (const auto kept = keptListing(*stamp)) {
      for (const sys::DirEntry& e : kept->entries) visit(e.name, e.isDirectory, e.isLink);
      return;
    }
  }
  readEntries(*dir, visit);
}

std::optional<std::string> PosixFileSystem::storedName(const std::string& path) const {
  auto p = resolve(path);
  if (!p) return std::nullopt;
  const std::size_t slash = p->rfind('/');
  return slash == std::string::npos ? *p : p->substr(slash + 1);
}

bool PosixFileSystem::createDirectory(const std::string& path) {
  auto p = place(path);
  if (!p || p->stored) return false;
  OwnChange change = beginChange(p->dir);
  const bool made = ::mkdir(joinPath(p->dir, p->name).c_str(), 0777) == 0;
  endChange(change, {}, made ? std::vector<std::string>{p->name} : std::vector<std::string>{});
  return made;
}

bool PosixFileSystem::writeFileAtomic(const std::string& path, std::string_view bytes) {
  auto p = place(path);
  if (!p) return false;
  const std::string target = joinPath(p->dir, p->stored ? *p->stored : p->name);
  struct stat old {};
  const bool replacing = statPath(target, old);
  if (replacing && !S_ISREG(old.st_mode)) return false;

  std::string temp;
  OwnChange change = beginChange(p->dir);
  const int fd = createTemporary(p->dir, temp);
  bool ok = fd >= 0 && writeAll(fd, bytes);
  if (ok && replacing) ::fchmod(fd, old.st_mode & 07777);  // the file keeps its permissions
  ok = ok && ::fsync(fd) == 0;
  if (fd >= 0) ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok && fd >= 0) ::unlink(temp.c_str());
  // The temporary file came and went within the change.
  const std::string name = target.substr(target.rfind('/') + 1);
  endChange(change, {}, ok && !replacing ? std::vector<std::string>{name} : std::vector<std::string>{});
  if (!ok) return false;
  syncDirectory(p->dir);
  return true;
}

bool PosixFileSystem::removeFile(const std::string& path) {
  auto p = resolve(path);
  if (!p) return false;
  const auto [dir, name] = splitLast(*p);
  OwnChange change = beginChange(dir);
  const bool removed = ::unlink(p->c_str()) == 0;
  endChange(change, removed ? std::vector<std::string>{name} : std::vector<std::string>{}, {});
  return removed;
}

bool PosixFileSystem::moveFile(const std::string& from, const std::string& to) {
  auto source = resolve(from);
  auto p = place(to);
  if (!source || !p) return false;
  const std::string target = joinPath(p->dir, p->name);
  const auto [sourceDir, sourceName] = splitLast(*source);
  if (p->stored) {
    // The target exists: allowed only when it is the source itself, named
    // in another letter case, and then the move just changes the spelling.
    const bool sameEntry = util::equalsIgnoreCase(sourceName, *p->stored) && sameInode(sourceDir, p->dir) &&
                           sameInode(*source, joinPath(p->dir, *p->stored));
    if (!sameEntry) return false;
    if (*p->stored == p->name) return true;
  }
  const bool oneDirectory = sourceDir == p->dir || sameInode(sourceDir, p->dir);
  OwnChange leaving = beginChange(sourceDir);
  OwnChange entering = oneDirectory ? OwnChange{} : beginChange(p->dir);
  const bool moved = renameNoReplace(*source, target);
  const std::vector<std::string> gone = moved ? std::vector<std::string>{sourceName} : std::vector<std::string>{};
  const std::vector<std::string> come = moved ? std::vector<std::string>{p->name} : std::vector<std::string>{};
  if (oneDirectory) {
    endChange(leaving, gone, come);
  } else {
    endChange(entering, {}, come);
    endChange(leaving, gone, {});
  }
  return moved;
}

bool PosixFileSystem::appendLine(const std::string& path, std::string_view line) {
  auto p = place(path);
  if (!p) return false;
  const std::string target = joinPath(p->dir, p->stored ? *p->stored : p->name);
  OwnChange change = p->stored ? OwnChange{} : beginChange(p->dir);
  const int fd = ::open(target.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (!p->stored) endChange(change, {}, fd >= 0 ? std::vector<std::string>{p->name} : std::vector<std::string>{});
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  std::string bytes;
  if (ok && st.st_size > 0) {
    char last = '\n';
    ok = ::pread(fd, &last, 1, st.st_size - 1) == 1;
    if (last != '\n' && last != '\r') bytes = "\r\n";  // a line cut short stays a line of its own
  }
  bytes.append(line).append("\r\n");
  // One write: the kernel puts it at the end in one piece. Should it write
  // only part (a full disk), the part is cut off again, so that a failed
  // append leaves the file as it was.
  const bool written = ok && writeAll(fd, bytes);
  if (ok && !written) {
    const int cut = ::ftruncate(fd, st.st_size);
    (void)cut;  // the append fails either way
  }
  ok = written && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && !p->stored) syncDirectory(p->dir);
  return ok;
}

std::optional<std::string> PosixFileSystem::realDirectory(const std::string& posixDir) const {
  struct stat st {};
  if (!statPath(posixDir, st) || !S_ISDIR(st.st_mode)) return std::nullopt;
  const long long now = monotonicNs();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = realDirs_.find(posixDir);
    if (it != realDirs_.end() && it->second.device == st.st_dev && it->second.inode == st.st_ino &&
        now - it->second.checkedNs < kCheckedDirTrustNs) {
      return it->second.path;
    }
  }
  char* real = ::realpath(posixDir.c_str(), nullptr);
  if (!real) return std::nullopt;
  RealPath entry{st.st_dev, st.st_ino, real, now};
  std::free(real);
  std::lock_guard<std::mutex> lock(mutex_);
  realDirs_[posixDir] = entry;
  return entry.path;
}

// The root's real path is remembered for good: should the root later lead
// elsewhere, paths below it resolve to that other place and are refused,
// so the remembered one can only make the check stricter.
std::optional<std::string> PosixFileSystem::realRoot(const std::string& root) const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = realRoots_.find(root);
    if (it != realRoots_.end()) return it->second;
  }
  const auto rootDir = resolve(root);
  auto real = rootDir ? realDirectory(*rootDir) : std::nullopt;
  if (!real) return std::nullopt;
  std::lock_guard<std::mutex> lock(mutex_);
  realRoots_.emplace(root, *real);
  return real;
}

// Called for every mail read: a path as spelt costs one lstat of itself and
// one stat of its directory (whose real path is remembered).
bool PosixFileSystem::staysWithin(const std::string& root, const std::string& path) const {
  const auto realRoot = this->realRoot(root);
  if (!realRoot) return false;
  auto inside = [&](const std::string& real) { return isInside(*realRoot, real); };
  // The existing part of the path decides: what does not exist yet will be
  // created inside the directory that holds it.
  std::string posix = withoutTrailingSlash(toPosix(path));
  struct stat st {};
  std::optional<std::string> existing;
  if (::lstat(posix.c_str(), &st) == 0) {
    existing = posix;  // exists as spelt
  } else {
    while (!(existing = resolve(posix))) {
      const auto [parent, name] = splitLast(posix);
      if (parent == posix || name.empty()) return false;
      posix = parent;
    }
    if (::lstat(existing->c_str(), &st) != 0) return false;
  }
  if (S_ISDIR(st.st_mode)) {
    const auto real = realDirectory(*existing);
    return real && inside(*real);
  }
  // The root itself may be a link (a store kept elsewhere): what it leads
  // to is the root, though the directory holding the link lies outside.
  if (S_ISLNK(st.st_mode)) {
    const auto real = realDirectory(*existing);
    if (real && *real == *realRoot) return true;
  }
  const auto [dir, name] = splitLast(*existing);
  const auto realDir = realDirectory(dir);
  if (!realDir || !inside(*realDir)) return false;
  if (!S_ISLNK(st.st_mode)) return true;
  char* target = ::realpath(existing->c_str(), nullptr);  // a dangling link counts as outside
  if (!target) return false;
  const bool ok = inside(target);
  std::free(target);
  return ok;
}

}  // namespace gleanix::backend
