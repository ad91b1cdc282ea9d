#include "pickup/candidates.h"

namespace gleanix::pickup {

void walkListedMails(const store::MailStore& store, store::MailFileIndex& files,
                     const std::vector<std::string>& folders,
                     const std::function<void(const store::ListedMail&)>& visit, const FolderDone& folderDone) {
  for (std::size_t i = 0; i < folders.size(); ++i) {
    const std::vector<store::ListedMail> listed = store::listedMails(store, folders[i]);
    for (auto it = listed.rbegin(); it != listed.rend(); ++it) {
      if (files.exists(it->hit)) visit(*it);
    }
    if (folderDone && folderDone(i)) return;
  }
}

std::vector<std::string> collectCandidates(const store::MailStore& store, store::MailFileIndex& files,
                                           const std::vector<std::string>& folders, const FolderDone& folderDone) {
  std::vector<std::string> out;
  walkListedMails(
      store, files, folders, [&](const store::ListedMail& m) { out.push_back(m.hit); }, folderDone);
  return out;
}

}  // namespace gleanix::pickup
