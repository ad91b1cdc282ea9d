#pragma once
// The mail store the options dialog tests show in their destination trees:
// one account with inbox, outbox, trash, a user folder and a folder group.
//   Acc1\Inbox.box\  Acc1\Outbox.box\  Acc1\Trash.box
//   Acc1\User001.box\ (友人)  Acc1\User002.box\ (仕事, a group)
//   Acc1\User002.box\User003.box\ (会議)

#include <string>

#include "fakes/memory_file_system.h"

namespace gleanix::testing {

inline void writeOptionStore(MemoryFileSystem& fs, const std::string& root) {
  const std::string acc = root + "Acc1\\";
  fs.addFile(root + "Mailbox.ini", "TIMEZONE=+0900\r\n");
  fs.addFile(acc + "Account.ini", "TITLE=自宅\r\nORDER=IOT001002\r\n");
  fs.addDirectory(acc + "Inbox.box\\");
  fs.addDirectory(acc + "Outbox.box\\");
  fs.addFile(acc + "Trash.box", "");
  fs.addFile(acc + "User001.box\\Entry.ini", "TITLE=友人\r\n");
  fs.addFile(acc + "User002.box\\Entry.ini", "TITLE=仕事\r\nType=Subfolder\r\nORDER=003\r\n");
  fs.addFile(acc + "User002.box\\User003.box\\Entry.ini", "TITLE=会議\r\n");
}

}  // namespace gleanix::testing
