#pragma once
// Path and directory helpers over the file system door. Paths are CP932
// strings with "\" separators; a "\" is only ever a separator when it starts
// a character (the trail byte of "表" is 0x5C too).

#include <stdexcept>
#include <string>
#include <string_view>

#include "sys/file_system.h"

namespace gleanix::util {

// Raised by createDirectories: for an empty path (with the message
// "ﾃﾞｨﾚｸﾄﾘを作成することができません" exactly) and when the system refuses to
// create a directory (that message, then the directory).
class EDirectoryError : public std::runtime_error {
 public:
  EDirectoryError(const std::string& message, std::string path)
      : std::runtime_error(message), path_(std::move(path)) {}
  // The directory that could not be created; empty for an empty path.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The text of EDirectoryError for an empty path.
std::string createDirectoryErrorText();

// Everything up to and including the last "\" ("C:\a\b.txt" -> "C:\a\");
// empty when there is none.
std::string extractFilePath(std::string_view path);
// Everything after the last "\".
std::string extractFileName(std::string_view path);
// path with a "\" added when it does not already end in one (empty stays empty).
std::string withTrailingBackslash(std::string_view path);
// path without one trailing "\".
std::string withoutTrailingBackslash(std::string_view path);

// What longPath does with a component that is not on disk.
enum class MissingComponent {
  DropRest,    // stop there and return the path found so far
  KeepAsGiven  // keep it and everything after it as written
};

// The path with every component spelt as the file system stores it. The
// part up to and including the first "\" (the drive) is kept as given; a
// directory component gets a "\" after it, and so does the last one when it
// names a directory. A path without any "\" gives an empty result.
std::string longPath(const sys::FileSystem& fs, std::string_view path,
                     MissingComponent missing = MissingComponent::DropRest);

// True when path names an existing directory.
bool DirectoryExists(const sys::FileSystem& fs, const std::string& path);

// Creates the directory and every missing parent. Throws EDirectoryError for
// an empty path and when a directory cannot be created.
void createDirectories(sys::FileSystem& fs, std::string_view path);

}  // namespace gleanix::util
