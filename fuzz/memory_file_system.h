#pragma once
// A FileSystem held in memory for fuzzing: files by path ("\" separators,
// names matched without regard to letter case), directories implied by the
// files below them. Changes are refused: the readers never write.

#include <map>
#include <set>
#include <string>

#include "sys/file_system.h"
#include "util/sjis.h"
#include "util/wildcard.h"

namespace gleanix::fuzzing {

class MemoryFileSystem : public sys::FileSystem {
 public:
  void add(const std::string& path, std::string bytes) {
    files_[key(path)] = {path, std::move(bytes)};
    for (std::size_t i = 0; i < path.size(); i += util::charBytesAt(path, i)) {
      if (path[i] == '\\') dirs_.insert(key(path.substr(0, i)));
    }
  }

  bool exists(const std::string& p) const override { return isFile(p) || isDirectory(p); }
  bool isFile(const std::string& p) const override { return files_.count(key(p)) != 0; }
  bool isDirectory(const std::string& p) const override { return dirs_.count(key(trimmed(p))) != 0; }
  std::optional<std::string> readFile(const std::string& p) const override {
    auto it = files_.find(key(p));
    if (it == files_.end()) return std::nullopt;
    return it->second.second;
  }
  std::vector<sys::DirEntry> list(const std::string& pattern) const override {
    const std::size_t slash = pattern.rfind('\\');
    if (slash == std::string::npos) return {};
    const std::string dir = key(pattern.substr(0, slash + 1));
    const std::string mask = pattern.substr(slash + 1);
    std::map<std::string, sys::DirEntry> found;
    auto consider = [&](const std::string& upperPath, const std::string& stored, bool isDir) {
      if (upperPath.size() <= dir.size() || upperPath.compare(0, dir.size(), dir) != 0) return;
      const std::string rest = stored.substr(dir.size());
      const std::size_t next = rest.find('\\');
      const std::string name = rest.substr(0, next);
      const bool directory = isDir || next != std::string::npos;
      if (!name.empty() && util::matchesWildcard(mask, name)) found.emplace(util::upperAscii(name), sys::DirEntry{name, directory});
    };
    for (const auto& [upper, file] : files_) consider(upper, file.first, false);
    std::vector<sys::DirEntry> out;
    for (auto& [upper, entry] : found) out.push_back(entry);
    return out;
  }
  std::optional<std::string> storedName(const std::string& p) const override {
    if (!exists(p)) return std::nullopt;
    const std::string t = trimmed(p);
    return t.substr(t.rfind('\\') + 1);
  }
  bool createDirectory(const std::string&) override { return false; }
  bool writeFileAtomic(const std::string&, std::string_view) override { return false; }
  bool removeFile(const std::string&) override { return false; }
  bool moveFile(const std::string&, const std::string&) override { return false; }

 private:
  static std::string trimmed(const std::string& p) {
    return !p.empty() && p.back() == '\\' ? p.substr(0, p.size() - 1) : p;
  }
  static std::string key(const std::string& p) { return util::upperAscii(p); }

  std::map<std::string, std::pair<std::string, std::string>> files_;  // upper path -> (path, bytes)
  std::set<std::string> dirs_;
};

}  // namespace gleanix::fuzzing
