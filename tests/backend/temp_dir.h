#pragma once
// A fresh directory below the platform's temporary directory, removed with
// everything in it when the object goes. Its files are made and inspected with
// the platform's own calls, never through the FileSystem under test, so that a
// test can change the disk behind the back of a FileSystem.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace gleanix::testing {

using Components = std::initializer_list<std::string>;

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory as the host writes paths: "\" separators, ending in "\".
  // On Linux an absolute path such as "\tmp\gleanix-Ab12Cd\".
  const std::string& path() const { return hostPath_; }

  // The native path of a file below the directory, components joined with
  // the platform's separator.
  std::string native(Components components) const;

  void put(Components components, std::string_view bytes) const;
  void makeDir(Components components) const;
  void erase(Components components) const;
  bool present(Components components) const;
  std::optional<std::string> get(Components components) const;

 private:
  std::string nativeRoot_;  // without a trailing separator
  std::string hostPath_;
};

}  // namespace gleanix::testing
