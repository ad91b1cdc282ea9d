#include "pickup/mark_search.h"

#include <algorithm>

#include "store/attribute.h"
#include "store/list_file.h"

namespace gleanix::pickup {

bool MarkSelection::any() const {
  return unread || read || std::any_of(marks.begin(), marks.end(), [](bool m) { return m; });
}

bool isMarkHit(const MarkSelection& selection, std::uint32_t attribute) {
  if (selection.marks[static_cast<std::size_t>(store::markNumber(attribute))]) return true;
  if (!store::hasReadState(attribute)) return false;
  return store::isUnread(attribute) ? selection.unread : selection.read;
}

namespace {

// The hits of one folder's list file, from its last line to its first. Only
// a line whose attribute selects it is looked up in the index, and only a
// hit becomes a string.
void searchFolder(const store::MailStore& store, store::MailFileIndex& files, const std::string& folder,
                  const MarkSelection& selection, std::vector<std::string>& hits) {
  const auto bytes = store.fs().readFile(store::listFilePath(store, folder));
  if (!bytes) return;
  const bool trash = store::isTrashPath(folder);
  store::forEachListedLineBackward(*bytes, [&](const store::ListLine& line) {
    const auto attribute = store::decodeAttribute(line.attribute);
    if (!attribute || !isMarkHit(selection, *attribute)) return;
    // A trash line names its mail by its path from the mail root.
    if (trash ? !files.exists(line.id) : !files.exists(folder, line.id)) return;
    std::string& hit = hits.emplace_back();
    hit.reserve((trash ? 0 : folder.size()) + line.id.size());
    if (!trash) hit.append(folder);
    hit.append(line.id);
  });
}

}  // namespace

PickupResult markSearch(const sys::FileSystem& fs, std::string_view mailRoot, const std::vector<std::string>& folders,
                        const MarkSelection& selection, PickupProgress& progress) {
  const store::MailStore store(fs, mailRoot);
  store::MailFileIndex files(store);
  PickupResult result;
  progress.setMaximum(folders.size());
  for (std::size_t i = 0; i < folders.size() && !result.aborted; ++i) {
    progress.setPosition(i);
    searchFolder(store, files, folders[i], selection, result.hits);
    progress.setPosition(i);
    result.aborted = progress.processMessages();
  }
  return result;
}

}  // namespace gleanix::pickup
