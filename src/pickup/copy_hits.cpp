#include "pickup/copy_hits.h"

#include "store/mail_store.h"

namespace gleanix::pickup {

CopyReport copyHits(const sys::FileSystem& fs, sys::Host& host, std::string_view mailRoot,
                    const std::vector<std::string>& hits, const std::vector<std::string>& destinations,
                    const std::function<bool()>& stop) {
  const store::MailStore store(fs, mailRoot);
  const std::string& root = store.root();
  CopyReport report;
  for (const std::string& destination : destinations) {
    if (!store.fs().isFile(root + destination + "Entry.ini")) {
      report.skippedFolders.push_back(destination);
      continue;
    }
    const std::string folder = store::withoutTrailingBackslash(destination);
    for (const std::string& hit : hits) {
      const std::string file = root + hit + ".ALM";
      if (!store.fs().isFile(file)) {
        ++report.missingMails;
        continue;
      }
      if (host.importFile(file, folder, 0)) {
        ++report.copied;
      } else {
        ++report.failed;
      }
      if (stop && stop()) {
        report.stopped = true;
        return report;
      }
    }
  }
  return report;
}

}  // namespace gleanix::pickup
