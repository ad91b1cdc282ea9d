#pragma once
// Moving and opening mails through the host.

#include <string>
#include <string_view>

#include "store/mail_store.h"
#include "sys/host.h"

namespace gleanix::store {

// Moves the mail sourceFolder + key (sourceFolder relative, ending in "\")
// into destination (relative, without trailing "\"; an account's
// "...\Trash.box" is its trash). The host moves mails only through the
// outbox and inbox, so this takes up to three hops, each only after the one
// before succeeded: into the source account's outbox (skipped when the mail
// is already there), on into the destination account's inbox, and from
// there into the destination (none when the destination is that inbox). The
// result is that of the last hop; false when a path has no account part. A
// failure part-way leaves the mail where the last good hop put it.
bool moveMail(const MailStore& store, sys::Host& host, std::string_view sourceFolder, std::string_view key,
              std::string_view destination);

// Opens a mail (relative path without ".ALM") in a VIEW window of the host;
// the flag goes to the host as 0 or -1.
bool openMail(sys::Host& host, sys::WindowHandle mainWindow, const std::string& mail, bool flag);

}  // namespace gleanix::store
