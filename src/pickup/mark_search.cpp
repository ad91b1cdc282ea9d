#include "pickup/mark_search.h"

#include <algorithm>

#include "pickup/candidates.h"
#include "store/attribute.h"

namespace gleanix::pickup {

bool MarkSelection::any() const {
  return unread || read || std::any_of(marks.begin(), marks.end(), [](bool m) { return m; });
}

bool isMarkHit(const MarkSelection& selection, std::uint32_t attribute) {
  if (selection.marks[static_cast<std::size_t>(store::markNumber(attribute))]) return true;
  if (!store::hasReadState(attribute)) return false;
  return store::isUnread(attribute) ? selection.unread : selection.read;
}

PickupResult markSearch(const sys::FileSystem& fs, std::string_view mailRoot, const std::vector<std::string>& folders,
                        const MarkSelection& selection, PickupProgress& progress) {
  const store::MailStore store(fs, mailRoot);
  store::MailFileIndex files(store);
  PickupResult result;
  progress.setMaximum(folders.size());
  for (std::size_t i = 0; i < folders.size() && !result.aborted; ++i) {
    progress.setPosition(i);
    const std::vector<store::ListedMail> listed = store::listedMails(store, folders[i]);
    for (auto it = listed.rbegin(); it != listed.rend(); ++it) {
      if (!files.exists(it->hit)) continue;
      if (it->attribute && isMarkHit(selection, *it->attribute)) result.hits.push_back(it->hit);
    }
    progress.setPosition(i);
    result.aborted = progress.processMessages();
  }
  return result;
}

}  // namespace gleanix::pickup
