#pragma once
// The mails of the folder shown in the host's main window: all of them, or
// only the selected ones.

#include <string>
#include <vector>

#include "sys/file_system.h"
#include "sys/host.h"

namespace gleanix::store {

struct CurrentFolderMails {
  std::string root;         // the mail root, ending in "\"
  std::string displayPath;  // "ごみ箱" when the current mail is in the trash
  std::string folder;       // relative, ending in "\"; empty without a current mail or in the trash
  std::vector<std::string> keys;
};

// The folder is that of the host's current mail. Without a current mail, or
// with a folder whose "ENTRY.LST" is missing, the key list is empty. A
// current mail that no entry line starts with (letter case counts) is in
// the trash. Otherwise the keys are those of the selection (the last 8
// characters of each selected mail) or of every valid entry line, in order.
CurrentFolderMails mailsOfCurrentFolder(const sys::FileSystem& fs, sys::Host& host, sys::WindowHandle mainWindow,
                                        bool selectionOnly);

}  // namespace gleanix::store
