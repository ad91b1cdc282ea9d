#pragma once
// A mail store on disk: the mail root and the file system it lives on.
// Every path below it is relative to the root, uses "\" separators and, for
// a folder, ends in "\"; the trash of an account is the file "Trash.box".
//
// A store with "Mailbox.ini" has several accounts, each a directory
// "Acc*.*" holding "Account.ini". Without "Mailbox.ini" but with
// "Account.ini" the root itself is the one account.

#include <optional>
#include <string>
#include <string_view>

#include "sys/file_system.h"
#include "util/contained_file_system.h"

namespace gleanix::store {

// The directory with exactly one trailing "\" added when it has none (the
// last character is taken as a Shift-JIS character, so a double-byte
// character ending in 0x5C is not mistaken for one).
std::string withTrailingBackslash(std::string_view path);
// The path without its trailing "\", tested the same way.
std::string withoutTrailingBackslash(std::string_view path);

// Text up to and including the first "\" (double-byte aware); nullopt when
// the text has none.
std::optional<std::string> firstComponent(std::string_view path);

class MailStore {
 public:
  MailStore(const sys::FileSystem& fs, std::string_view root);

  // The file system as far as it lies inside the mail root: paths that
  // store data would steer elsewhere read as absent.
  const sys::FileSystem& fs() const { return fs_; }
  // The mail root, ending in "\".
  const std::string& root() const { return root_; }
  bool singleAccount() const { return singleAccount_; }

  // The account directory a relative path lies in: its first component
  // ("Acc1\"), or "" in a single-account store. nullopt when a path of a
  // store with several accounts has no "\".
  std::optional<std::string> accountOf(std::string_view relativePath) const;

  // The path relative to the root when the absolute path lies below it
  // (letter case ignored); nullopt otherwise.
  std::optional<std::string> relativeTo(std::string_view absolutePath) const;

  std::string absolute(std::string_view relativePath) const { return root_ + std::string(relativePath); }

 private:
  std::string root_;
  util::ContainedFileSystem fs_;
  bool singleAccount_ = false;
};

}  // namespace gleanix::store
