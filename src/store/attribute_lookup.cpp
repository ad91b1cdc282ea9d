#include "store/attribute_lookup.h"

#include <algorithm>
#include <string>

#include "store/attribute.h"
#include "store/list_file.h"
#include "util/sjis.h"

namespace gleanix::store {

std::uint32_t attributeWord(const MailStore& store, std::string_view folderDirectory, std::string_view key) {
  const sys::FileSystem& fs = store.fs();
  if (const auto lines = fs.readLines(std::string(folderDirectory) + "ENTRY.LST")) {
    for (const std::string& line : *lines) {
      if (line.size() >= kKeyLength && util::equalsIgnoreCase(std::string_view(line).substr(0, kKeyLength), key)) {
        return decodeAttribute(std::string_view(line).substr(std::min<std::size_t>(line.size(), 9), 6)).value_or(0);
      }
    }
  }
  const auto relative = store.relativeTo(folderDirectory);
  if (!relative) return 0;
  const auto account = store.accountOf(*relative);
  if (!account) return 0;
  const auto trash = fs.readLines(store.absolute(*account) + "Trash.box");
  if (!trash) return 0;
  const std::string prefix = *relative + std::string(key) + "=";
  for (const std::string& line : *trash) {
    if (util::startsWithIgnoreCase(line, prefix)) {
      return decodeAttribute(std::string_view(line).substr(prefix.size(), 6)).value_or(0);
    }
  }
  return 0;
}

}  // namespace gleanix::store
