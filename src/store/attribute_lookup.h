#pragma once
// The attribute word of one mail, looked up where the host keeps it: the
// folder's entry list, else the trash list of the folder's account.

#include <cstdint>
#include <string_view>

#include "store/mail_store.h"

namespace gleanix::store {

// folderDirectory is absolute and ends in "\". The first "ENTRY.LST" line
// whose first 8 characters equal the key (letter case ignored) gives columns
// 10-15; failing that, the first line of the account's "Trash.box" that
// starts with relative folder + key + "=" gives the 6 characters after it.
// 0 when the mail is found nowhere, and when its attribute field is cut
// short of 6 characters.
std::uint32_t attributeWord(const MailStore& store, std::string_view folderDirectory, std::string_view key);

}  // namespace gleanix::store
