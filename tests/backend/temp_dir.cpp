#include "backend/temp_dir.h"

#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace gleanix::testing {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

std::string makeRoot() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n > MAX_PATH) throw std::runtime_error("GetTempPathA failed");
  std::string base(buffer, n);
  if (base.back() != '\\') base += '\\';
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string dir = base + "gleanix-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
  }
  throw std::runtime_error("cannot create a temporary directory");
}

void removeTree(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = dir + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

bool makeDirectory(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool isPresent(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
void removeOne(const std::string& path) {
  if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
}

#else
constexpr char kSeparator = '/';

std::string makeRoot() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/gleanix-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

void removeTree(const std::string& dir) {
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      const std::string child = dir + "/" + name;
      struct stat st {};
      if (::lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        removeTree(child);
      } else {
        ::unlink(child.c_str());
      }
    }
    ::closedir(d);
  }
  ::rmdir(dir.c_str());
}

bool makeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }
bool isPresent(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}
void removeOne(const std::string& path) {
  if (::unlink(path.c_str()) != 0) ::rmdir(path.c_str());
}
#endif

}  // namespace

TempDir::TempDir() : nativeRoot_(makeRoot()) {
  hostPath_ = nativeRoot_;
  for (char& c : hostPath_) {
    if (c == '/') c = '\\';  // the root itself is plain ASCII
  }
  hostPath_ += '\\';
}

TempDir::~TempDir() { removeTree(nativeRoot_); }

std::string TempDir::native(Components components) const {
  std::string out = nativeRoot_;
  for (const std::string& c : components) out += kSeparator + c;
  return out;
}

void TempDir::put(Components components, std::string_view bytes) const {
  const std::string p = native(components);
  std::FILE* f = std::fopen(p.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + p);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + p);
}

void TempDir::makeDir(Components components) const {
  if (!makeDirectory(native(components))) throw std::runtime_error("cannot create " + native(components));
}

void TempDir::erase(Components components) const { removeOne(native(components)); }

bool TempDir::present(Components components) const { return isPresent(native(components)); }

std::optional<std::string> TempDir::get(Components components) const {
  std::FILE* f = std::fopen(native(components).c_str(), "rb");
  if (!f) return std::nullopt;
  std::string data;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  std::fclose(f);
  return data;
}

}  // namespace gleanix::testing
