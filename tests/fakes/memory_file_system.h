#pragma once
// An in-memory sys::FileSystem for tests: Windows-style paths ("C:\a\b"),
// names matched without regard to case and kept as first created. Writes can
// be made to fail, and every atomic write is counted.

#include <map>
#include <string>
#include <vector>

#include "sys/file_system.h"
#include "util/path.h"
#include "util/sjis.h"
#include "util/wildcard.h"

namespace gleanix::testing {

class MemoryFileSystem : public sys::FileSystem {
 public:
  explicit MemoryFileSystem(const std::string& drive = "C:") { nodes_[key(drive)] = {drive, true, {}}; }

  void addDirectory(const std::string& path) {
    const std::string p = util::withoutTrailingBackslash(path);
    if (p.empty() || isDirectory(p)) return;
    addDirectory(parentOf(p));
    nodes_[key(p)] = {util::extractFileName(p), true, {}};
  }
  void addFile(const std::string& path, const std::string& content) {
    addDirectory(parentOf(path));
    nodes_[key(path)] = {util::extractFileName(path), false, content};
  }
  std::string content(const std::string& path) const {
    auto it = nodes_.find(key(path));
    return it == nodes_.end() ? std::string() : it->second.content;
  }

  bool failWrites = false;
  bool failCreateDirectory = false;
  int atomicWrites = 0;
  std::vector<std::string> createdDirectories;

  bool exists(const std::string& path) const override { return nodes_.count(key(path)) != 0; }
  bool isFile(const std::string& path) const override {
    auto it = nodes_.find(key(path));
    return it != nodes_.end() && !it->second.isDirectory;
  }
  bool isDirectory(const std::string& path) const override {
    auto it = nodes_.find(key(path));
    return it != nodes_.end() && it->second.isDirectory;
  }
  std::optional<std::string> readFile(const std::string& path) const override {
    auto it = nodes_.find(key(path));
    if (it == nodes_.end() || it->second.isDirectory) return std::nullopt;
    return it->second.content;
  }
  std::vector<sys::DirEntry> list(const std::string& pattern) const override {
    const std::string dir = util::withoutTrailingBackslash(util::extractFilePath(pattern));
    const std::string mask = util::extractFileName(pattern);
    std::vector<sys::DirEntry> out;
    for (const auto& [k, node] : nodes_) {
      if (k.size() > dir.size() && parentOf(k) == key(dir) && util::matchesWildcard(mask, node.name)) {
        out.push_back({node.name, node.isDirectory});
      }
    }
    return out;
  }
  std::optional<std::string> storedName(const std::string& path) const override {
    auto it = nodes_.find(key(path));
    if (it == nodes_.end()) return std::nullopt;
    return it->second.name;
  }
  bool createDirectory(const std::string& path) override {
    const std::string p = util::withoutTrailingBackslash(path);
    if (failCreateDirectory || exists(p) || !isDirectory(parentOf(p))) return false;
    nodes_[key(p)] = {util::extractFileName(p), true, {}};
    createdDirectories.push_back(p);
    return true;
  }
  bool writeFileAtomic(const std::string& path, std::string_view bytes) override {
    if (failWrites || !isDirectory(parentOf(path)) || isDirectory(path)) return false;
    ++atomicWrites;
    auto it = nodes_.find(key(path));
    const std::string name = it == nodes_.end() ? util::extractFileName(path) : it->second.name;
    nodes_[key(path)] = {name, false, std::string(bytes)};
    return true;
  }
  bool removeFile(const std::string& path) override { return isFile(path) && nodes_.erase(key(path)) == 1; }
  bool moveFile(const std::string& from, const std::string& to) override {
    if (!isFile(from) || exists(to) || !isDirectory(parentOf(to))) return false;
    Node node = nodes_[key(from)];
    node.name = util::extractFileName(to);
    nodes_.erase(key(from));
    nodes_[key(to)] = node;
    return true;
  }

 private:
  struct Node {
    std::string name;
    bool isDirectory = false;
    std::string content;
  };
  static std::string key(const std::string& path) {
    return util::upperAscii(util::withoutTrailingBackslash(path));
  }
  static std::string parentOf(const std::string& path) {
    return util::withoutTrailingBackslash(util::extractFilePath(util::withoutTrailingBackslash(path)));
  }
  std::map<std::string, Node> nodes_;
};

}  // namespace gleanix::testing
