#pragma once
// Handing the hits of a pickup over by copying them into folders through
// the host ("_APAImportFile@12").

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sys/file_system.h"
#include "sys/host.h"

namespace gleanix::pickup {

struct CopyReport {
  std::size_t copied = 0;          // imports the host reported as done
  std::size_t failed = 0;          // imports the host refused
  std::size_t missingMails = 0;    // hit mail files not found (per destination)
  std::vector<std::string> skippedFolders;  // destinations without "Entry.ini"
  bool stopped = false;                     // stop said so before every copy was made
};

// For each destination folder in order (relative, as the mailbox tree
// stores it): skipped unless mail root + folder + "Entry.ini" exists; its
// trailing "\" removed (a double-byte character ending in 0x5C is kept
// whole); then each hit in order whose mail file exists is imported with
// attribute 0 (a new, unread mail). Hit paths that would lead outside the
// mail root count as missing. stop, when given, is asked after each mail;
// true ends the copying there.
CopyReport copyHits(const sys::FileSystem& fs, sys::Host& host, std::string_view mailRoot,
                    const std::vector<std::string>& hits, const std::vector<std::string>& destinations,
                    const std::function<bool()>& stop = {});

}  // namespace gleanix::pickup
