#include "pickup/copy_hits.h"

#include "store/mail_store.h"

namespace gleanix::pickup {

CopyReport copyHits(const sys::FileSystem& fs, sys::Host& host, std::string_view mailRoot,
                    const std::vector<std::string>& hits, const std::vector<std::string>& destinations) {
  const std::string root = store::withTrailingBackslash(mailRoot);
  CopyReport report;
  for (const std::string& destination : destinations) {
    if (!fs.isFile(root + destination + "Entry.ini")) {
      report.skippedFolders.push_back(destination);
      continue;
    }
    const std::string folder = store::withoutTrailingBackslash(destination);
    for (const std::string& hit : hits) {
      const std::string file = root + hit + ".ALM";
      if (!fs.isFile(file)) {
        ++report.missingMails;
        continue;
      }
      if (host.importFile(file, folder, 0)) {
        ++report.copied;
      } else {
        ++report.failed;
      }
    }
  }
  return report;
}

}  // namespace gleanix::pickup
