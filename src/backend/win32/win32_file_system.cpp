#include "backend/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <new>
#include <optional>
#include <string_view>
#include <vector>
#include <utility>

#include "util/sjis.h"
#include "util/wildcard.h"

namespace gleanix::backend {
namespace {

DWORD attributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// The path without a trailing "\" (one that is a real separator, not the
// second byte of a double-byte character).
std::string withoutTrailingSeparator(std::string path) {
  while (!path.empty()) {
    const std::size_t last = util::lastCharOffset(path);
    if (path[last] != '\\' || last + 1 != path.size() || path.size() == 1) break;
    if (path.size() == 3 && path[1] == ':') break;  // "C:\" stays a root
    path.pop_back();
  }
  return path;
}

// Offset just after the last real "\" (0 when there is none).
std::size_t nameOffset(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += util::charBytesAt(path, i)) {
    if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':')) start = i + 1;
  }
  return start;
}

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    if (h_ == INVALID_HANDLE_VALUE) return true;
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

// The first entry matching pattern. Mail folders hold thousands of files:
// the basic information leaves out the short 8.3 name, and a large fetch
// takes more entries per call. Windows before 7 knows neither and refuses
// them; it gets the plain call.
HANDLE findFirst(const std::string& pattern, WIN32_FIND_DATAA& data) {
  HANDLE h = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) return h;
  return FindFirstFileA(pattern.c_str(), &data);
}

bool writeAll(HANDLE h, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// A new file of a name no other writer uses, beside the target. Each write
// gets its own, so that two threads saving the same file never share one.
HANDLE createTemporary(const std::string& dir, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "~GX%lX-%X.tmp", static_cast<unsigned long>(GetCurrentProcessId()),
                  ++counter);
    temp = dir + name;
    HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// Whether both paths name one existing file or directory.
bool sameFile(const std::string& a, const std::string& b) {
  auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    FileHandle h(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.valid() && GetFileInformationByHandle(h.get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  return identify(a, ia) && identify(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

// "CON", "nul.alm", "COM1 .txt": names Windows opens as devices wherever
// they stand in a path.
bool isDeviceName(std::string_view component) {
  std::string base(component.substr(0, component.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = util::upperAscii(base);
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$") {
    return true;
  }
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '0' && base[3] <= '9';
}

// The path as Windows sees it once every link is followed, upper-cased,
// without the "\\?\" prefix; nullopt when it cannot be opened.
std::optional<std::string> finalPath(const std::string& path) {
  FileHandle h(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return std::nullopt;
  char buffer[MAX_PATH * 4];
  const DWORD n = GetFinalPathNameByHandleA(h.get(), buffer, sizeof buffer, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= sizeof buffer) return std::nullopt;
  std::string out(buffer, n);
  if (out.starts_with("\\\\?\\UNC\\")) {
    out = "\\" + out.substr(7);
  } else if (out.starts_with("\\\\?\\")) {
    out = out.substr(4);
  }
  return util::upperAscii(withoutTrailingSeparator(out));
}

bool within(const std::string& finalRoot, const std::string& finalTarget) {
  if (finalTarget == finalRoot) return true;
  const std::string prefix = finalRoot.ends_with("\\") ? finalRoot : finalRoot + "\\";
  return finalTarget.starts_with(prefix);
}

}  // namespace

bool Win32FileSystem::exists(const std::string& path) const {
  return !path.empty() && attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::isFile(const std::string& path) const {
  const DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : attributesOf(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::isDirectory(const std::string& path) const {
  const DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : attributesOf(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path) const {
  std::string bytes;
  if (!readFileInto(path, bytes)) return std::nullopt;
  return bytes;
}

bool Win32FileSystem::readFileInto(const std::string& path, std::string& into) const {
  if (path.empty()) return false;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return false;  // also for a directory
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > into.max_size()) {
    return false;
  }
  try {
    // Read to the end: the size it had when opened, then whatever it grew
    // by since, probed through a small buffer so that a mail of a few
    // kilobytes costs no zero-filled spare room.
    const auto expected = static_cast<std::size_t>(size.QuadPart);
    into.clear();
    into.resize(expected);
    std::size_t got = 0;
    while (got < expected) {
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(expected - got, 1u << 20));
      DWORD n = 0;
      if (!ReadFile(file.get(), into.data() + got, want, &n, nullptr)) return false;
      if (n == 0) break;  // the file shrank
      got += n;
    }
    into.resize(got);
    if (got < expected) return true;
    char more[4096];
    for (;;) {
      DWORD n = 0;
      if (!ReadFile(file.get(), more, sizeof more, &n, nullptr)) return false;
      if (n == 0) return true;
      into.append(more, n);
    }
  } catch (const std::bad_alloc&) {
    return false;  // too big to hold: unreadable
  }
}

namespace {

// How long a folder found to stay within the root is trusted without
// checking its components again.
constexpr ULONGLONG kCheckedFolderTrustMs = 1000;
constexpr std::size_t kMaxCheckedFolders = 256;

}  // namespace

// Whether the folder's components stay within the root, as staysWithin
// finds, from a finding of the last second when there is one.
bool Win32FileSystem::folderStaysWithin(const std::string& root, const std::string& folder) const {
  const std::string key = root + '|' + folder;
  const ULONGLONG now = GetTickCount64();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = checkedFolders_.find(key);
    if (it != checkedFolders_.end() && now - it->second < kCheckedFolderTrustMs) return true;
  }
  if (!staysWithin(root, folder)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  if (checkedFolders_.size() >= kMaxCheckedFolders) checkedFolders_.clear();
  checkedFolders_[key] = now;
  return true;
}

// A mail in a folder checked within the last second costs one attribute
// query for its own name (it may itself be a link) and its read, instead of
// one query per component. (Opening it with FILE_FLAG_OPEN_REPARSE_POINT
// and asking the handle would spare the query, but is three times slower
// under Wine.) A mail that is itself a link takes the full check.
bool Win32FileSystem::readFileWithin(const std::string& root, const std::string& path, std::string& into) const {
  const std::size_t cut = nameOffset(path);
  const std::string_view name = std::string_view(path).substr(cut);
  if (cut <= root.size() || name.empty() || isDeviceName(name)) {
    return staysWithin(root, path) && readFileInto(path, into);
  }
  if (!folderStaysWithin(root, path.substr(0, cut))) return false;
  const DWORD attributes = attributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return staysWithin(root, path) && readFileInto(path, into);
  return readFileInto(path, into);
}

std::vector<sys::DirEntry> Win32FileSystem::list(const std::string& pattern) const {
  const std::string mask = pattern.substr(nameOffset(pattern));
  std::vector<std::pair<std::string, sys::DirEntry>> keyed;
  WIN32_FIND_DATAA data;
  FindHandle find(findFirst(pattern, data));
  if (!find.valid()) return {};
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    // Windows also matches the pattern against generated 8.3 names, so that
    // "USER*.BOX" would find "USER3.BOXX" through "USER3~1.BOX": only the
    // real name counts, as on every other platform.
    if (!util::matchesWildcard(mask, name)) continue;
    const bool isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    std::string key = util::upperAscii(name);
    keyed.push_back({std::move(key), sys::DirEntry{std::move(name), isDir, isLink}});
  } while (FindNextFileA(find.get(), &data));
  // NTFS returns this order by itself; FAT, network drives and Wine over a
  // Linux file system do not.
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
  });
  std::vector<sys::DirEntry> out;
  out.reserve(keyed.size());
  for (auto& entry : keyed) out.push_back(std::move(entry.second));
  return out;
}

// No pattern, no sorting, no copies: a search that only asks which mail
// files exist walks the entries as Windows returns them.
void Win32FileSystem::forEachEntry(const std::string& directory, const EntryVisitor& visit) const {
  if (directory.empty()) return;
  const bool separated = directory.substr(util::lastCharOffset(directory)) == "\\";
  WIN32_FIND_DATAA data;
  FindHandle find(findFirst(directory + (separated ? "*" : "\\*"), data));
  if (!find.valid()) return;
  do {
    const std::string_view name = data.cFileName;
    if (name == "." || name == "..") continue;
    visit(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
          (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
  } while (FindNextFileA(find.get(), &data));
}

std::optional<std::string> Win32FileSystem::storedName(const std::string& path) const {
  const std::string clean = withoutTrailingSeparator(path);
  if (clean.empty() || clean.find_first_of("*?") != std::string::npos) return std::nullopt;
  WIN32_FIND_DATAA data;
  FindHandle find(FindFirstFileA(clean.c_str(), &data));
  if (!find.valid()) return std::nullopt;
  return std::string(data.cFileName);
}

bool Win32FileSystem::createDirectory(const std::string& path) {
  return !path.empty() && CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32FileSystem::writeFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string target = withoutTrailingSeparator(path);
  if (target.empty() || isDirectory(target)) return false;
  std::string temp;
  FileHandle file(createTemporary(target.substr(0, nameOffset(target)), temp));
  if (!file.valid()) return false;
  bool ok = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
  ok = file.close() && ok;
  // Replaces the old file in one step; WRITE_THROUGH returns only once the
  // rename has reached the disk.
  ok = ok && MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

bool Win32FileSystem::removeFile(const std::string& path) { return !path.empty() && DeleteFileA(path.c_str()); }

bool Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  if (!sameFile(from, to)) return MoveFileExA(from.c_str(), to.c_str(), 0);  // fails when "to" exists
  // The target is the source in another letter case: only the spelling
  // changes. NTFS does that in one rename, but a case-sensitive disk under
  // Wine sees the old name as the target and keeps it; a detour over a
  // temporary name works everywhere.
  const std::string target = withoutTrailingSeparator(to);
  const std::string name = target.substr(nameOffset(target));
  if (storedName(from) == name) return true;
  const std::string dir = target.substr(0, nameOffset(target));
  std::string temp;
  FileHandle placeholder(createTemporary(dir, temp));  // finds a free name
  if (!placeholder.valid()) return false;
  placeholder.close();
  DeleteFileA(temp.c_str());  // the source may be a directory: make room
  if (!MoveFileExA(from.c_str(), temp.c_str(), 0)) return false;
  if (MoveFileExA(temp.c_str(), target.c_str(), 0)) return true;
  MoveFileExA(temp.c_str(), from.c_str(), 0);  // put it back as it was
  return false;
}

bool Win32FileSystem::appendLine(const std::string& path, std::string_view line) {
  if (path.empty()) return false;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return false;
  std::string bytes;
  if (size.QuadPart > 0) {
    LARGE_INTEGER last{};
    last.QuadPart = size.QuadPart - 1;
    char c = '\n';
    DWORD got = 0;
    if (!SetFilePointerEx(file.get(), last, nullptr, FILE_BEGIN) || !ReadFile(file.get(), &c, 1, &got, nullptr) ||
        got != 1) {
      return false;
    }
    if (c != '\n' && c != '\r') bytes = "\r\n";  // a line cut short stays a line of its own
  }
  bytes.append(line).append("\r\n");
  // Appending access writes at the end whatever the file pointer says.
  if (writeAll(file.get(), bytes)) return FlushFileBuffers(file.get()) && file.close();
  // Part of the line may be on disk (a full disk): cut it off again, so that
  // a failed append leaves the file as it was. The appending handle may not
  // set the end of the file, so a writing one does it.
  file.close();
  FileHandle writer(
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (writer.valid() && SetFilePointerEx(writer.get(), size, nullptr, FILE_BEGIN)) SetEndOfFile(writer.get());
  return false;
}

bool Win32FileSystem::staysWithin(const std::string& root, const std::string& path) const {
  if (!util::startsWithIgnoreCase(path, root)) return false;
  const std::string relative = path.substr(root.size());
  std::vector<std::size_t> ends;  // the end of each component
  std::size_t start = 0;
  for (std::size_t i = 0; i <= relative.size(); i += i < relative.size() ? util::charBytesAt(relative, i) : 1) {
    if (i < relative.size() && relative[i] != '\\' && relative[i] != '/') continue;
    if (isDeviceName(std::string_view(relative).substr(start, i - start))) return false;
    if (i > start) ends.push_back(i);
    start = i + 1;
  }
  // Only a reparse point can lead elsewhere; an ordinary directory cannot.
  std::optional<std::string> finalRoot;
  for (const std::size_t end : ends) {
    const std::string prefix = root + relative.substr(0, end);
    const DWORD a = attributesOf(prefix);
    if (a == INVALID_FILE_ATTRIBUTES) break;  // what follows does not exist yet
    if (!(a & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    if (!finalRoot) finalRoot = finalPath(root);
    const auto target = finalPath(prefix);
    if (!finalRoot || !target || !within(*finalRoot, *target)) return false;
  }
  return true;
}

}  // namespace gleanix::backend
