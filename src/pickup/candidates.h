#pragma once
// The mails of the searched folders, in the order the searches walk them.

#include <functional>
#include <string>
#include <vector>

#include "store/list_file.h"
#include "store/mail_store.h"

namespace gleanix::pickup {

// Called after each folder, with its index in the folder list; returns true
// to stop the walk (the mark search looks at the abort flag there, the
// other searches do not).
using FolderDone = std::function<bool(std::size_t folderIndex)>;

// Walks the list file of each folder (folder paths as the mailbox tree
// stores them: "Acc1\Inbox.box\", or "Acc1\Trash.box" for a trash list),
// in folder-list order, from its last line to its first, and calls visit
// with each listed mail whose mail file exists. Lines without "=" and
// folders without a list file give nothing.
void walkListedMails(const store::MailStore& store, store::MailFileIndex& files,
                     const std::vector<std::string>& folders,
                     const std::function<void(const store::ListedMail&)>& visit, const FolderDone& folderDone);

// The hit paths of that walk: the candidates of the keyword and related
// searches.
std::vector<std::string> collectCandidates(const store::MailStore& store, store::MailFileIndex& files,
                                           const std::vector<std::string>& folders, const FolderDone& folderDone);

// The searches read candidates into pooled buffers (util::ObjectPool); one
// that grew beyond this for a big mail is not kept: its room would only be
// held.
constexpr std::size_t kPooledMailBytes = 1u << 20;

}  // namespace gleanix::pickup
