#pragma once
// The display path of a folder: the account's title and the folder titles
// joined by "\" ("Home\郵便受け", "Home\Lists\Work").

#include <string>
#include <string_view>

#include "store/mail_store.h"

namespace gleanix::store {

// Empty when any level cannot be resolved (no Account.ini or no title for
// the account, no Entry.ini for a folder). The walk stops at an inbox or
// outbox; a last component without "\" (the trash file) adds nothing.
std::string displayPath(const MailStore& store, std::string_view relativePath);

}  // namespace gleanix::store
