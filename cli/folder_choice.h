#pragma once
// Turning the folders and mails named on the command line into the paths
// the engines take. Names come in the terminal's UTF-8 and go out in CP932.

#include <string>
#include <vector>

#include "store/folders.h"
#include "sys/file_system.h"

namespace gleanix::cli {

// The folders a search walks: the given tree paths ("Acc1\Inbox.box\",
// "Acc1\Trash.box"; "/" may stand for "\", the trailing "\" may be left
// out, letter case is ignored), in tree order and each once, as the
// mailbox tree stores a checked folder list. Without any, every inbox,
// outbox, trash and user folder. Throws UsageError naming an unknown path
// or one that is an account or a folder group.
std::vector<std::string> searchFolders(const std::vector<store::TreeFolder>& tree,
                                       const std::vector<std::string>& given);

// The folders mails are copied into: inboxes, outboxes and user folders
// (not the trash), in tree order and each once; none without any given.
// Throws UsageError as above.
std::vector<std::string> copyDestinations(const std::vector<store::TreeFolder>& tree,
                                          const std::vector<std::string>& given);

// A mail named on the command line (folder path + key, or a trash-list key;
// "/" may stand for "\", a ".ALM" at the end is dropped) as a hit path.
// Throws UsageError when its mail file does not exist below root.
std::string mailHit(const sys::FileSystem& fs, const std::string& root, const std::string& given);

// The text in CP932; throws UsageError naming what (e.g. "keyword") when
// code page 932 cannot write it.
std::string toCp932OrThrow(const std::string& utf8, const std::string& what);

}  // namespace gleanix::cli
