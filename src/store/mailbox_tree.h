#pragma once
// The mail store as the mailbox tree shows it: in a store with several
// accounts one root node (the mail root) holding the accounts, otherwise
// the one account alone; below each account its folders in display order,
// each folder group holding its own.

#include <optional>
#include <string>
#include <vector>

#include "store/folder_type.h"
#include "sys/file_system.h"

namespace gleanix::store {

struct MailboxNode {
  TFolderType type = ctFolder;
  // Relative to the mail root, ending in "\" ("Trash.box" for a trash); the
  // root node's path is the mail root itself.
  std::string path{};
  std::string caption{};  // the root node's caption is the mail root
  std::vector<MailboxNode> children{};
};

// root ends in "\". nullopt when it holds neither "Mailbox.ini" nor
// "Account.ini" (nothing there to show).
std::optional<std::vector<MailboxNode>> mailboxTree(const sys::FileSystem& fs, const std::string& root);

}  // namespace gleanix::store
