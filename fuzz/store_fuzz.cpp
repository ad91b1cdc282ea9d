// The store readers on arbitrary description and list files: Mailbox.ini,
// Account.ini, Entry.ini (a folder group and its sub-folder), ENTRY.LST and
// Trash.box of a store held in memory. No crash, and attribute words
// round-trip through their six characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "store/attribute.h"
#include "store/attribute_lookup.h"
#include "store/display_path.h"
#include "store/folders.h"
#include "store/ini.h"
#include "store/list_file.h"
#include "store/time_zone.h"
#include "store/trash_index.h"

using namespace gleanix;

namespace {

// The input holds the files one after another, separated by NUL bytes, in
// this order; missing parts are missing files.
const char* const kFiles[] = {
    "M:\\Mailbox.ini",
    "M:\\Acc1\\Account.ini",
    "M:\\Acc1\\User001.box\\Entry.ini",
    "M:\\Acc1\\User001.box\\User002.box\\Entry.ini",
    "M:\\Acc1\\Inbox.box\\ENTRY.LST",
    "M:\\Acc1\\Trash.box",
    "M:\\Acc1\\User001.box\\User002.box\\ENTRY.LST",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  fuzzing::MemoryFileSystem fs;
  std::size_t start = 0;
  for (const char* path : kFiles) {
    if (start > input.size()) break;
    const std::size_t end = std::min(input.find('\0', start), input.size());
    fs.add(path, input.substr(start, end - start));
    start = end + 1;
  }
  fs.add("M:\\Acc1\\Inbox.box\\KEY00001.ALM", "x");

  const store::MailStore mailStore(fs, "M:");
  for (const store::TreeFolder& t : store::folderTree(mailStore)) {
    store::displayPath(mailStore, t.folder.path);
    store::MailFileIndex files(mailStore);
    for (const store::ListedMail& m : store::listedMails(mailStore, t.folder.path)) {
      files.exists(m.hit);
      store::attributeWord(mailStore, mailStore.absolute(std::string(store::hitFolder(m.hit))),
                           store::hitKey(m.hit));
    }
  }
  store::displayPath(mailStore, "Acc1\\User001.box\\User002.box\\");
  store::trashIndex(mailStore).find("Acc1\\Inbox.box\\KEY00001");
  store::storeTimeZoneBias(fs, mailStore.root(), 0);
  for (const std::string& line : sys::splitLines(input)) {
    store::parseEntryLine(line);
    store::orderTokens(line, true);
    if (const auto word = store::decodeAttribute(line)) {
      if (store::decodeAttribute(store::encodeAttribute(*word)) != *word) std::abort();
    }
  }
  return 0;
}
