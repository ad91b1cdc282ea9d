#pragma once
// A view of a file system that reaches only what lies inside one directory
// (the mail root). Every path handed to it must be that directory followed
// by a contained relative path (util/contained_path.h) and must stay inside
// once links are followed (FileSystem::staysWithin); anything else is
// treated as absent: reads find nothing, writes fail, lists are empty. So a
// hostile key in a store file never opens, lists or writes anything else.

#include <string>

#include "sys/file_system.h"

namespace gleanix::util {

class ContainedFileSystem final : public sys::FileSystem {
 public:
  // root: the directory, with its trailing separator as the paths use it.
  // writes: where changes go (the same file system as reads); null for a
  // view that only reads, whose changes all fail.
  ContainedFileSystem(const sys::FileSystem& reads, sys::FileSystem* writes, std::string root);

  const std::string& root() const { return root_; }
  const sys::FileSystem& inner() const { return *reads_; }

  // Whether path may be handed on: lexically below the root and, on disk,
  // still inside it.
  bool allows(const std::string& path) const;
  // The textual half of allows: below the root, by a contained relative path.
  bool allowsAsText(const std::string& path) const;

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
  bool staysWithin(const std::string& root, const std::string& path) const override;

 private:
  bool allowsPattern(const std::string& pattern) const;

  const sys::FileSystem* reads_;
  sys::FileSystem* writes_;
  std::string root_;
};

}  // namespace gleanix::util
