#pragma once
// The kinds of node in the mail store, with the one-letter codes under which
// they are stored beside tree nodes and in folder lists.

#include <optional>

namespace gleanix::store {

enum TFolderType { ctMailbox, ctAccount, ctInbox, ctOutbox, ctTrash, ctGroup, ctFolder };

// "M", "A", "I", "O", "T", "G", "F".
char folderTypeLetter(TFolderType type);
std::optional<TFolderType> folderTypeFromLetter(char letter);

}  // namespace gleanix::store
