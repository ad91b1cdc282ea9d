#pragma once
// Accounts and folders of a mail store, in the order the host shows them.

#include <string>
#include <string_view>
#include <vector>

#include "store/folder_type.h"
#include "store/mail_store.h"

namespace gleanix::store {

struct Account {
  std::string path;   // "Acc1\"; "" for the root of a single-account store
  std::string title;  // "TITLE=" of its Account.ini
};

struct Folder {
  TFolderType type = ctFolder;
  std::string path;  // relative to the mail root; ends in "\", or "Trash.box" for the trash
  std::string name;  // display name
};

// Display names of the three fixed folders.
extern const char* const kInboxName;   // "郵便受け"
extern const char* const kOutboxName;  // "送信箱"
extern const char* const kTrashName;   // "ごみ箱"

// The accounts: directories matching "Acc*.*" that hold "Account.ini", in
// enumeration order; in a single-account store the root alone.
std::vector<Account> accounts(const MailStore& store);

// The tokens of an ORDER value (upper-cased first), read left to right: "I",
// "O" and "T" for inbox, outbox and trash, any other character starting a
// three-character user-folder code. An incomplete code at the end and a
// token already read are dropped. For an account, "I", "O", "T" missing from
// the tokens are appended in that order.
std::vector<std::string> orderTokens(std::string_view order, bool completeForAccount);

// The children of an account (parentType ctAccount) or folder group
// (ctGroup), in order: the ORDER string walked (a user folder named there
// only when its "Entry.ini" exists), then every "USER*.BOX" directory whose
// code is not in the ORDER string, in enumeration order. parentPath is
// relative ("Acc1\", "Acc1\User003.box\", "" for a single account's root).
std::vector<Folder> childFolders(const MailStore& store, std::string_view parentPath, TFolderType parentType);

struct TreeFolder {
  Folder folder;
  int depth = 0;  // 0 for accounts
};

// Every account and folder, depth first in display order (each account
// followed by its folders, each group by its sub-folders).
std::vector<TreeFolder> folderTree(const MailStore& store);

}  // namespace gleanix::store
