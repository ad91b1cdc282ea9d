#include "pickup/picked_mail.h"

#include <unordered_map>

#include "store/display_path.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "store/trash_index.h"

namespace gleanix::pickup {

std::vector<PickedMail> pickedMails(const sys::FileSystem& fs, std::string_view mailRoot,
                                    const std::vector<std::string>& hits) {
  const store::MailStore store(fs, mailRoot);
  const store::TrashIndex trash = store::trashIndex(store);
  // A display path reads a description file per level: once per folder.
  std::unordered_map<std::string, std::string> displayPaths;
  // Hits come folder by folder: the last folder's path is kept at hand.
  const std::string* lastFolder = nullptr;
  const std::string* lastPath = nullptr;
  std::vector<PickedMail> out;
  out.reserve(hits.size());
  for (const std::string& hit : hits) {
    PickedMail m;
    m.folder = std::string(store::hitFolder(hit));
    m.key = std::string(store::hitKey(hit));
    if (const std::string* trashPath = trash.find(hit)) {
      m.displayPath = *trashPath;
    } else {
      if (!lastFolder || *lastFolder != m.folder) {
        auto it = displayPaths.find(m.folder);
        if (it == displayPaths.end()) it = displayPaths.emplace(m.folder, store::displayPath(store, m.folder)).first;
        lastFolder = &it->first;  // nodes of the map stay where they are
        lastPath = &it->second;
      }
      m.displayPath = *lastPath;
    }
    out.push_back(std::move(m));
  }
  return out;
}

}  // namespace gleanix::pickup
