#include "store/mail_move.h"

#include "store/list_file.h"
#include "util/sjis.h"

namespace gleanix::store {

bool moveMail(const MailStore& store, sys::Host& host, std::string_view sourceFolder, std::string_view key,
              std::string_view destinationFolder) {
  const std::string destination = withoutTrailingBackslash(destinationFolder);
  const auto sourceAccount = store.accountOf(sourceFolder);
  const auto destinationAccount = store.accountOf(destination);
  if (!sourceAccount || !destinationAccount) return false;
  const std::string outbox = *sourceAccount + "Outbox.box";
  const std::string inbox = *destinationAccount + "Inbox.box";
  const std::string mailKey(key);

  if (!util::equalsIgnoreCase(sourceFolder, outbox + "\\")) {
    if (!host.moveMail(std::string(sourceFolder) + mailKey, outbox)) return false;
  }
  if (!host.moveMail(outbox + "\\" + mailKey, inbox)) return false;
  if (isTrashPath(destination)) return host.moveMail(inbox + "\\" + mailKey, "");
  if (util::equalsIgnoreCase(destination, inbox)) return true;
  return host.moveMail(inbox + "\\" + mailKey, destination);
}

bool openMail(sys::Host& host, sys::WindowHandle mainWindow, const std::string& mail, bool flag) {
  return host.folderOpenMail(mainWindow, mail, flag);
}

}  // namespace gleanix::store
