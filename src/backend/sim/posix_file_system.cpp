#include "backend/sim/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "util/sjis.h"
#include "util/wildcard.h"

namespace gleanix::backend {
namespace {

bool statPath(const std::string& p, struct stat& st) { return ::stat(p.c_str(), &st) == 0; }

long long mtimeNs(const struct stat& st) {
  return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// Sorts entries as NTFS lists them: names compared upper-cased, byte by byte
// (ties by the names as stored). Folders of a mail store hold thousands of
// files, so each name is upper-cased once and its first 8 bytes packed into
// an integer that decides most comparisons without touching the strings.
void sortAsNtfs(std::vector<sys::DirEntry>& entries) {
  struct Key {
    std::uint64_t prefix;
    std::uint32_t index;
  };
  std::vector<std::string> upper;
  std::vector<Key> keys;
  upper.reserve(entries.size());
  keys.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    upper.push_back(util::upperAscii(entries[i].name));
    std::uint64_t prefix = 0;
    for (std::size_t b = 0; b < 8; ++b) {
      prefix = (prefix << 8) | (b < upper.back().size() ? static_cast<unsigned char>(upper.back()[b]) : 0u);
    }
    keys.push_back({prefix, static_cast<std::uint32_t>(i)});
  }
  std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const int c = upper[a.index].compare(upper[b.index]);
    return c != 0 ? c < 0 : entries[a.index].name < entries[b.index].name;
  });
  std::vector<sys::DirEntry> sorted;
  sorted.reserve(entries.size());
  for (const Key& k : keys) sorted.push_back(std::move(entries[k.index]));
  entries = std::move(sorted);
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

}  // namespace

std::string PosixFileSystem::toPosix(const std::string& path) {
  std::string out(path);
  for (std::size_t i = 0; i < out.size(); i += util::charBytesAt(out, i)) {
    if (out[i] == '\\') out[i] = '/';
  }
  return out;
}

std::shared_ptr<const PosixFileSystem::Listing> PosixFileSystem::listing(const std::string& posixDir) const {
  struct stat st {};
  if (!statPath(posixDir, st) || !S_ISDIR(st.st_mode)) return nullptr;
  const long long stamp = mtimeNs(st);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = cache_.find(posixDir);
    if (it != cache_.end() && it->second->mtimeNs == stamp) return it->second;
  }
  auto fresh = std::make_shared<Listing>();
  fresh->mtimeNs = stamp;
  if (DIR* dir = ::opendir(posixDir.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      bool isDir = e->d_type == DT_DIR;
      if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
        struct stat es {};
        isDir = statPath(joinPath(posixDir, name), es) && S_ISDIR(es.st_mode);
      }
      fresh->entries.push_back({name, isDir});
    }
    ::closedir(dir);
  }
  sortAsNtfs(fresh->entries);
  std::lock_guard<std::mutex> lock(mutex_);
  cache_[posixDir] = fresh;
  return fresh;
}

std::optional<std::string> PosixFileSystem::resolve(const std::string& path) const {
  if (path.empty()) return std::nullopt;
  const std::string posix = toPosix(path);
  struct stat st {};
  if (statPath(posix, st)) return withoutTrailingSlash(posix);  // exact spelling exists
  std::string current = posix[0] == '/' ? "/" : ".";
  for (const std::string& part : splitComponents(posix)) {
    if (part == "." || part == "..") {
      current = joinPath(current, part);
      continue;
    }
    auto entries = listing(current);
    if (!entries) return std::nullopt;
    auto it = std::find_if(entries->entries.begin(), entries->entries.end(),
                           [&](const sys::DirEntry& e) { return util::equalsIgnoreCase(e.name, part); });
    if (it == entries->entries.end()) return std::nullopt;
    current = joinPath(current, it->name);
  }
  return current;
}

std::optional<std::pair<std::string, std::string>> PosixFileSystem::resolveParent(const std::string& path) const {
  const std::string posix = withoutTrailingSlash(toPosix(path));
  const std::size_t slash = posix.rfind('/');
  const std::string parent = slash == std::string::npos ? "." : (slash == 0 ? "/" : posix.substr(0, slash));
  const std::string name = slash == std::string::npos ? posix : posix.substr(slash + 1);
  if (name.empty()) return std::nullopt;
  auto dir = slash == 0 ? std::optional<std::string>("/") : resolve(parent);
  if (!dir) return std::nullopt;
  // Reuse the stored spelling when the entry exists in another letter case.
  if (auto entries = listing(*dir)) {
    for (const auto& e : entries->entries) {
      if (util::equalsIgnoreCase(e.name, name)) return std::make_pair(*dir, e.name);
    }
  }
  return std::make_pair(*dir, name);
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

std::optional<std::string> PosixFileSystem::readFile(const std::string& path) const {
  auto p = resolve(path);
  if (!p) return std::nullopt;
  const int fd = ::open(p->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::string data;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  data.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  for (;;) {
    if (got == data.size()) data.resize(data.size() + 65536);
    const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  data.resize(got);
  return data;
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

std::optional<std::string> PosixFileSystem::storedName(const std::string& path) const {
  auto p = resolve(path);
  if (!p) return std::nullopt;
  const std::size_t slash = p->rfind('/');
  return slash == std::string::npos ? *p : p->substr(slash + 1);
}

bool PosixFileSystem::createDirectory(const std::string& path) {
  auto parent = resolveParent(path);
  if (!parent) return false;
  return ::mkdir(joinPath(parent->first, parent->second).c_str(), 0777) == 0;
}

bool PosixFileSystem::writeFileAtomic(const std::string& path, std::string_view bytes) {
  auto parent = resolveParent(path);
  if (!parent) return false;
  const std::string target = joinPath(parent->first, parent->second);
  const std::string temp = target + ".tmp" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  const bool synced = ::fsync(fd) == 0;
  if (::close(fd) != 0 || !synced || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool PosixFileSystem::removeFile(const std::string& path) {
  auto p = resolve(path);
  return p && ::unlink(p->c_str()) == 0;
}

bool PosixFileSystem::moveFile(const std::string& from, const std::string& to) {
  auto source = resolve(from);
  auto parent = resolveParent(to);
  if (!source || !parent) return false;
  return ::rename(source->c_str(), joinPath(parent->first, parent->second).c_str()) == 0;
}

}  // namespace gleanix::backend
