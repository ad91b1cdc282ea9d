#include "store/current_mails.h"

#include <algorithm>

#include "store/display_path.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/mail_store.h"

namespace gleanix::store {
namespace {

std::vector<std::string> selectedKeys(sys::Host& host, sys::WindowHandle mainWindow) {
  std::vector<std::string> keys;
  for (std::string mail = host.folderGetSelectEntry(mainWindow, -1); !mail.empty();
       mail = host.folderGetSelectEntry(mainWindow, 0)) {
    keys.emplace_back(hitKey(mail));
  }
  return keys;
}

}  // namespace

CurrentFolderMails mailsOfCurrentFolder(const sys::FileSystem& fs, sys::Host& host, sys::WindowHandle mainWindow,
                                        bool selectionOnly) {
  const MailStore store(fs, host.getMailbox());
  CurrentFolderMails result;
  result.root = store.root();
  const std::string current = host.folderGetCurrentEntry(mainWindow);
  if (current.empty()) return result;
  const std::string folder(hitFolder(current));
  const std::string_view key = hitKey(current);

  const auto lines = store.fs().readLines(store.absolute(folder) + "ENTRY.LST");
  result.folder = folder;
  result.displayPath = displayPath(store, folder);
  if (!lines) return result;

  const bool listed = std::any_of(lines->begin(), lines->end(),
                                  [&](const std::string& line) { return line.compare(0, key.size(), key) == 0; });
  if (!listed) {
    result.displayPath = kTrashName;
    result.folder.clear();
    return result;
  }
  if (selectionOnly) {
    result.keys = selectedKeys(host, mainWindow);
  } else {
    for (const std::string& line : *lines) {
      const auto entry = parseEntryLine(line);
      if (entry && isListedMailId(entry->key)) result.keys.emplace_back(entry->key);
    }
  }
  return result;
}

}  // namespace gleanix::store
