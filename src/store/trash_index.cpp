#include "store/trash_index.h"

#include "store/display_path.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "util/contained_path.h"
#include "util/sjis.h"

namespace gleanix::store {
namespace {

void addTrashList(const MailStore& store, const std::string& account, TrashIndex& index) {
  const auto lines = store.fs().readLines(store.absolute(account) + "Trash.box");
  if (!lines) return;
  const std::string trashPath = displayPath(store, account) + "\\" + kTrashName;
  for (const std::string& line : *lines) {
    const std::size_t eq = util::findByte(line, '=');
    if (eq != std::string::npos && isListedMailId(std::string_view(line).substr(0, eq))) {
      index.add(line.substr(0, eq), trashPath);
    }
  }
}

}  // namespace

void TrashIndex::add(std::string key, std::string displayPath) {
  byKey_.emplace(key, keys_.size());
  keys_.push_back(std::move(key));
  displayPaths_.push_back(std::move(displayPath));
}

const std::string* TrashIndex::find(std::string_view hit) const {
  auto it = byKey_.find(hit);
  return it == byKey_.end() ? nullptr : &displayPaths_[it->second];
}

TrashIndex trashIndex(const MailStore& store) {
  TrashIndex index;
  if (store.singleAccount()) {
    addTrashList(store, "", index);
    return index;
  }
  for (const sys::DirEntry& e : store.fs().list(store.root() + "Acc*.*")) {
    if (e.isDirectory && util::isPlainName(e.name) && e.name[0] != '.') addTrashList(store, e.name + "\\", index);
  }
  return index;
}

}  // namespace gleanix::store
